#pragma once
// The summary's text report: a title, an empty line, and the grid's rows padded to columns.

#include <QDateTime>
#include <QStringList>

#include "census/scan.h"
#include "table/cell_grid.h"

// The title names the sizes when Counting counts them other than by length.
QStringList SummaryTextReport(const CellGrid& grid, const QString& computerName,
                              const QDateTime& when, const SizeCounting& counting = {});

// " (space on disk, hard links once)", or "" for sizes by length with every link counted.
QString CountingSuffix(const SizeCounting& counting);
