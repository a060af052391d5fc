#include "ui/printed_report.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QStringList>
#include <QTextBoundaryFinder>

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

// Whether Cluster fills exactly one cell of the fixed pitch: the font itself has every
// character of it and draws it as wide as a digit. A character it lacks is drawn from another
// face, and some faces the system falls back to draw one narrower or wider than the pitch.
bool FillsCell(const QFontMetricsF& metrics, QStringView cluster, qreal cell) {
    for (const char32_t c : cluster.toUcs4()) {
        if (!metrics.inFontUcs4(c)) return false;
    }
    return qAbs(metrics.horizontalAdvance(cluster.toString()) - cell) < cell / 100;
}

// Text at Baseline, each character in its own cell of the fixed pitch: runs the font has are
// drawn whole, and a character it lacks is set at its cell, so the columns after it stay in line.
void PaintInCells(QPainter& painter, qreal baseline, const QString& text) {
    const QFontMetricsF metrics(painter.font(), painter.device());
    const qreal cell = metrics.horizontalAdvance(u'0');
    QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, text);
    qsizetype runStart = 0;
    const auto paintRun = [&](qsizetype end) {
        if (end > runStart)
            painter.drawText(QPointF(runStart * cell, baseline),
                             text.mid(runStart, end - runStart));
        runStart = end;
    };
    for (qsizetype start = 0, end = clusters.toNextBoundary(); end > 0;
         start = end, end = clusters.toNextBoundary()) {
        if (FillsCell(metrics, QStringView(text).mid(start, end - start), cell)) continue;
        paintRun(start);
        paintRun(end);
    }
    paintRun(text.size());
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
        PaintInCells(painter, top + metrics.ascent(), lines[i].text);
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
