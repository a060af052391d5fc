#pragma once
// The Linux mount table: its lines, the kind of volume each mount is, and the volumes listed.

#include <QByteArray>
#include <QByteArrayView>
#include <functional>
#include <optional>
#include <vector>

#include "platform/volumes.h"

// One line of the mount table, every octal escape decoded.
struct MountEntry {
    QByteArray source;
    QByteArray mountPoint;
    QByteArray fsType;
    QByteArray options;
    QByteArray device;  // "major:minor" of the mounted file system; "" when the table has none
};

// Parses mount-table text (/proc/self/mounts); lines that are not well formed are skipped.
std::vector<MountEntry> ParseMountTable(QByteArrayView text);

// Parses the fuller table of /proc/self/mountinfo, which also names each mount's device, so
// that the mounts of one file system can be told apart from those of others. Lines that are
// not well formed are skipped.
std::vector<MountEntry> ParseMountInfo(QByteArrayView text);

// A name of /dev/disk/by-label with udev's "\xNN" escapes decoded.
QByteArray DecodeUdevName(QByteArrayView name);

// What sysfs tells of the block device behind a mount.
struct BlockFacts {
    bool removable = false;  // the disk's own removable flag
    bool usb = false;        // attached through USB
};

// The volume a mount entry stands for, or nothing for the kinds never listed: pseudo file
// systems, tmpfs and ramfs.
std::optional<Volume> VolumeOfMount(const MountEntry& entry, const BlockFacts& facts);

// Whether mount point One comes before Other when runs of digits are read as numbers.
bool NaturalLess(QByteArrayView one, QByteArrayView other);

// The listed volumes of a mount table, in the table's order of mounting. A mount that a later
// one covers (on the same mount point or on a folder above it) is left out, as the folders
// below it show the later mount's files. A file system mounted on several points (bind mounts)
// is listed once, on its shortest mount point. The volumes come in natural mount-point order
// ("/m2" before "/m10"). FactsOf answers for a mount's source.
std::vector<Volume> SelectVolumes(const std::vector<MountEntry>& entries,
                                  const std::function<BlockFacts(const QByteArray&)>& factsOf);
