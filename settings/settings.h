#pragma once
// The user's options: one record per process, filled from the settings store and shared by
// every window of the process.

#include <QString>
#include <QStringList>

struct Settings {
    QString Display;         // unit word: "Bytes", "KB", "MB" (or whatever the store held)
    double SizeDivisor = 0;  // 1, 1024 or 1048576
    QString SizeFormat;      // the summary table's size mask
    bool CheckFloppy = false;
    bool CheckRemovable = false;
    bool CheckNetwork = false;
    bool CheckCDROM = false;
    bool ShortDisplay = false;
    bool SizeOnDisk = false;      // sizes are the space allocated to files, not their lengths
    bool HardLinksOnce = false;   // a file with several hard links counts in one row only
    QStringList ExcludePatterns;  // shell patterns of entries a summary leaves out
    bool ExcludeCaches = false;   // a summary leaves out folders tagged as caches
    bool OfferTrash = true;       // the summary's popup offers Move to Trash
    bool KeepHistory = true;      // every summary is kept as a snapshot in the history store
    bool ShowGrowth = true;       // the summary shows its growth since an earlier snapshot
    bool ShowFullIn = true;       // the disk view shows when each volume will be full
    QString ComputerName;

    bool operator==(const Settings&) const = default;
};

// Divisor and mask of a unit word; false for a word that is not one of the three units.
bool UnitOf(const QString& display, double* divisor, QString* sizeFormat);

// A stored flag is set exactly when its text, lower-cased, is "true".
bool FlagOf(const QString& text);
inline QString FlagText(bool flag) {
    return flag ? QStringLiteral("True") : QStringLiteral("False");
}
