#pragma once
// The machine's mounted volumes: the mount table lists them, sysfs tells their kinds, and each
// is asked for its label and space on a worker thread with a time limit, so that a volume
// whose server is gone can neither freeze nor hang the caller.

#include <QByteArray>
#include <QString>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/linux/mount_table.h"

inline constexpr const char* kLabelDirectory = "/dev/disk/by-label";

class TimeLimitedQueries {
  public:
    using Query = std::function<std::optional<VolumeReport>()>;

    explicit TimeLimitedQueries(std::chrono::milliseconds limit);

    using Clock = std::chrono::steady_clock;

    // Runs Query on a worker thread and waits for it at most the limit; on the calling thread,
    // without a limit, when no thread can be started. Nothing when it did not finish in time; the
    // worker is then left to finish on its own and never waited for. While the worker of an earlier
    // query under Key is still running, nothing is returned at once and no second worker is
    // started.
    std::optional<VolumeReport> Run(const QByteArray& key, Query query);
    // Runs every query as Run does, all at once, and waits for them together at most the
    // limit in all. The answers come in the queries' order.
    std::vector<std::optional<VolumeReport>> RunAll(
        std::vector<std::pair<QByteArray, Query>> queries);

  private:
    struct Pending;
    // True while the worker of an earlier query under Key runs; forgets it once it ended.
    bool StillOverdue(const QByteArray& key);
    // The running query, or null when none could be started.
    std::shared_ptr<Pending> Start(const QByteArray& key, Query query);
    // The answer of Pending if it comes by Deadline; else remembers it as overdue under Key.
    std::optional<VolumeReport> Await(const QByteArray& key,
                                      const std::shared_ptr<Pending>& pending,
                                      Clock::time_point deadline);

    std::chrono::milliseconds limit_;
    std::mutex overdueMutex_;
    std::map<QByteArray, std::shared_ptr<Pending>> overdue_;
};

struct LinuxVolumeOptions {
    QString mountTable = QStringLiteral("/proc/self/mountinfo");
    QString sysRoot = QStringLiteral("/sys");
    // How long one volume may take to answer before it counts as not ready.
    std::chrono::milliseconds timeLimit{3000};
    // How a volume is asked (QueryVolume; tests put a server that hangs in its place).
    std::function<std::optional<VolumeReport>(const Volume&)> query{};
};

class LinuxVolumeSource final : public VolumeSource {
  public:
    explicit LinuxVolumeSource(LinuxVolumeOptions options = {});

    // The volumes of the mount table (SelectVolumes); an unreadable table lists none.
    std::vector<Volume> ListVolumes() override;
    // QueryVolume on a worker thread, within the time limit.
    std::optional<VolumeReport> Survey(const Volume& volume) override;
    // Every volume asked at once: at most one time limit in all.
    std::vector<std::optional<VolumeReport>> SurveyAll(const std::vector<Volume>& volumes) override;

  private:
    BlockFacts FactsOfSource(const QByteArray& source) const;
    TimeLimitedQueries::Query QueryOf(const Volume& volume) const;

    LinuxVolumeOptions options_;
    TimeLimitedQueries queries_;
};

// Facts of the block device Major:Minor below SysRoot: its disk's removable flag, and whether
// it hangs off a USB bus. A device-mapper or md device takes them from the devices it is
// built on. A device sysfs does not know has none.
BlockFacts ReadBlockFacts(const QString& sysRoot, unsigned major, unsigned minor);

// The volume's label, network name and space. A mount point that cannot be opened (below a
// folder the user may not search) or a space query that fails leaves spaceKnown false and says
// why in Fault. May block for as long as the volume's server takes to answer.
std::optional<VolumeReport> QueryVolume(const Volume& volume);

// The label under which LabelDirectory links to the block device Source; "" when none does.
QString LabelFromDirectory(const QString& labelDirectory, const QByteArray& source);
