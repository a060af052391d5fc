#pragma once
// Mounted volumes: what the disk survey lists and what "My Computer" walks.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// Kinds of volume, numbered as the disk survey's drive types.
enum class DriveKind { Other = 1, Removable = 2, Fixed = 3, Network = 4, CdRom = 5 };

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

class VolumeSource {
  public:
    virtual ~VolumeSource() = default;
    // Mounted volumes of kinds Removable, Fixed, Network and CdRom, in mount-point order.
    virtual std::vector<Volume> ListVolumes() = 0;
    // Nothing when the volume is not ready or did not answer within the time limit.
    virtual std::optional<VolumeReport> Survey(const Volume& volume) = 0;
    // Survey of each of Volumes, in their order. A source that can ask them all at once waits
    // at most one time limit in all; this one asks them one after another.
    virtual std::vector<std::optional<VolumeReport>> SurveyAll(const std::vector<Volume>& volumes);
};

// The machine's own volumes.
std::unique_ptr<VolumeSource> MakeSystemVolumeSource();
