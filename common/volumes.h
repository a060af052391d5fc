#pragma once
// Mounted volumes: what the disk survey lists and what "My Computer" walks.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// Kinds of volume, numbered as the disk survey's drive types.
enum class DriveKind { Other = 1, Removable = 2, Fixed = 3, Network = 4, CdRom = 5 };

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

struct Volume {
    QByteArray mountPoint;  // "/", "/home", "/media/usb"
    QByteArray source;      // "/dev/sda1", "server:/export", "//server/share"
    QString fsType;         // "ext4", "vfat", "nfs4"
    DriveKind kind = DriveKind::Other;
    bool floppy = false;  // a floppy block device (/dev/fd*)
};

// What a survey learns of a volume that answered.
struct VolumeReport {
    QString label;
    QString networkName;  // the mount source of a network volume
    bool spaceKnown = false;
    double totalBytes = 0;
    double freeBytes = 0;
    std::int64_t clusterSize = 0;
    QString rawFigures;  // the system's own figures, for the diagnostic message
};

// The volume a mount entry stands for, or nothing for the kinds never listed: pseudo file
// systems, tmpfs and ramfs.
std::optional<Volume> VolumeOfMount(const MountEntry& entry, const BlockFacts& facts);

// The listed volumes of a mount table: the last mount on each mount point (as the kernel shows
// it), in mount-point order. FactsOf answers for a mount's source.
std::vector<Volume> SelectVolumes(const std::vector<MountEntry>& entries,
                                  const std::function<BlockFacts(const QByteArray&)>& factsOf);

class VolumeSource {
  public:
    virtual ~VolumeSource() = default;
    // Mounted volumes of kinds Removable, Fixed, Network and CdRom, in mount-point order.
    virtual std::vector<Volume> ListVolumes() = 0;
    // Nothing when the volume is not ready or did not answer within the time limit.
    virtual std::optional<VolumeReport> Survey(const Volume& volume) = 0;
};

// The machine's own volumes (LinuxVolumeSource with its defaults).
std::unique_ptr<VolumeSource> MakeSystemVolumeSource();
