#include "common/volume_query.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <cerrno>
#include <cstring>

namespace {

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

void ReadSpace(int fd, VolumeReport& report) {
    struct statvfs space {};
    if (fstatvfs(fd, &space) != 0) return;
    const double fragment = static_cast<double>(space.f_frsize);
    report.spaceKnown = true;
    report.totalBytes = static_cast<double>(space.f_blocks) * fragment;
    report.freeBytes = static_cast<double>(space.f_bfree) * fragment;
    report.clusterSize = static_cast<std::int64_t>(space.f_frsize);
    report.rawFigures =
        QStringLiteral(", FragmentSize : %1, BlockSize : %2, FreeBlocks : %3, TotalBlocks : %4")
            .arg(space.f_frsize)
            .arg(space.f_bsize)
            .arg(space.f_bfree)
            .arg(space.f_blocks);
}

}  // namespace

std::optional<VolumeReport> QueryVolume(const Volume& volume) {
    const int fd = OpenMountPoint(volume.mountPoint);
    if (fd < 0) return std::nullopt;
    const auto closeFd = qScopeGuard([fd] { close(fd); });
    VolumeReport report;
    report.label = LabelOf(fd, volume);
    if (volume.kind == DriveKind::Network) report.networkName = QFile::decodeName(volume.source);
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
