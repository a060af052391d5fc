// Moving folders to the trash, as the freedesktop.org trash specification has it.
#include "platform/trash.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDateTime>
#include <QFile>
#include <QStandardPaths>
#include <cstring>
#include <optional>

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// An open handle, closed when it goes.
class Handle {
  public:
    explicit Handle(int fd = -1) : fd_(fd) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { Reset(-1); }
    int Fd() const { return fd_; }
    void Reset(int fd) {
        if (fd_ >= 0) close(fd_);
        fd_ = fd;
    }

  private:
    int fd_;
};

QString Reason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

TrashOutcome Refused(const QString& reason) {
    return TrashOutcome{false, reason, {}, {}};
}

std::optional<struct stat> StatAt(int dirFd, const char* name) {
    struct stat info {};
    if (fstatat(dirFd, name, &info, AT_SYMLINK_NOFOLLOW) != 0) return std::nullopt;
    return info;
}

FolderIdentity IdentityOf(const struct stat& info) {
    return FolderIdentity{static_cast<std::uint64_t>(info.st_dev),
                          static_cast<std::uint64_t>(info.st_ino)};
}

// Whether entry Name of DirFd is still the folder Identity names, and not a link.
bool StillTheFolder(int dirFd, const char* name, const FolderIdentity& identity) {
    const std::optional<struct stat> info = StatAt(dirFd, name);
    return info && S_ISDIR(info->st_mode) && IdentityOf(*info) == identity;
}

QByteArray ParentOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : path.left(slash);
}

// The device of Path or, when it does not exist yet, of the nearest folder above it.
dev_t DeviceOf(QByteArray path) {
    struct stat info {};
    while (stat(path.constData(), &info) != 0 && path != "/")
        path = ParentOf(path);
    return info.st_dev;
}

// The highest folder at or above Folder on Device: the top of its volume.
QByteArray VolumeTop(QByteArray folder, dev_t device) {
    struct stat info {};
    while (folder != "/") {
        const QByteArray parent = ParentOf(folder);
        if (stat(parent.constData(), &info) != 0 || info.st_dev != device) break;
        folder = parent;
    }
    return folder;
}

// Makes Folder and the folders above it that are missing, each readable by its owner only.
bool MakeFolders(const QByteArray& folder) {
    if (mkdir(folder.constData(), 0700) == 0 || errno == EEXIST) return true;
    if (errno != ENOENT || folder == "/") return false;
    return MakeFolders(ParentOf(folder)) &&
           (mkdir(folder.constData(), 0700) == 0 || errno == EEXIST);
}

// A trash in use: its "files" and "info" folders, and how its Path lines are written.
struct Trash {
    QByteArray folder;
    Handle files;
    Handle info;
    QByteArray top;  // Path lines relative to this folder, or absolute when empty
};

// Opens Folder's "files" and "info", making them when missing; Folder must be a folder of
// the running user's own, not a link. On failure Reason says why.
bool OpenTrash(const QByteArray& folder, Trash& trash, QString* reason) {
    if (!MakeFolders(folder)) {
        *reason = QStringLiteral("its trash %1 cannot be made: %2")
                      .arg(QFile::decodeName(folder), Reason(errno));
        return false;
    }
    const Handle root(open(folder.constData(), kFolderFlags));
    struct stat info {};
    if (root.Fd() < 0 || fstat(root.Fd(), &info) != 0 || info.st_uid != geteuid()) {
        *reason =
            QStringLiteral("its trash %1 is not a folder of yours").arg(QFile::decodeName(folder));
        return false;
    }
    for (const char* part : {"files", "info"}) {
        if (mkdirat(root.Fd(), part, 0700) != 0 && errno != EEXIST) {
            *reason = QStringLiteral("its trash %1 cannot be used: %2")
                          .arg(QFile::decodeName(folder), Reason(errno));
            return false;
        }
    }
    trash.folder = folder;
    trash.files.Reset(openat(root.Fd(), "files", kFolderFlags));
    trash.info.Reset(openat(root.Fd(), "info", kFolderFlags));
    if (trash.files.Fd() >= 0 && trash.info.Fd() >= 0) return true;
    *reason = QStringLiteral("its trash %1 cannot be used: %2")
                  .arg(QFile::decodeName(folder), Reason(errno));
    return false;
}

// "$top/.Trash/$uid" when the administrator made "$top/.Trash" a sticky folder (not a link),
// else "$top/.Trash-$uid".
QByteArray VolumeTrashFolder(const QByteArray& top) {
    const QByteArray base = top == "/" ? QByteArray() : top;
    const QByteArray uid = QByteArray::number(geteuid());
    const QByteArray shared = base + "/.Trash";
    struct stat info {};
    if (lstat(shared.constData(), &info) == 0 && S_ISDIR(info.st_mode) && (info.st_mode & S_ISVTX))
        return shared + '/' + uid;
    return base + "/.Trash-" + uid;
}

// The trash of the volume holding Folder, which lives on Device.
bool OpenTrashFor(const QByteArray& folder, dev_t device, const QByteArray& homeTrash, Trash& trash,
                  QString* reason) {
    if (DeviceOf(homeTrash) == device) return OpenTrash(homeTrash, trash, reason);
    trash.top = VolumeTop(ParentOf(folder), device);
    return OpenTrash(VolumeTrashFolder(trash.top), trash, reason);
}

QByteArray InfoText(const QByteArray& folder, const QByteArray& top) {
    QByteArray path = folder;
    if (!top.isEmpty()) path = folder.mid(top == "/" ? 1 : top.size() + 1);
    return "[Trash Info]\nPath=" + path.toPercentEncoding("/") + "\nDeletionDate=" +
           QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")).toLatin1() +
           '\n';
}

// Claims a name in the trash, Name or "Name.2", "Name.3", ...: its info file is made
// exclusively, so two programs trashing at once never take the same name.
std::optional<QByteArray> ClaimName(Trash& trash, const QByteArray& name, const QByteArray& text) {
    for (int n = 1; n < 10000; ++n) {
        const QByteArray candidate = n == 1 ? name : name + '.' + QByteArray::number(n);
        if (StatAt(trash.files.Fd(), candidate.constData())) continue;
        const QByteArray info = candidate + ".trashinfo";
        const int fd = openat(trash.info.Fd(), info.constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) return std::nullopt;
        const bool written = write(fd, text.constData(), text.size()) == text.size();
        if (close(fd) == 0 && written) return candidate;
        unlinkat(trash.info.Fd(), info.constData(), 0);
        return std::nullopt;
    }
    errno = EEXIST;
    return std::nullopt;
}

QString RenameFailure(int error) {
    if (error == EXDEV) return QStringLiteral("it cannot be moved within its own volume");
    return Reason(error);
}

}  // namespace

TrashOutcome MoveToTrash(const QByteArray& folder, const FolderIdentity& identity,
                         const QByteArray& homeTrash) {
    const QByteArray parent = ParentOf(folder);
    const QByteArray name = folder.mid(folder.lastIndexOf('/') + 1);
    const Handle parentFd(open(parent.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.startsWith('/') || name.isEmpty() || parentFd.Fd() < 0)
        return Refused(Reason(parentFd.Fd() < 0 ? errno : EINVAL));
    if (!StillTheFolder(parentFd.Fd(), name.constData(), identity))
        return Refused(QStringLiteral("it is no longer the folder that was summarised"));
    Trash trash;
    QString reason;
    if (!OpenTrashFor(folder, static_cast<dev_t>(identity.device), homeTrash, trash, &reason))
        return Refused(reason);
    const std::optional<QByteArray> claimed = ClaimName(trash, name, InfoText(folder, trash.top));
    if (!claimed) return Refused(QStringLiteral("its trash cannot take it: %1").arg(Reason(errno)));
    const QByteArray info = *claimed + ".trashinfo";
    const bool same = StillTheFolder(parentFd.Fd(), name.constData(), identity);
    if (!same ||
        renameat(parentFd.Fd(), name.constData(), trash.files.Fd(), claimed->constData())) {
        const QString why = same ? RenameFailure(errno)
                                 : QStringLiteral("it is no longer the folder that was summarised");
        unlinkat(trash.info.Fd(), info.constData(), 0);
        return Refused(why);
    }
    return TrashOutcome{
        true, {}, trash.folder + "/files/" + *claimed, trash.folder + "/info/" + info};
}

QByteArray HomeTrashFolder() {
    return QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                             QStringLiteral("/Trash"));
}
