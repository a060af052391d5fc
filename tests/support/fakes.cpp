#include "tests/support/fakes.h"

#include <QPrinter>

void FakeMessages::ShowMessage(QWidget*, const QString& title, const QString& text) {
    shown.emplace_back(title, text);
}

std::optional<SaveChoice> FakeSaveDialog::AskSaveFileName(QWidget*, const QString& filter,
                                                          const QString& initialName) {
    ++asked;
    lastFilter = filter;
    lastInitialName = initialName;
    if (!answer) return std::nullopt;
    return SaveChoice{*answer, pattern};
}

bool FakePrintDialog::AskPrinter(QWidget*, QPrinter& printer) {
    ++asked;
    if (accept && !pdfPath.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
    }
    return accept;
}

void FakeClipboard::SetText(const QString& newText) {
    text = newText;
    ++sets;
}

FakeServices::FakeServices(const QString& programTitle) {
    context.ProgramTitle = programTitle;
    context.services = {.store = &store,
                        .messages = &messages,
                        .saveDialog = &saveDialog,
                        .printDialog = &printDialog,
                        .clipboard = &clipboard,
                        .launcher = &launcher,
                        .session = &session,
                        .volumes = &volumes};
}
