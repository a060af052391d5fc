#pragma once
// The printed summary laid out as pages: on every page a title, two heading lines and at most
// 60 body lines, each grid row printed in fixed-width columns of the report font.

#include <QDateTime>
#include <QString>
#include <vector>

#include "settings/settings.h"
#include "table/cell_grid.h"
#include "ui/printed_report.h"

inline constexpr const char* kSummaryFontMissing = "Courier New Font Required!";
inline constexpr int kBodyLinesPerPage = 60;
// A directory name prints at most this many characters over its row and continuation lines.
inline constexpr int kPrintedNameLimit = 300;

// ComputerName " Directory Utilization as of " and the date and time.
QString SummaryPrintTitle(const QString& computerName, const QDateTime& when);

// Grid rows 1 to ShownRows + 1 (the last one "Grand Total", printed bold), under headings in
// the settings' unit word; the short display prints the first four columns. A name longer than
// its column goes on over continuation lines; a figure wider than its column pushes the line
// wider. A page ends after its 60th body line; the next page repeats the title and headings.
std::vector<PrintedPage> SummaryPrintedPages(const CellGrid& grid, int shownRows,
                                             const Settings& settings, const QString& title);
