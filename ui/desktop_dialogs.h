#pragma once
// The common dialogs and the clipboard, behind small interfaces so tests can answer them.

#include <QString>
#include <optional>

class QPrinter;
class QWidget;

// The filter of both tables' Save As, in the "description|pattern|..." form.
inline constexpr const char* kReportFilter = "Text Files (*.txt)|*.txt|Comma Quote (*.csv)|*.csv";

class SaveDialog {
  public:
    virtual ~SaveDialog() = default;
    // The chosen file name, or nothing when the user cancelled. No extension is added.
    virtual std::optional<QString> AskSaveFileName(QWidget* parent, const QString& filter,
                                                   const QString& initialName) = 0;
};

class PrintDialog {
  public:
    virtual ~PrintDialog() = default;
    // Lets the user set up Printer; false when the dialog was cancelled.
    virtual bool AskPrinter(QWidget* parent, QPrinter& printer) = 0;
};

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    // Clears the clipboard, then puts Text on it as plain text.
    virtual void SetText(const QString& text) = 0;
};

class QtSaveDialog final : public SaveDialog {
  public:
    std::optional<QString> AskSaveFileName(QWidget* parent, const QString& filter,
                                           const QString& initialName) override;
};

class QtPrintDialog final : public PrintDialog {
  public:
    bool AskPrinter(QWidget* parent, QPrinter& printer) override;
};

class QtClipboard final : public Clipboard {
  public:
    void SetText(const QString& text) override;
};

// "A (*.a)|*.a|B (*.b)|*.b" as Qt's "A (*.a);;B (*.b)".
QString QtFilterOf(const QString& filter);
