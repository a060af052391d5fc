#include "ui/desktop_dialogs.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QStringList>

QString QtFilterOf(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries << parts[i];
    return entries.join(QStringLiteral(";;"));
}

std::optional<QString> QtSaveDialog::AskSaveFileName(QWidget* parent, const QString& filter,
                                                     const QString& initialName) {
    const QString name = QFileDialog::getSaveFileName(parent, QStringLiteral("Save As"),
                                                      initialName, QtFilterOf(filter));
    if (name.isEmpty()) return std::nullopt;
    return name;
}

bool QtPrintDialog::AskPrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void QtClipboard::SetText(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}
