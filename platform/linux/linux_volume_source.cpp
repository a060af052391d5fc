#include "platform/linux/linux_volume_source.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

// Device-mapper over md over partitions is as deep as stacks go in practice; the limit also
// guards against a looping tree.
constexpr int kDeepestStack = 4;

bool FlagFileSet(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll().trimmed() == "1";
}

// A partition's removable flag lives on its disk, the directory above it.
QString DiskDirectory(const QString& deviceDir) {
    if (!QFileInfo::exists(deviceDir + QStringLiteral("/partition"))) return deviceDir;
    return QFileInfo(deviceDir).absolutePath();
}

bool OnUsbBus(const QString& deviceDir) {
    static const QRegularExpression usbBus(QStringLiteral("/usb\\d+/"));
    return usbBus.match(deviceDir).hasMatch();
}

BlockFacts FactsOfDirectory(const QString& deviceDir, int depth) {
    BlockFacts facts{FlagFileSet(DiskDirectory(deviceDir) + QStringLiteral("/removable")),
                     OnUsbBus(deviceDir)};
    if (depth >= kDeepestStack) return facts;
    const QDir slaves(deviceDir + QStringLiteral("/slaves"));
    for (const QFileInfo& slave : slaves.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const BlockFacts below = FactsOfDirectory(slave.canonicalFilePath(), depth + 1);
        facts.removable = facts.removable || below.removable;
        facts.usb = facts.usb || below.usb;
    }
    return facts;
}

// The mount point's directory; a mount point the user may not list is still opened as a
// path, so its space can be read.
int OpenMountPoint(const QByteArray& mountPoint) {
    const int fd = open(mountPoint.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0 || errno != EACCES) return fd;
    return open(mountPoint.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

QString LabelOf(int fd, const Volume& volume) {
    char label[FSLABEL_MAX] = {};
    if (ioctl(fd, FS_IOC_GETFSLABEL, label) == 0) {
        return QString::fromUtf8(label, static_cast<qsizetype>(strnlen(label, sizeof label)));
    }
    return LabelFromDirectory(QString::fromLatin1(kLabelDirectory), volume.source);
}

QString SystemFault(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Blocks of Size bytes, as bytes; the largest figure when they would not fit.
std::uint64_t BlockBytes(std::uint64_t blocks, std::uint64_t size) {
    std::uint64_t bytes = 0;
    return __builtin_mul_overflow(blocks, size, &bytes) ? ~std::uint64_t{0} : bytes;
}

void ReadSpace(int fd, VolumeReport& report) {
    struct statvfs space {};
    if (fstatvfs(fd, &space) != 0) {
        report.fault = SystemFault(errno);
        return;
    }
    report.spaceKnown = true;
    report.totalBytes = BlockBytes(space.f_blocks, space.f_frsize);
    report.availBytes = BlockBytes(space.f_bavail, space.f_frsize);
    report.freeBytes = BlockBytes(space.f_bfree, space.f_frsize);
    report.clusterSize = space.f_frsize;
    report.rawFigures =
        QStringLiteral(
            ", FragmentSize : %1, BlockSize : %2, AvailableBlocks : %3, FreeBlocks : "
            "%4, TotalBlocks : %5")
            .arg(space.f_frsize)
            .arg(space.f_bsize)
            .arg(space.f_bavail)
            .arg(space.f_bfree)
            .arg(space.f_blocks);
}

}  // namespace

// Shared by the caller and the worker, so either may be gone first.
struct TimeLimitedQueries::Pending {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::optional<VolumeReport> result;

    bool Done() {
        const std::lock_guard lock(mutex);
        return done;
    }
};

TimeLimitedQueries::TimeLimitedQueries(std::chrono::milliseconds limit) : limit_(limit) {}

// The summary's walk and the disk window may ask from different threads at once.
bool TimeLimitedQueries::StillOverdue(const QByteArray& key) {
    const std::lock_guard lock(overdueMutex_);
    const auto overdue = overdue_.find(key);
    if (overdue == overdue_.end()) return false;
    if (!overdue->second->Done()) return true;
    overdue_.erase(overdue);
    return false;
}

std::shared_ptr<TimeLimitedQueries::Pending> TimeLimitedQueries::Start(const QByteArray& key,
                                                                       Query query) {
    if (StillOverdue(key)) return nullptr;
    auto pending = std::make_shared<Pending>();
    try {
        std::thread([pending, query] {
            std::optional<VolumeReport> result = query();
            const std::lock_guard lock(pending->mutex);
            pending->result = std::move(result);
            pending->done = true;
            pending->finished.notify_all();
        }).detach();
    } catch (const std::system_error&) {
        // No thread to be had (a process limit): asked here, without the time limit, rather
        // than not at all.
        pending->result = query();
        pending->done = true;
    }
    return pending;
}

std::optional<VolumeReport> TimeLimitedQueries::Await(const QByteArray& key,
                                                      const std::shared_ptr<Pending>& pending,
                                                      Clock::time_point deadline) {
    if (!pending) return std::nullopt;
    std::unique_lock lock(pending->mutex);
    if (pending->finished.wait_until(lock, deadline, [&] { return pending->done; })) {
        return std::move(pending->result);
    }
    lock.unlock();
    const std::lock_guard overdueLock(overdueMutex_);
    overdue_[key] = pending;
    return std::nullopt;
}

std::optional<VolumeReport> TimeLimitedQueries::Run(const QByteArray& key, Query query) {
    return Await(key, Start(key, std::move(query)), Clock::now() + limit_);
}

std::vector<std::optional<VolumeReport>> TimeLimitedQueries::RunAll(
    std::vector<std::pair<QByteArray, Query>> queries) {
    std::vector<std::shared_ptr<Pending>> running;
    for (auto& [key, query] : queries)
        running.push_back(Start(key, std::move(query)));
    const Clock::time_point deadline = Clock::now() + limit_;
    std::vector<std::optional<VolumeReport>> answers;
    for (std::size_t i = 0; i < queries.size(); ++i)
        answers.push_back(Await(queries[i].first, running[i], deadline));
    return answers;
}

BlockFacts ReadBlockFacts(const QString& sysRoot, unsigned major, unsigned minor) {
    const QString link = QStringLiteral("%1/dev/block/%2:%3").arg(sysRoot).arg(major).arg(minor);
    const QString deviceDir = QFileInfo(link).canonicalFilePath();
    return deviceDir.isEmpty() ? BlockFacts{} : FactsOfDirectory(deviceDir, 0);
}

LinuxVolumeSource::LinuxVolumeSource(LinuxVolumeOptions options)
    : options_(std::move(options)), queries_(options_.timeLimit) {
    if (!options_.query) options_.query = QueryVolume;
}

BlockFacts LinuxVolumeSource::FactsOfSource(const QByteArray& source) const {
    struct stat device {};
    if (!source.startsWith("/dev/") || stat(source.constData(), &device) != 0 ||
        !S_ISBLK(device.st_mode)) {
        return {};
    }
    return ReadBlockFacts(options_.sysRoot, major(device.st_rdev), minor(device.st_rdev));
}

std::vector<Volume> LinuxVolumeSource::ListVolumes() {
    QFile table(options_.mountTable);
    if (!table.open(QIODevice::ReadOnly)) return {};
    return SelectVolumes(ParseMountInfo(table.readAll()),
                         [this](const QByteArray& source) { return FactsOfSource(source); });
}

TimeLimitedQueries::Query LinuxVolumeSource::QueryOf(const Volume& volume) const {
    return [query = options_.query, volume] { return query(volume); };
}

std::optional<VolumeReport> LinuxVolumeSource::Survey(const Volume& volume) {
    return queries_.Run(volume.mountPoint, QueryOf(volume));
}

std::vector<std::optional<VolumeReport>> LinuxVolumeSource::SurveyAll(
    const std::vector<Volume>& volumes) {
    std::vector<std::pair<QByteArray, TimeLimitedQueries::Query>> queries;
    for (const Volume& volume : volumes)
        queries.emplace_back(volume.mountPoint, QueryOf(volume));
    return queries_.RunAll(std::move(queries));
}

std::optional<VolumeReport> QueryVolume(const Volume& volume) {
    VolumeReport report;
    if (volume.kind == DriveKind::Network) report.networkName = QFile::decodeName(volume.source);
    const int fd = OpenMountPoint(volume.mountPoint);
    if (fd < 0) {
        report.fault = SystemFault(errno);
        return report;
    }
    const auto closeFd = qScopeGuard([fd] { close(fd); });
    report.label = LabelOf(fd, volume);
    ReadSpace(fd, report);
    return report;
}

QString LabelFromDirectory(const QString& labelDirectory, const QByteArray& source) {
    const QString device = QFileInfo(QFile::decodeName(source)).canonicalFilePath();
    if (device.isEmpty()) return {};
    const QDir links(labelDirectory);
    for (const QFileInfo& link : links.entryInfoList(QDir::System | QDir::Files)) {
        if (link.canonicalFilePath() == device) {
            return QString::fromUtf8(DecodeUdevName(link.fileName().toUtf8()));
        }
    }
    return {};
}

std::unique_ptr<VolumeSource> MakeSystemVolumeSource() {
    return std::make_unique<LinuxVolumeSource>();
}
