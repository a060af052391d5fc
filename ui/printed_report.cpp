#include "ui/printed_report.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QStringList>

#include "ui/desktop_dialogs.h"
#include "ui/user_messages.h"

namespace {

constexpr int kTitlePoints = 12;
constexpr int kTitleIndent = 15;

// Faces with the same metrics that the font system may put in a family's place.
QStringList FacesOf(const QString& family) {
    QStringList faces{family};
    if (family == QLatin1String(kReportFont)) {
        faces << QStringLiteral("Liberation Mono") << QStringLiteral("Cousine");
    }
    return faces;
}

QFont LineFont(const QString& family, const PrintedLine& line) {
    QFont font(family);
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(line.pointSize);
    font.setBold(line.bold);
    return font;
}

// Paints the lines of one page from Top; returns the lines that did not fit.
PrintedPage PaintLines(QPainter& painter, const QString& family, const PrintedPage& lines) {
    const QRect area = painter.viewport();
    int top = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        painter.setFont(LineFont(family, lines[i]));
        const QFontMetrics metrics = painter.fontMetrics();
        if (i > 0 && top + metrics.height() > area.height()) {
            return PrintedPage(lines.begin() + static_cast<std::ptrdiff_t>(i), lines.end());
        }
        painter.drawText(0, top + metrics.ascent(), lines[i].text);
        top += metrics.lineSpacing();
    }
    return {};
}

}  // namespace

PrintedPage TitleLines(const QString& title) {
    const PrintedLine empty{QString(), kTitlePoints, true};
    return {{QString(kTitleIndent, u' ') + title, kTitlePoints, true}, empty, empty};
}

bool FixedPitchFontPresent(const QString& family) {
    const QFontInfo resolved(QFont{family});
    return resolved.fixedPitch() &&
           FacesOf(family).contains(resolved.family(), Qt::CaseInsensitive);
}

bool PaintPages(QPrinter& printer, const QString& family, const std::vector<PrintedPage>& pages) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    bool first = true;
    for (const PrintedPage& page : pages) {
        PrintedPage rest = page;
        do {
            if (!first) printer.newPage();
            first = false;
            rest = PaintLines(painter, family, rest);
        } while (!rest.empty());
    }
    return painter.end();
}

void PrintReport(QWidget* parent, PrintDialog& dialog, UserMessages& messages, const QString& title,
                 const PrintJob& job) {
    QPrinter printer(QPrinter::HighResolution);
    if (!dialog.AskPrinter(parent, printer)) return;
    if (!FixedPitchFontPresent(job.family)) {
        messages.ShowMessage(parent, title, job.fontMissingText);
        return;
    }
    if (!PaintPages(printer, job.family, job.pages())) {
        messages.ShowMessage(parent, title,
                             QStringLiteral("The report could not be printed on %1.")
                                 .arg(printer.printerName().isEmpty() ? printer.outputFileName()
                                                                      : printer.printerName()));
    }
}
