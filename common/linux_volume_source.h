#pragma once
// The machine's mounted volumes: the mount table, sysfs and statvfs.

#include <QString>
#include <chrono>

#include "common/time_limited_queries.h"
#include "common/volumes.h"

struct LinuxVolumeOptions {
    QString mountTable = QStringLiteral("/proc/self/mounts");
    QString sysRoot = QStringLiteral("/sys");
    // How long one volume may take to answer before it counts as not ready.
    std::chrono::milliseconds timeLimit{3000};
};

class LinuxVolumeSource final : public VolumeSource {
  public:
    explicit LinuxVolumeSource(LinuxVolumeOptions options = {});

    // The volumes of the mount table; an unreadable table lists none.
    std::vector<Volume> ListVolumes() override;
    // QueryVolume on a worker thread, within the time limit.
    std::optional<VolumeReport> Survey(const Volume& volume) override;

  private:
    BlockFacts FactsOfSource(const QByteArray& source) const;

    LinuxVolumeOptions options_;
    TimeLimitedQueries queries_;
};

// Facts of the block device Major:Minor below SysRoot: its disk's removable flag, and whether
// it hangs off a USB bus. A device-mapper or md device takes them from the devices it is
// built on. A device sysfs does not know has none.
BlockFacts ReadBlockFacts(const QString& sysRoot, unsigned major, unsigned minor);
