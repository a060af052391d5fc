#pragma once
// The disk table as a text report, a comma file, clipboard text and a printed page. Each reads
// the grid as the last survey left it: the heading row, the volume rows, the totals row.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

#include "drives/disk_columns.h"
#include "table/cell_grid.h"
#include "table/report_text.h"
#include "ui/printed_report.h"

inline constexpr const char* kPrintFontMissing = "Sorry, Courier New font is required to print!";

// ComputerName " Disk Utilization as of " and the date and time.
QString DiskReportTitle(const QString& computerName, const QDateTime& when);

// The padded pieces of the text report's lines for a table with Columns: 93 characters for the
// 9-column table, 11 more for each of Per Day and Full In, 20 more for the network-map column,
// when no mount point is longer than the Drive column's 8.
std::vector<ReportColumn> DiskReportLayout(const DiskColumns& columns);

// The text report of a grid with Columns; the Drive column widens to the longest mount point,
// so none is cut.
QStringList DiskTextReport(const CellGrid& grid, const DiskColumns& columns, const QString& title);

// The title in 12 point bold after 15 spaces, two empty lines, then every row in 8 point bold:
// each column padded to its longest text and aligned as on the screen, 2 spaces after each
// piece, the table centred in 80 characters when it is narrower.
PrintedPage DiskPrintedPage(const CellGrid& grid, const QString& title);
