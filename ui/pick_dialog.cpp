#include "ui/pick_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QTableWidget* TableOf(const CellGrid& grid, QWidget* parent) {
    auto* table = new QTableWidget(grid.Rows() - 1, grid.Cols(), parent);
    table->setObjectName(QStringLiteral("lstPick"));
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    for (int col = 0; col < grid.Cols(); ++col) {
        table->setHorizontalHeaderItem(col, new QTableWidgetItem(grid.TextMatrix(0, col)));
        for (int row = 1; row < grid.Rows(); ++row) {
            auto* item = new QTableWidgetItem(grid.TextMatrix(row, col));
            if (grid.ColAlignment(col) == CellAlign::Right)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(row - 1, col, item);
        }
    }
    table->resizeColumnsToContents();
    table->selectRow(0);
    return table;
}

}  // namespace

std::optional<int> PickGridRow(QWidget* parent, const QString& title, const CellGrid& grid) {
    if (grid.Rows() < 2) return std::nullopt;
    QDialog dialog(parent);
    dialog.setWindowTitle(title);
    QTableWidget* table = TableOf(grid, &dialog);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(table, &QTableWidget::cellDoubleClicked, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(table);
    layout->addWidget(buttons);
    dialog.resize(720, 360);
    if (dialog.exec() != QDialog::Accepted || table->currentRow() < 0) return std::nullopt;
    return table->currentRow() + 1;
}
