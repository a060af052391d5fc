#include "history/thinning.h"

#include <QDateTime>
#include <algorithm>
#include <set>

namespace {

constexpr qint64 kDay = 24 * 60 * 60;
constexpr qint64 kEveryOne = 7 * kDay;
constexpr qint64 kOneADay = 8 * 7 * kDay;

// The day or the month Time falls in, as a number to tell periods apart.
qint64 PeriodOf(qint64 time, qint64 age) {
    const QDate date = QDateTime::fromSecsSinceEpoch(time).date();
    return age <= kOneADay ? date.toJulianDay() : date.year() * 12 + date.month();
}

}  // namespace

std::vector<qint64> ThinnedAway(std::vector<Dated> snapshots, qint64 now) {
    // Newest first: the first one met in a period is the last one of it, the one kept.
    std::sort(snapshots.begin(), snapshots.end(), [](const Dated& a, const Dated& b) {
        return a.time != b.time ? a.time > b.time : a.id > b.id;
    });
    std::set<std::pair<bool, qint64>> periodsKept;
    std::vector<qint64> away;
    for (const Dated& snapshot : snapshots) {
        const qint64 age = now - snapshot.time;
        if (age <= kEveryOne) continue;
        const bool daily = age <= kOneADay;
        if (!periodsKept.insert({daily, PeriodOf(snapshot.time, age)}).second)
            away.push_back(snapshot.id);
    }
    return away;
}
