#pragma once
// The drive survey: one disk-table row per listed volume, in mount-point order, then the
// totals row. Megabytes are 1048576 bytes.

#include <QByteArray>
#include <QString>
#include <functional>
#include <map>
#include <vector>

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

// Sets the grid up for Settings (the network-map column with CheckNetwork) and writes Rows
// into it: a volume row per record, keeping its mount point's bytes as the grid's row data and
// any fault as its note (with a mark), then the totals row. Sets Memory's HaveCnt and
// MaxMapCol.
void FillDiskGrid(CellGrid& grid, const DiskRows& rows, const Settings& settings,
                  SurveyMemory& memory);

// What the note of a volume row that could not be surveyed says.
QString VolumeFaultText(const VolumeRecord& record);

// SurveyVolumes, then FillDiskGrid. Diagnostic, when set, is told each listed volume's raw
// figures. Returns the rows.
DiskRows SurveyDrives(CellGrid& grid, VolumeSource& volumes, const Settings& settings,
                      SurveyMemory& memory, const DiagnosticSink& diagnostic);
