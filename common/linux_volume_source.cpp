#include "common/linux_volume_source.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "common/volume_query.h"

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

}  // namespace

BlockFacts ReadBlockFacts(const QString& sysRoot, unsigned major, unsigned minor) {
    const QString link = QStringLiteral("%1/dev/block/%2:%3").arg(sysRoot).arg(major).arg(minor);
    const QString deviceDir = QFileInfo(link).canonicalFilePath();
    return deviceDir.isEmpty() ? BlockFacts{} : FactsOfDirectory(deviceDir, 0);
}

LinuxVolumeSource::LinuxVolumeSource(LinuxVolumeOptions options)
    : options_(std::move(options)), queries_(options_.timeLimit) {}

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
    return SelectVolumes(ParseMountTable(table.readAll()),
                         [this](const QByteArray& source) { return FactsOfSource(source); });
}

std::optional<VolumeReport> LinuxVolumeSource::Survey(const Volume& volume) {
    return queries_.Run(volume.mountPoint, [volume] { return QueryVolume(volume); });
}

std::unique_ptr<VolumeSource> MakeSystemVolumeSource() {
    return std::make_unique<LinuxVolumeSource>();
}
