#pragma once
// The summary window's side of the history, done on the walk's worker so the window never
// waits for the store: what a walk is expected to list, the comparison with earlier
// snapshots, keeping the summary as a snapshot, and reading a saved one instead of walking.

#include <QStringList>
#include <cstdint>
#include <optional>
#include <stop_token>
#include <vector>

#include "census/snapshot_compare.h"

// The snapshots a window compares its summaries with: chosen when its first summary
// completes (the newest holding each start directory, taken before the window's walk began)
// and kept through drill-down, Back and Refresh, until New or "Compare With ..." choose again.
struct ComparisonBases {
    bool chosen = false;
    QByteArray counting;  // the way of counting they were chosen for, as CountingKey words
    std::vector<SnapshotInfo> snapshots;
};

// What a window's walk asks of the history.
struct HistoryPlan {
    bool keep = false;     // save the summary as a snapshot
    bool compare = false;  // compare it with the bases
    ComparisonBases bases;
    qint64 windowBegan = 0;  // Unix seconds: when the window's first walk began
    HistoryStore::Options store;
};

// A summary's rows, what they grew by, and what the store had to say.
struct ComparedSummary {
    SummaryData data;  // the rows of a walk, then a row for each folder gone since the base
    RowGrowths growths{};
    std::optional<SnapshotInfo> base{};  // the first snapshot compared with
    ComparisonBases bases{};             // as chosen for this summary
    QStringList warnings{};
};

// What the window's worker hands back: the summary, and how its walk ended.
struct WindowSummary {
    ComparedSummary summary;
    QByteArray counting;  // the way of counting, as CountingKey words
    bool complete = true;
    std::int64_t excluded = 0;
    std::optional<SnapshotInfo> snapshot{};  // the saved snapshot shown instead of a walk
};

// Walks Request as the plan says: tells Progress how many entries to expect, compares the
// rows of a walk that completed with the bases (choosing them first when the plan has none
// for this way of counting) and saves it as a snapshot, taken at Began (Unix seconds).
WindowSummary WalkWithHistory(ScanRequest request, const HistoryPlan& plan, qint64 began,
                              int threads, std::stop_token stop, WalkProgress& progress);

// The rows of snapshot Id for the folder Absolute (with its trailing "/") inside it, as a
// walk would give them; a warning and no rows when it does not hold that folder.
WindowSummary ReadSnapshot(const HistoryStore::Options& store, qint64 id,
                           const QByteArray& absolute);

// Compares Summary's rows with the plan's bases (the deepest holding each start directory),
// choosing them first when the plan has none for the way of counting Key.
void CompareSummary(HistoryStore& store, const HistoryPlan& plan, const QByteArray& key,
                    ComparedSummary& summary);

// Takes the comparison away again: the rows of gone folders and every growth.
void DropComparison(SummaryData& data, RowGrowths& growths);

// Orders RowOrder by growth: column 1 bytes, 2 files; rows without growth count as none.
void SortByGrowth(const RowGrowths& growths, std::vector<int>& rowOrder, int column,
                  bool ascending);

// When a snapshot was taken, as the window tells it: "5 Dec 2026 14:02".
QString SnapshotTime(const SnapshotInfo& snapshot);
// The progress box's words after "Done!": "Compared with 5 Dec 2026 14:02."
QString ComparedText(const SnapshotInfo& base);
// The progress box's words for a saved snapshot shown: "Snapshot of 5 Dec 2026 14:02." and
// whether it is partial.
QString SnapshotText(const SnapshotInfo& snapshot);

// The share of Expected entries listed and the time left at the rate so far, after Seconds:
// " (42 %, about 3 min left)"; "" when nothing is expected.
QString EstimateText(std::int64_t entries, std::int64_t expected, double seconds);
