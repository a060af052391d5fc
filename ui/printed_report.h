#pragma once
// Printed reports: the pages are laid out first as lines of text in one fixed-pitch family
// (each line with its own size and weight), then painted on a printer.

#include <QString>
#include <functional>
#include <vector>

class PrintDialog;
class QPrinter;
class QWidget;
class UserMessages;

struct PrintedLine {
    QString text;
    int pointSize = 10;
    bool bold = false;
};

using PrintedPage = std::vector<PrintedLine>;

// The family every printed report is set in.
inline constexpr const char* kReportFont = "Courier New";

// The opening of every report page: 15 spaces and Title in 12 point bold, two empty lines.
PrintedPage TitleLines(const QString& title);

// True when the font system resolves Family to a fixed-pitch face of that name or of one of
// its metric-compatible twins (Courier New: Liberation Mono, Cousine).
bool FixedPitchFontPresent(const QString& family);

// Paints Pages on Printer in Family, each line below the previous one from the top of the
// printable area. A line that would run past the bottom starts a new page.
// False when the printer could not be started.
bool PaintPages(QPrinter& printer, const QString& family, const std::vector<PrintedPage>& pages);

struct PrintJob {
    QString family = QString::fromLatin1(kReportFont);
    QString fontMissingText;  // the message when Family is not present
    std::function<std::vector<PrintedPage>()> pages;
};

// The Print command of a window: the print dialog (a cancel prints nothing), the font check,
// then the pages. Problems are told in a message box titled Title.
void PrintReport(QWidget* parent, PrintDialog& dialog, UserMessages& messages, const QString& title,
                 const PrintJob& job);
