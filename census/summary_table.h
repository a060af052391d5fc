#pragma once
// The summary grid: a heading row, one row per directory in display order, and the
// "Grand Total" row. Column widths follow the longest cell text, counted in characters of
// the fixed-pitch grid font at 150 twips each.

#include <QByteArray>
#include <QString>
#include <array>

#include "census/summary_data.h"
#include "settings/settings.h"
#include "table/cell_grid.h"

inline constexpr int kTwipsPerChar = 150;
inline constexpr int kFullColumns = kLastField;
inline constexpr int kShortColumns = 4;
// Characters the name column gains for the mark of a row whose walk left something out.
inline constexpr int kNoteMarkChars = 2;

// Width of each grid column in characters, the two growth columns included.
using ColumnChars = std::array<double, kFullColumns + 2>;

int SummaryColumns(const Settings& settings);

// The heading row and column alignments for the settings' unit word and display form.
QString HeaderString(const Settings& settings);

// Writes the heading row and the initial column widths.
void SetupGrid(CellGrid& grid, const Settings& settings, ColumnChars& chars);

// Empties the grid to the heading and one empty row, and the summary data.
void ClearSummary(CellGrid& grid, SummaryData& data, const Settings& settings, ColumnChars& chars);

// Writes every row, the "Grand Total" row and the column widths. A volume's own row shows its
// mount point with the trailing "/", telling it from a directory row of the volume above it
// ("/home/" beside "/home" of "/"); other rows without it. Each directory row keeps
// its path's bytes as the grid's row data, and a note of what its walk could not read; the
// "Grand Total" row a note of the whole count. Returns the number of directory rows shown.
int FillGrid(CellGrid& grid, const SummaryData& data, const Settings& settings, ColumnChars& chars);

// Adds Note as the last lines of grid row Row's note; the name column widens for the note's
// mark when no row had one.
void AppendRowNote(CellGrid& grid, int row, const QString& note, ColumnChars& chars);

// The name cell of a path: "/" stays "/", "My Computer" for an empty path, otherwise the path
// without its trailing "/". Bytes that are not UTF-8 show as replacement characters.
QByteArray ShownPath(const QByteArray& path);
QString ShownText(const QByteArray& bytes);

// What a report of the summary under caption root Root is about, for its file name: the last
// name of its first place ("/srv/data;/tmp" gives "data"), "root" for "/", "My Computer" as it
// stands.
QString ReportSubject(const QByteArray& root);

// The directory of a grid row as bytes, or empty for the heading, "Grand Total" and rows
// beyond the table.
QByteArray DirectoryOfRow(const CellGrid& grid, int row);
