#pragma once
// The disk survey as JSON for scripts: one object per listed volume with its raw figures.

#include <QByteArray>
#include <QDateTime>

#include "drives/volume_rows.h"

// The volumes of Rows, surveyed at When, in mount-point order. Sizes are bytes, null for a
// volume whose space is unknown: "avail_bytes" what the running user may write, "free_bytes"
// every free block, "used_bytes" the total less the available; the change since the last
// survey is 0, as report mode surveys once. "fault" says why a volume could not be surveyed
// (null when nothing went wrong). Each volume's forecast gives "growth_bytes_per_day",
// "days_until_full" (null when none) and "surveys" (how many the line was fitted to).
QByteArray DiskJson(const DiskRows& rows, const QDateTime& when);
