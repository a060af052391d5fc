#pragma once
// The summary as JSON for scripts: every figure a raw integer (bytes, not the unit shown), the
// rows in the order given, and the folders that could not be read.

#include <QByteArray>
#include <QDateTime>
#include <vector>

#include "census/scan.h"
#include "census/snapshot_compare.h"
#include "census/summary_data.h"

// The growth of the rows since an earlier snapshot, for the report.
struct JsonGrowth {
    const RowGrowths& rows;
    SnapshotInfo base;
};

// Data's rows in the order of its RowOrder, walked from Starts (each with its "/") counting
// sizes as Counting says, at When, with Excluded entries left out. With Growth, each row gains
// growth_bytes, growth_files and change, and the report compared_with.
QByteArray SummaryJson(const SummaryData& data, const std::vector<QByteArray>& starts,
                       const SizeCounting& counting, const QDateTime& when,
                       const JsonGrowth* growth = nullptr, Figure excluded = 0);

// Unix seconds as ISO 8601 in UTC, as the report's own time ("2026-12-05T14:02:00Z").
QString IsoTime(qint64 time);
