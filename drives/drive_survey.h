#pragma once
// The drive survey: one disk-table row per listed volume, in mount-point order, then the
// totals row. Megabytes are 1048576 bytes.

#include <QByteArray>
#include <QString>
#include <functional>
#include <map>
#include <vector>

#include "drives/disk_columns.h"
#include "drives/volume_rows.h"
#include "platform/volumes.h"
#include "settings/settings.h"
#include "table/cell_grid.h"

inline constexpr const char* kTotalsLabel = "---- Total ----";

// What the disk window keeps from one survey to the next, for the life of the process.
struct SurveyMemory {
    bool FirstPass = true;  // during the first survey: every change shows as 0
    int HaveCnt = 0;        // rows of the table, heading and totals included
    int MaxMapCol = 0;      // characters of the widest network-map text, its heading's at least
    DiskColumns Columns;    // those of the table as last filled
    // Used MB of each mount point at its last survey: total less what the user may write.
    std::map<QByteArray, double> LastUsedMB;
};

// Receives the raw figures of each listed volume, for the user who asked for them.
using DiagnosticSink = std::function<void(const QString&)>;

// Whether Settings let a volume of this kind into the table. Fixed volumes always go in.
bool KindIncluded(const Volume& volume, const Settings& settings);

// The volumes of the kinds Settings let in that answered, asked all at once, in mount-point
// order, each with its figures. A volume that does not answer in time is left out without a
// word; one that answered with a fault stays, with the fault and no figures. The changes are
// measured against Memory's LastUsedMB, which the survey updates; FirstPass is cleared.
DiskRows SurveyVolumes(VolumeSource& volumes, const Settings& settings, SurveyMemory& memory);

// The columns the window shows under Settings: Full In while ShowFullIn is on, the network
// map with CheckNetwork.
DiskColumns WindowColumns(const Settings& settings);

// Sets the grid up with Columns and writes Rows into it: a volume row per record, keeping its
// mount point's bytes as the grid's row data and any fault as its note (with a mark), then the
// totals row. Sets Memory's HaveCnt, MaxMapCol and Columns.
void FillDiskGrid(CellGrid& grid, const DiskRows& rows, const DiskColumns& columns,
                  SurveyMemory& memory);

// Writes the forecasts of Rows into the Per Day and Full In columns that Columns has, blank
// where there is none: the growth a day in megabytes, signed, and "23 days", "9 months" or
// "> 2 years".
void WriteForecasts(CellGrid& grid, const DiskRows& rows, const DiskColumns& columns);

// What the note of a volume row that could not be surveyed says.
QString VolumeFaultText(const VolumeRecord& record);

// SurveyVolumes, then FillDiskGrid with Columns; the rows have no forecasts yet. Diagnostic,
// when set, is told each listed volume's raw figures. Returns the rows.
DiskRows SurveyDrives(CellGrid& grid, VolumeSource& volumes, const Settings& settings,
                      const DiskColumns& columns, SurveyMemory& memory,
                      const DiagnosticSink& diagnostic);
