#include "census/summary_history.h"

#include "platform/directory_walk.h"

#include <QDateTime>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <set>

namespace {

constexpr qint64 kNoLimit = std::numeric_limits<qint64>::max();

void Warn(QStringList& warnings, const QString& warning) {
    if (!warning.isEmpty() && !warnings.contains(warning)) warnings << warning;
}

// Files and folders in a folder's tree, as its snapshot rows count them.
std::int64_t EntriesOf(const std::vector<DirectoryRecord>& rows) {
    Counts tree;
    for (const DirectoryRecord& row : rows)
        tree += row.counts;
    return static_cast<std::int64_t>(tree.Files + tree.Dirs);
}

// What a walk of Request's only start directory is expected to list: its tree in the newest
// snapshot holding it, counted the same way; 0 when none does.
std::int64_t ExpectedEntries(HistoryStore& store, const ScanRequest& request) {
    if (request.roots.size() != 1) return 0;
    const QByteArray folder = AbsoluteDirectory(request.roots.front());
    QString error;
    const std::optional<SnapshotInfo> newest =
        BaseSnapshot(store, folder, CountingKey(request), QStringLiteral("last"), kNoLimit, &error);
    if (!newest) return 0;
    const std::optional<SnapshotRows> rows =
        RowsOfSnapshot(store, newest->id, FolderBelow(newest->start, folder), &error);
    return rows ? EntriesOf(rows->result.rows) : 0;
}

// The start directories of Data's rows, each once.
std::vector<QByteArray> StartsOf(const SummaryData& data) {
    std::vector<QByteArray> starts;
    for (const DirectoryRecord& row : data.Results)
        if (std::find(starts.begin(), starts.end(), row.start) == starts.end())
            starts.push_back(row.start);
    return starts;
}

// The newest complete snapshot holding each start directory, taken before Before.
ComparisonBases ChooseBases(HistoryStore& store, const SummaryData& data, const QByteArray& key,
                            qint64 before, QStringList& warnings) {
    ComparisonBases bases{true, key, {}};
    for (const QByteArray& start : StartsOf(data)) {
        QString error;
        const std::optional<SnapshotInfo> base = BaseSnapshot(
            store, AbsoluteDirectory(start), key, QStringLiteral("last"), before, &error);
        if (base) bases.snapshots.push_back(*base);
        Warn(warnings, store.Warning());
    }
    return bases;
}

// The deepest of Bases whose start holds Folder (absolute, with its "/").
const SnapshotInfo* Holding(const ComparisonBases& bases, const QByteArray& folder) {
    const SnapshotInfo* deepest = nullptr;
    for (const SnapshotInfo& base : bases.snapshots) {
        if (!folder.startsWith(base.start)) continue;
        if (!deepest || base.start.size() > deepest->start.size()) deepest = &base;
    }
    return deepest;
}

}  // namespace

WindowSummary WalkWithHistory(ScanRequest request, const HistoryPlan& plan, qint64 began,
                              int threads, std::stop_token stop, WalkProgress& progress) {
    HistoryStore store(plan.store);
    WindowSummary walked;
    ComparedSummary& summary = walked.summary;
    const QByteArray key = CountingKey(request);
    if (plan.keep || plan.compare) {
        progress.Expect(ExpectedEntries(store, request));
        Warn(summary.warnings, store.Warning());
    }
    std::optional<SnapshotRecording> recording;
    if (plan.keep) recording.emplace(request);
    ScanResult result = ScanDirectories(request, threads, stop, &progress);
    walked.complete = result.complete;
    walked.excluded = result.excluded;
    if (recording) {
        for (const QString& warning : recording->Save(store, result, began))
            Warn(summary.warnings, warning);
    }
    walked.counting = key;
    summary.data.Record(std::move(result.rows));
    summary.bases = plan.bases;
    if (plan.compare && walked.complete) CompareSummary(store, plan, key, summary);
    return walked;
}

WindowSummary ReadSnapshot(const HistoryStore::Options& options, qint64 id,
                           const QByteArray& absolute) {
    HistoryStore store(options);
    WindowSummary read;
    QString error;
    std::optional<SnapshotInfo> info = store.Find(id);
    std::optional<SnapshotRows> rows;
    if (info && absolute.startsWith(info->start))
        rows = RowsOfSnapshot(store, id, FolderBelow(info->start, absolute), &error);
    if (!rows) {
        Warn(read.summary.warnings, error.isEmpty()
                                        ? QStringLiteral("there is no snapshot %1 of %2")
                                              .arg(id)
                                              .arg(QString::fromLocal8Bit(absolute))
                                        : error);
        return read;
    }
    read.snapshot = rows->info;
    read.counting = rows->info.counting;
    read.complete = !rows->info.partial;
    read.summary.data.Record(std::move(rows->result.rows));
    return read;
}

void CompareSummary(HistoryStore& store, const HistoryPlan& plan, const QByteArray& key,
                    ComparedSummary& summary) {
    summary.bases = plan.bases;
    if (!summary.bases.chosen || summary.bases.counting != key)
        summary.bases = ChooseBases(store, summary.data, key, plan.windowBegan, summary.warnings);
    summary.base.reset();
    for (const QByteArray& start : StartsOf(summary.data)) {
        const SnapshotInfo* base = Holding(summary.bases, AbsoluteDirectory(start));
        if (!base) continue;
        QString error;
        if (CompareWithSnapshot(store, summary.data, start, *base, summary.growths, &error)) {
            if (!summary.base) summary.base = *base;
        } else {
            Warn(summary.warnings, error);
        }
    }
}

void DropComparison(SummaryData& data, RowGrowths& growths) {
    std::vector<DirectoryRecord> walked;
    for (std::size_t i = 0; i < data.Results.size(); ++i) {
        const RowGrowth* growth = GrowthAt(growths, static_cast<int>(i));
        const bool gone = growth && growth->change == Change::Gone;
        if (!gone) walked.push_back(std::move(data.Results[i]));
    }
    std::vector<int> order;
    for (int index : data.RowOrder)
        if (index < static_cast<int>(walked.size())) order.push_back(index);
    data.Results = std::move(walked);
    data.RowOrder = std::move(order);
    growths.clear();
}

void SortByGrowth(const RowGrowths& growths, std::vector<int>& rowOrder, int column,
                  bool ascending) {
    auto key = [&](int index) -> qint64 {
        const RowGrowth* growth = GrowthAt(growths, index);
        if (!growth) return 0;
        return column == 1 ? growth->bytes : growth->files;
    };
    std::stable_sort(rowOrder.begin(), rowOrder.end(),
                     [&](int a, int b) { return ascending ? key(a) < key(b) : key(b) < key(a); });
}

QString SnapshotTime(const SnapshotInfo& snapshot) {
    const QDateTime when = QDateTime::fromSecsSinceEpoch(snapshot.time);
    return QLocale::c().toString(when, QStringLiteral("d MMM yyyy HH:mm"));
}

QString ComparedText(const SnapshotInfo& base) {
    return QStringLiteral("Compared with %1.").arg(SnapshotTime(base));
}

QString SnapshotText(const SnapshotInfo& snapshot) {
    const QString partial = snapshot.partial ? QStringLiteral(
                                                   " It is partial: some folders were "
                                                   "not read.")
                                             : QString();
    return QStringLiteral("Snapshot of %1.%2").arg(SnapshotTime(snapshot), partial);
}

QString EstimateText(std::int64_t entries, std::int64_t expected, double seconds) {
    if (expected <= 0) return {};
    const double share = std::min(1.0, static_cast<double>(entries) / expected);
    const int percent = static_cast<int>(share * 100);
    if (entries <= 0 || seconds < 1) return QStringLiteral(" (%1 %)").arg(percent);
    const double left = std::max(0.0, seconds * (expected - entries) / entries);
    const QString time = left < 60 ? QStringLiteral("%1 s").arg(std::lround(left))
                                   : QStringLiteral("%1 min").arg(std::lround(left / 60));
    return QStringLiteral(" (%1 %, about %2 left)").arg(percent).arg(time);
}
