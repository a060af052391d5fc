#include "census/snapshot_compare.h"

#include <QDate>
#include <QDateTime>
#include <map>

namespace {

bool Holds(const SnapshotInfo& snapshot, const QByteArray& folder) {
    return folder.startsWith(snapshot.start);
}

// The first moment after day Date, local time.
qint64 EndOfDay(const QDate& date) {
    return date.addDays(1).startOfDay().toSecsSinceEpoch();
}

qint64 Difference(const Counts& now, const Counts& then, decltype(Counts::Files) Counts::*field) {
    return static_cast<qint64>(now.*field) - static_cast<qint64>(then.*field);
}

// Now less Then; a folder that Then did not have is new.
RowGrowth GrowthOf(const Counts& now, const Counts* then) {
    const Counts none;
    const Counts& before = then ? *then : none;
    RowGrowth growth{Difference(now, before, &Counts::Bytes),
                     Difference(now, before, &Counts::Files), Change::Same};
    if (!then) {
        growth.change = Change::New;
    } else if (!(now == *then)) {
        growth.change = Change::Changed;
    }
    return growth;
}

}  // namespace

std::optional<SnapshotInfo> BaseSnapshot(HistoryStore& store, const QByteArray& folder,
                                         const QByteArray& countingKey, const QString& which,
                                         qint64 before, QString* error) {
    bool isNumber = false;
    const qint64 id = which.toLongLong(&isNumber);
    const QDate day = QDate::fromString(which, Qt::ISODate);
    const qint64 until = day.isValid() ? std::min(before, EndOfDay(day)) : before;
    for (const SnapshotInfo& snapshot : store.List()) {  // newest first
        if (isNumber ? snapshot.id != id : snapshot.time >= until) continue;
        if (!Holds(snapshot, folder) || snapshot.counting != countingKey || snapshot.partial) {
            if (!isNumber) continue;
            *error =
                QStringLiteral("snapshot %1 is not a complete summary holding %2 counted this way")
                    .arg(id)
                    .arg(QString::fromLocal8Bit(folder));
            return std::nullopt;
        }
        return snapshot;
    }
    *error = !store.Warning().isEmpty() ? store.Warning()
             : isNumber                 ? QStringLiteral("there is no snapshot %1").arg(id)
                        : QStringLiteral("no earlier snapshot holds %1 counted this way")
                              .arg(QString::fromLocal8Bit(folder));
    return std::nullopt;
}

bool CompareWithSnapshot(HistoryStore& store, SummaryData& data, const QByteArray& folder,
                         const SnapshotInfo& base, RowGrowths& growths, QString* error) {
    const QByteArray absolute = AbsoluteDirectory(folder);
    const std::optional<SnapshotRows> then =
        RowsOfSnapshot(store, base.id, FolderBelow(base.start, absolute), error);
    if (!then) return false;
    std::map<QByteArray, const DirectoryRecord*> before;  // by the path the rows give it
    for (const DirectoryRecord& row : then->result.rows)
        before[folder + row.Path.mid(then->root.size())] = &row;
    growths.resize(data.Results.size());
    for (std::size_t i = 0; i < data.Results.size(); ++i) {
        const DirectoryRecord& row = data.Results[i];
        if (row.start != folder) continue;
        const auto found = before.find(row.Path);
        growths[i] = GrowthOf(row.counts, found == before.end() ? nullptr : &found->second->counts);
        if (found != before.end()) before.erase(found);
    }
    for (const auto& [path, row] : before) {
        data.Results.push_back({path, {}, {}, false, folder});
        data.RowOrder.push_back(data.RowCount() - 1);
        RowGrowth gone = GrowthOf({}, &row->counts);
        gone.change = Change::Gone;
        growths.push_back(gone);
    }
    return true;
}

const RowGrowth* GrowthAt(const RowGrowths& growths, int index) {
    if (index < 0 || index >= static_cast<int>(growths.size()) || !growths[index]) return nullptr;
    return &*growths[index];
}

QString ChangeWord(Change change) {
    switch (change) {
        case Change::Same:
            return QStringLiteral("same");
        case Change::Changed:
            return QStringLiteral("changed");
        case Change::New:
            return QStringLiteral("new");
        case Change::Gone:
            return QStringLiteral("gone");
    }
    return {};
}
