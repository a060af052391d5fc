#pragma once
// Report mode's side of the history: the growth columns of a summary compared with a
// snapshot, the list of snapshots, and forgetting them.

#include <QStringList>

#include "census/program_options.h"
#include "census/snapshot_compare.h"
#include "census/summary_table.h"
#include "settings/settings.h"
#include "table/cell_grid.h"

// Adds "Growth Bytes" and "Growth Files" at the right of a filled summary grid: signed, the
// bytes in the grid's size unit; a gone folder's figures are left empty. The "Grand Total"
// row shows the growth of every row together.
void AddGrowthColumns(CellGrid& grid, const SummaryData& data, const RowGrowths& growths,
                      const Settings& settings);

// The window's growth columns: as AddGrowthColumns, each as wide as its longest text, with
// the name of a new folder marked "(new)" and of a gone one "(gone)"; a gone folder's row
// holds no directory to act on.
void ShowGrowthColumns(CellGrid& grid, const SummaryData& data, const RowGrowths& growths,
                       const Settings& settings, ColumnChars& chars);

// The snapshots listed as the report and the window list them: id, time, start, counting,
// files, bytes and whether partial, under a heading row.
CellGrid SnapshotListGrid(const std::vector<SnapshotInfo>& snapshots);

// The snapshots kept (of the start directories Words names, or all), newest first, in the
// options' report format. Returns the exit status.
int RunListSnapshots(const ProgramOptions& options);

// Deletes the snapshot the options name, or all. Returns the exit status.
int RunForget(const ProgramOptions& options);

// Opens the store at its usual place.
HistoryStore::Options HistoryOptions();

// Writes each warning of the store on standard error, once.
void TellHistoryWarnings(const QStringList& warnings);
