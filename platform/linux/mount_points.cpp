#include "platform/linux/mount_points.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <QFile>
#include <algorithm>

#include "platform/linux/mount_table.h"

namespace {

bool IsAtOrBelow(const QByteArray& path, const QByteArray& directory) {
    if (directory == "/") return true;
    return path == directory || path.startsWith(directory + '/');
}

// The inode that the listing of Parent gives for its entry Name, and Parent's device.
bool CoveredInode(const QByteArray& parent, const QByteArray& name, dev_t* device, ino_t* inode) {
    const int fd = open(parent.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    bool found = false;
    if (fstat(fd, &info) == 0) {
        *device = info.st_dev;
        alignas(8) char buffer[16384];
        long got = 0;
        while (!found && (got = syscall(SYS_getdents64, fd, buffer, sizeof buffer)) > 0) {
            for (long at = 0; at < got;) {
                const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
                if (name == entry->d_name) {
                    *inode = entry->d_ino;
                    found = true;
                    break;
                }
                at += entry->d_reclen;
            }
        }
    }
    close(fd);
    return found;
}

QByteArray CanonicalOrSame(const QByteArray& path) {
    char* resolved = realpath(path.constData(), nullptr);
    if (!resolved) return path;
    QByteArray canonical(resolved);
    free(resolved);
    return canonical;
}

}  // namespace

MountPoints MountPoints::Below(const std::vector<QByteArray>& directories) {
    std::vector<QByteArray> roots;
    for (const QByteArray& directory : directories)
        roots.push_back(CanonicalOrSame(directory));
    QFile table(QStringLiteral("/proc/self/mounts"));
    MountPoints result;
    if (!table.open(QIODevice::ReadOnly)) return result;
    for (const MountEntry& mount : ParseMountTable(table.readAll())) {
        const QByteArray& point = mount.mountPoint;
        if (point == "/" || !point.startsWith('/')) continue;
        const bool relevant = std::any_of(roots.begin(), roots.end(), [&](const QByteArray& root) {
            return IsAtOrBelow(point, root);
        });
        const qsizetype slash = point.lastIndexOf('/');
        dev_t device = 0;
        ino_t inode = 0;
        if (relevant && CoveredInode(slash == 0 ? QByteArray("/") : point.left(slash),
                                     point.mid(slash + 1), &device, &inode)) {
            result.Add(device, inode, CoveredMount{mount.fsType});
        }
    }
    return result;
}

const CoveredMount* MountPoints::Find(dev_t device, ino_t inode) const {
    if (covered_.empty()) return nullptr;
    const auto found = covered_.find(Key{device, inode});
    return found == covered_.end() ? nullptr : &found->second;
}

void MountPoints::Add(dev_t device, ino_t inode, CoveredMount mount) {
    covered_.insert_or_assign(Key{device, inode}, std::move(mount));
}
