#pragma once
// What grew: the rows of a summary against an earlier snapshot holding their start
// directory, counted the same way. A folder of the snapshot that the summary no longer has
// comes back as a row with empty figures: gone.

#include <QString>
#include <optional>
#include <vector>

#include "census/snapshots.h"
#include "census/summary_data.h"

enum class Change { Same, Changed, New, Gone };

struct RowGrowth {
    qint64 bytes = 0;  // signed: now less then
    qint64 files = 0;
    Change change = Change::Same;
};

// The growth of each row of a summary, by its index in Results; none for rows of a start
// directory that was not compared.
using RowGrowths = std::vector<std::optional<RowGrowth>>;

// The snapshot a summary of Folder (with its trailing "/"), counted as CountingKey says, is
// compared with: Which is "last" (the newest), a snapshot's number, or a YYYY-MM-DD date (the
// newest taken on or before that day). Only complete snapshots taken before Before (Unix
// seconds) whose start holds Folder count. None with Error set when there is none.
std::optional<SnapshotInfo> BaseSnapshot(HistoryStore& store, const QByteArray& folder,
                                         const QByteArray& countingKey, const QString& which,
                                         qint64 before, QString* error);

// Compares the rows of Data counted under start directory Folder (as the rows name it; the
// snapshot holds it by its absolute path) with Base's rows of that folder into Growths;
// appends a row for each folder gone since (with empty figures, outside the totals). False
// with Error set when the snapshot cannot be read.
bool CompareWithSnapshot(HistoryStore& store, SummaryData& data, const QByteArray& folder,
                         const SnapshotInfo& base, RowGrowths& growths, QString* error);

// The growth of the row at Index of a summary's results; null for a row not compared.
const RowGrowth* GrowthAt(const RowGrowths& growths, int index);

QString ChangeWord(Change change);
