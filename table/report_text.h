#pragma once
// Report texts built from a grid's cells: the padded text report, the comma file, the
// clipboard text, and emitting a report.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "table/cell_grid.h"

// Prometheus: Tallmere32's exposition for a monitoring collector, never a file to save as.
enum class ReportKind { Text, Csv, Json, Prometheus, Unknown };

// The kind a report-mode option names: "txt", "csv" or "json".
ReportKind ReportKindOfWord(const QString& word);

// The kind Save As chooses by the file name's own extension (after the last "." of the last
// path component), in any letter case: "txt" or "csv".
ReportKind KindOfReportFile(const QString& fileName);

// One piece of a text report line: a grid column padded by PadField, then optional blanks.
struct ReportColumn {
    int width = 0;
    QString justify;  // "l", "r" or "c"
    int spacesAfter = 0;
    bool widens = false;  // at least as wide as its longest cell, so no name is cut
};

// The caption of both tables' text reports.
inline constexpr const char* kDiskUtilizationCaption = " Disk Utilization as of ";

// ComputerName + Caption + the local date and time in the general date format.
QString ReportTitle(const QString& computerName, const QString& caption, const QDateTime& when);

// Title centred in 100 characters, an empty line, then one padded line per grid row. Columns
// beyond the layout are left out. Every cell is written as ReportSafeText writes it. A figure as
// wide as its right-justified column or wider is written whole after a blank.
QStringList TextReportLines(const CellGrid& grid, const QString& title,
                            std::vector<ReportColumn> layout);

// The cells of one row separated by ",". A cell holding a comma, a double quote, CR or LF is
// enclosed in double quotes, its own double quotes doubled; any other cell is written as it is.
QString CsvLine(const QStringList& cells);
QStringList CsvLines(const CellGrid& grid);

// Every line followed by the platform's line end (LF; CR LF on Windows), as UTF-8 bytes.
QByteArray ReportBytes(const QStringList& lines);

// Every cell of every row: a TAB after each cell and the platform's line end after each row
// (LF; CR on Windows).
QString ClipboardText(const CellGrid& grid);

// Report mode: writes Bytes to standard output when OutputPath is empty, else to the file.
// Returns the exit status: 0, or 1 after a one-line message on standard error.
int EmitReport(const QByteArray& bytes, const QString& outputPath, const char* programName);
