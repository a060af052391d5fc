#pragma once
// The user's options: one record per process, filled from the settings store and shared by
// every window of the process.

#include <QString>
#include <QStringList>
#include <optional>

// The units the summary shows sizes in. Each knows its word, divisor and mask (settings.cpp).
enum class SizeUnit { Bytes, KB, MB };

struct Settings {
    QString Display;  // the unit word the headings show: a SizeUnit's, or whatever the store held
    SizeUnit Unit = SizeUnit::Bytes;  // the sizes' unit: the last stored word that named one
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

// The unit a word names ("Bytes", "KB", "MB"), or none.
std::optional<SizeUnit> UnitOf(const QString& word);
QString UnitWord(SizeUnit unit);
// Bytes in one of the unit: 1, 1024 or 1048576.
double Divisor(SizeUnit unit);
// The number mask of sizes in the unit: whole bytes, or kilo- and megabytes to one decimal.
QString SizeMask(SizeUnit unit);

// A stored flag is set exactly when its text, lower-cased, is "true".
bool FlagOf(const QString& text);
inline QString FlagText(bool flag) {
    return flag ? QStringLiteral("True") : QStringLiteral("False");
}
