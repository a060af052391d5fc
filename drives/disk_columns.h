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
    kMapCol = 9,
};
