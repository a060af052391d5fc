#pragma once
// The columns of the disk table, read by the disk window and its reports.

enum DiskColumn {
    kDriveCol = 0,
    kLabelCol = 1,
    kTypeCol = 2,
    kAvailCol = 3,
    kUsedCol = 4,
    kPercentCol = 5,
    kTotalCol = 6,
    kClusterCol = 7,
    kChangedCol = 8,
};

// The columns a table may have after Changed, in this order. A column it lacks has the number
// -1, and the ones after it move up.
struct DiskColumns {
    bool perDay = false;      // the forecast's growth a day, in megabytes
    bool fullIn = false;      // when the forecast has the volume full
    bool networkMap = false;  // where a network volume comes from

    int PerDayCol() const { return perDay ? kChangedCol + 1 : -1; }
    int FullInCol() const { return fullIn ? kChangedCol + 1 + perDay : -1; }
    int MapCol() const { return networkMap ? kChangedCol + 1 + perDay + fullIn : -1; }
    int Count() const { return kChangedCol + 1 + perDay + fullIn + networkMap; }
};
