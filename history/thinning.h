#pragma once
// Which snapshots of one series (one start directory, one way of counting) thinning lets go:
// every one of the last 7 days is kept, then the last one of each day for 8 weeks, then the
// last one of each month. Days and months are those of local time.

#include <QtGlobal>
#include <vector>

struct Dated {
    qint64 id = 0;
    qint64 time = 0;  // Unix seconds
};

// The ids of Snapshots to delete at time Now.
std::vector<qint64> ThinnedAway(std::vector<Dated> snapshots, qint64 now);
