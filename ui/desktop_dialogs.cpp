#include "ui/desktop_dialogs.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QStringList>

std::vector<FilterEntry> FilterEntries(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    std::vector<FilterEntry> entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries.push_back({parts[i], parts[i + 1]});
    return entries;
}

QString QtFilterOf(const QString& filter) {
    QStringList descriptions;
    for (const FilterEntry& entry : FilterEntries(filter))
        descriptions << entry.description;
    return descriptions.join(QStringLiteral(";;"));
}

std::optional<SaveChoice> QtSaveDialog::AskSaveFileName(QWidget* parent, const QString& filter,
                                                        const QString& initialName) {
    const std::vector<FilterEntry> entries = FilterEntries(filter);
    QString chosen;
    for (const FilterEntry& entry : entries) {
        if (QDir::match(entry.pattern, QFileInfo(initialName).fileName())) {
            chosen = entry.description;
        }
    }
    const QString name = QFileDialog::getSaveFileName(parent, QStringLiteral("Save As"),
                                                      initialName, QtFilterOf(filter), &chosen);
    if (name.isEmpty()) return std::nullopt;
    for (const FilterEntry& entry : entries) {
        if (entry.description == chosen) return SaveChoice{name, entry.pattern};
    }
    return SaveChoice{name, {}};
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
