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
};

// Parses mount-table text (/proc/self/mounts); lines that are not well formed are skipped.
std::vector<MountEntry> ParseMountTable(QByteArrayView text);

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

// The listed volumes of a mount table: the last mount on each mount point (as the kernel shows
// it), in mount-point order. FactsOf answers for a mount's source.
std::vector<Volume> SelectVolumes(const std::vector<MountEntry>& entries,
                                  const std::function<BlockFacts(const QByteArray&)>& factsOf);
