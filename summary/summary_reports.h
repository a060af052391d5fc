#pragma once
// The summary's text report: a title, an empty line, and the grid's rows padded to columns.

#include <QDateTime>
#include <QStringList>

#include "table/cell_grid.h"

QStringList SummaryTextReport(const CellGrid& grid, const QString& computerName,
                              const QDateTime& when);
