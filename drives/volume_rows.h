#pragma once
// The disk view's rows as numbers: a record per listed volume and the totals. The grid, the
// reports and the charts are all made from them; nothing is read back from a cell's text.

#include <optional>
#include <vector>

#include "drives/forecast.h"
#include "platform/volumes.h"

// A row's space as the table shows it, in megabytes of 1048576 bytes.
struct SpaceFigures {
    double availMB = 0;  // what the running user may write
    double usedMB = 0;   // the total less what is available, a tenth at most off
    double totalMB = 0;
    double changeMB = 0;             // of used space since the last survey; 0 on a first pass
    std::optional<int> percentUsed;  // none when there is no size to divide by
};

struct VolumeRecord {
    Volume volume;
    VolumeReport report;                  // the figures in bytes, the label, any fault
    std::optional<SpaceFigures> figures;  // none when the space is unknown
    std::optional<Forecast> forecast;     // from the surveys kept; none without enough of them
};

struct DiskRows {
    std::vector<VolumeRecord> volumes;       // in mount-point order
    SpaceFigures totals;                     // of the volumes whose space is known
    std::optional<Forecast> totalsForecast;  // of those volumes' surveys added up
};
