#include "platform/linux/walk_node.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <QByteArrayList>
#include <vector>

#include "platform/linux/file_system_types.h"
#include "platform/linux/mount_points.h"

namespace {

constexpr int kDirectoryFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Subdirectory Name of the open directory Fd, which it closes; -1 with errno set on failure.
int OpenStep(int fd, const char* name) {
    const int next = openat(fd, name, kDirectoryFlags);
    const int failure = errno;
    close(fd);
    errno = failure;
    return next;
}

// The statfs f_type of the open directory Fd; 0 when it cannot be told.
long FileSystemMagic(int fd) {
    struct statfs info {};
    return fstatfs(fd, &info) == 0 ? static_cast<long>(info.f_type) : 0;
}

}  // namespace

WalkNode* WalkNode::Root(const QByteArray& path, const QByteArray& below, std::uint64_t tag) {
    auto* node = new WalkNode;
    node->name = path;
    node->below = below;
    node->tag = tag;
    return node;
}

WalkNode* WalkNode::Child(WalkNode* parent, const char* name, ino_t inode, std::uint64_t tag) {
    auto* node = new WalkNode;
    parent->refs.fetch_add(1, std::memory_order_relaxed);
    node->parent = parent;
    node->name = QByteArray(name);
    node->inode = inode;
    node->tag = tag;
    node->depth = parent->depth + 1;
    return node;
}

int WalkNode::Open(const MountPoints& mounts, bool stayOnVolume, std::atomic<int>& openHandles,
                   int injectedError) {
    if (injectedError) {
        error = injectedError;
        ReleaseParentHandle(openHandles);
        return -1;
    }
    if (!parent) {
        fd = OpenRoot();
    } else if (borrowsParentHandle) {
        fd = OpenBelow(parent->fd, mounts, stayOnVolume);
        parent->DoneWithHandle(openHandles);
    } else if (const int parentFd = Opened(parent->ReopenByPath()); parentFd >= 0) {
        fd = OpenBelow(parentFd, mounts, stayOnVolume);
        close(parentFd);
    }
    if (fd < 0) return fd;
    openHandles.fetch_add(1, std::memory_order_relaxed);
    handleUsers_.store(1, std::memory_order_relaxed);
    return fd;
}

int WalkNode::Opened(int handle) {
    if (handle < 0) error = errno;
    return handle;
}

void WalkNode::ReleaseParentHandle(std::atomic<int>& openHandles) {
    if (parent && borrowsParentHandle) parent->DoneWithHandle(openHandles);
}

int WalkNode::OpenRoot() {
    const int opened = Opened(OpenRootPath());
    struct stat info {};
    if (opened < 0 || fstat(opened, &info) != 0) return opened;
    device = info.st_dev;
    inode = info.st_ino;
    const long magic = FileSystemMagic(opened);
    if (IsPseudoFileSystemMagic(magic)) {
        close(opened);
        return -1;
    }
    store = dos::StoreForFileSystem(magic);
    return opened;
}

int WalkNode::OpenBelow(int parentFd, const MountPoints& mounts, bool stayOnVolume) {
    device = parent->device;
    store = parent->store;
    const CoveredMount* mount = mounts.Find(parent->device, inode);
    if (!mount) {
        const int opened = Opened(openat(parentFd, name.constData(), kDirectoryFlags));
        return stayOnVolume ? OnParentsDevice(opened) : opened;
    }
    if (stayOnVolume || IsPseudoFileSystem(mount->fsType)) return -1;
    struct stat info {};
    if (fstatat(parentFd, name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0) return Opened(-1);
    if (IsAncestor(info.st_dev, info.st_ino)) return -1;
    device = info.st_dev;
    inode = info.st_ino;
    const int opened = Opened(openat(parentFd, name.constData(), kDirectoryFlags));
    if (opened >= 0) store = dos::StoreForFileSystem(FileSystemMagic(opened));
    return opened;
}

// The mount table read when the walk began misses volumes mounted since: the device of the
// open directory itself tells.
int WalkNode::OnParentsDevice(int fd) {
    if (fd < 0) return fd;
    struct statx info {};
    const bool known = statx(fd, "", AT_EMPTY_PATH | AT_STATX_DONT_SYNC, STATX_TYPE, &info) == 0;
    if (known && makedev(info.stx_dev_major, info.stx_dev_minor) == parent->device) return fd;
    if (!known) error = errno;
    close(fd);
    return -1;
}

bool WalkNode::IsAncestor(dev_t dev, ino_t ino) const {
    for (const WalkNode* node = parent; node; node = node->parent) {
        if (node->device == dev && node->inode == ino) return true;
    }
    return false;
}

int WalkNode::ReopenByPath() const {
    std::vector<const WalkNode*> chain;
    for (const WalkNode* node = this; node; node = node->parent)
        chain.push_back(node);
    int current = chain.back()->OpenRootPath();
    for (auto step = chain.rbegin() + 1; current >= 0 && step != chain.rend(); ++step)
        current = OpenStep(current, (*step)->name.constData());
    return current;
}

int WalkNode::OpenRootPath() const {
    int current = open(name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (const QByteArray& step : below.split('/')) {
        if (current >= 0 && !step.isEmpty()) current = OpenStep(current, step.constData());
    }
    return current;
}

void WalkNode::Abandon(std::atomic<int>& openHandles) {
    unfinished.store(true, std::memory_order_relaxed);
    ReleaseParentHandle(openHandles);
}

long WalkNode::ReadBatch(std::span<char> buffer, std::uint32_t* ordinal) {
    std::lock_guard lock(listingMutex_);
    if (listed_.load(std::memory_order_relaxed)) return 0;
    const long got = syscall(SYS_getdents64, fd, buffer.data(), buffer.size());
    if (got <= 0) listed_.store(true, std::memory_order_release);
    if (got < 0) return -errno;
    *ordinal = batchesRead_++;
    return got;
}

void WalkNode::DoneWithHandle(std::atomic<int>& openHandles) {
    if (handleUsers_.fetch_sub(1, std::memory_order_acq_rel) != 1) return;
    close(fd);
    fd = -1;
    openHandles.fetch_sub(1, std::memory_order_relaxed);
}

QByteArray WalkNode::Path() const {
    std::vector<const WalkNode*> chain;
    for (const WalkNode* node = this; node; node = node->parent)
        chain.push_back(node);
    QByteArray path = chain.back()->name;
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    if (!chain.back()->below.isEmpty())
        path += (path.endsWith('/') ? "" : "/") + chain.back()->below;
    for (auto step = chain.rbegin() + 1; step != chain.rend(); ++step) {
        if (!path.endsWith('/')) path += '/';
        path += (*step)->name;
    }
    return path;
}
