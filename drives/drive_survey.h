#pragma once
// The drive survey: one disk-table row per listed volume, in mount-point order, then the
// totals row. Megabytes are 1048576 bytes.

#include <QByteArray>
#include <QString>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "platform/volumes.h"
#include "settings/settings.h"
#include "table/cell_grid.h"

inline constexpr const char* kTotalsLabel = "---- Total ----";

// What the disk window keeps from one survey to the next.
struct SurveyMemory {
    bool FirstPass = true;  // during the first survey: every change shows as 0
    int HaveCnt = 0;        // rows of the table, heading and totals included
    int MaxMapCol = 0;      // characters of the widest network-map text, its heading's at least
    std::map<QByteArray, double> LastUsedMB;  // used MB of each mount point at its last survey
};

// Receives the raw figures of each listed volume, for the user who asked for them.
using DiagnosticSink = std::function<void(const QString&)>;

// Whether Settings let a volume of this kind into the table. Fixed volumes always go in.
bool KindIncluded(const Volume& volume, const Settings& settings);

// The volumes of the kinds Settings let in that answered, asked all at once, in mount-point
// order, each with its report.
std::vector<std::pair<Volume, VolumeReport>> SurveyIncluded(VolumeSource& volumes,
                                                            const Settings& settings);

// Sets the grid up for Settings and fills it from the volumes SurveyIncluded gives. A volume that
// is not ready or does not answer in time is left out without a word; one whose space is unknown
// gets empty figure cells. Each drive row keeps its mount point's bytes as the grid's row data. The
// changes are measured against Memory's LastUsedMB, which the survey updates, and FirstPass is
// cleared at the end. Diagnostic, when set, is told each listed volume's raw figures as soon as its
// row is written.
void SurveyDrives(CellGrid& grid, VolumeSource& volumes, const Settings& settings,
                  SurveyMemory& memory, const DiagnosticSink& diagnostic);
