#pragma once
// The common dialogs and the clipboard, behind small interfaces so tests can answer them.

#include <QString>
#include <optional>
#include <vector>

class QPrinter;
class QWidget;

// The filter of both tables' Save As, in the "description|pattern|..." form.
inline constexpr const char* kReportFilter = "Text Files (*.txt)|*.txt|Comma Quote (*.csv)|*.csv";

// What the user chose in a save dialog: the file name as typed (no extension added) and the
// pattern of the filter chosen with it, such as "*.txt".
struct SaveChoice {
    QString name;
    QString pattern;
};

class SaveDialog {
  public:
    virtual ~SaveDialog() = default;
    // The user's choice, or nothing when the user cancelled. The filter whose pattern matches
    // InitialName's extension is chosen at first.
    virtual std::optional<SaveChoice> AskSaveFileName(QWidget* parent, const QString& filter,
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
    std::optional<SaveChoice> AskSaveFileName(QWidget* parent, const QString& filter,
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

// The description and pattern pairs of a filter in the "description|pattern|..." form.
struct FilterEntry {
    QString description;
    QString pattern;
};
std::vector<FilterEntry> FilterEntries(const QString& filter);
