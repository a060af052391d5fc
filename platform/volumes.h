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
    std::uint64_t totalBytes = 0;
    std::uint64_t availBytes = 0;  // what the running user may still write
    std::uint64_t freeBytes = 0;   // every free block, the part kept for the administrator too
    std::uint64_t clusterSize = 0;
    QString rawFigures;  // the system's own figures, for the diagnostic message
    // Why the volume could not be reached or its space read ("Permission denied"); "" when
    // nothing went wrong.
    QString fault;
};

class VolumeSource {
  public:
    virtual ~VolumeSource() = default;
    // Mounted volumes of kinds Removable, Fixed, Network and CdRom, in mount-point order.
    virtual std::vector<Volume> ListVolumes() = 0;
    // Nothing when the volume did not answer within the time limit. A volume that answered
    // with a failure says why in the report's Fault.
    virtual std::optional<VolumeReport> Survey(const Volume& volume) = 0;
    // Survey of each of Volumes, in their order. A source that can ask them all at once waits
    // at most one time limit in all; this one asks them one after another.
    virtual std::vector<std::optional<VolumeReport>> SurveyAll(const std::vector<Volume>& volumes);
};

// The machine's own volumes.
std::unique_ptr<VolumeSource> MakeSystemVolumeSource();
