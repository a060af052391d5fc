#pragma once
// The disk survey as JSON for scripts: one object per listed volume with its raw figures.

#include <QByteArray>
#include <QDateTime>

#include "platform/volumes.h"
#include "settings/settings.h"

// The volumes Settings let into the table, surveyed at When, in mount-point order. Sizes are
// bytes, null for a volume whose space is unknown; the change since the last survey is 0, as
// report mode surveys once.
QByteArray DiskJson(VolumeSource& volumes, const Settings& settings, const QDateTime& when);
