#pragma once
// The disk window's pies, made from the numbers of its rows.

#include <QString>

#include "chart/pie_model.h"
#include "drives/disk_columns.h"
#include "drives/volume_rows.h"

// One wedge per volume of Rows by its "Avail MB", "Used MB" or "Total MB" (Column); a volume
// whose space is unknown counts 0. The totals are never a wedge.
PieModel DiskColumnPie(const DiskRows& rows, DiskColumn column, const QString& computerName);

// Used space first, then available space, of the table's row GridRow: 1 the first volume,
// one past the last volume the totals. Any other row gives a pie with no wedges.
PieModel SelectedDiskPie(const DiskRows& rows, int gridRow, const QString& computerName);
