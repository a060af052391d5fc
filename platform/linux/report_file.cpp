// Report files: the path resolved one name at a time from open folders, so that every
// symbolic link on the way is judged before it is followed.
#include "platform/report_file.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <deque>
#include <string>
#include <utility>

#include "platform/scoped_fd.h"

namespace {

QString Reason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

const QString kForeignLink = QStringLiteral(
    "It is a symbolic link that another user put in a shared folder; it is not followed.");

constexpr int kMostLinks = 40;  // as the system's own limit before ELOOP

// The system's rule for links in sticky folders that others may write, applied always: such a
// link is followed only when it belongs to the running user or to the folder's owner.
bool MayFollow(int folder, const struct stat& link) {
    struct stat holder {};
    if (fstat(folder, &holder) != 0) return false;
    const bool shared = (holder.st_mode & S_ISVTX) && (holder.st_mode & S_IWOTH);
    return !shared || link.st_uid == geteuid() || link.st_uid == holder.st_uid;
}

// /proc's links (/proc/self/fd/1, and so /dev/stdout) name open streams, not paths: only the
// system can follow them.
bool IsProcFolder(int folder) {
    struct statfs about {};
    return fstatfs(folder, &about) == 0 && about.f_type == PROC_SUPER_MAGIC;
}

std::deque<std::string> Names(const std::string& path) {
    std::deque<std::string> names;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        if (end > start && path.compare(start, end - start, ".") != 0)
            names.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

ScopedFd OpenFolder(int at, const char* name, int follow) {
    return ScopedFd(openat(at, name, O_PATH | O_DIRECTORY | O_CLOEXEC | follow));
}

std::string ReadLink(int folder, const std::string& name) {
    std::string target(PATH_MAX, '\0');
    const ssize_t got = readlinkat(folder, name.c_str(), target.data(), target.size());
    target.resize(got > 0 ? got : 0);
    return target;
}

// The folder that holds the target and the target's name in it, or the reason there is none.
struct Place {
    ScopedFd folder;
    std::string name;
    bool systemFollows = false;  // Name is a /proc link, opened as the system follows it
    QString error;
};

Place Resolve(const std::string& path) {
    Place place{OpenFolder(AT_FDCWD, path.starts_with('/') ? "/" : ".", 0), {}, false, {}};
    std::deque<std::string> names = Names(path);
    int links = 0;
    if (names.empty()) names.push_back(".");
    while (place.folder.get() >= 0) {
        std::string name = std::move(names.front());
        names.pop_front();
        struct stat entry {};
        const bool found =
            fstatat(place.folder.get(), name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) == 0;
        if (found && S_ISLNK(entry.st_mode)) {
            if (!MayFollow(place.folder.get(), entry))
                return Place{ScopedFd(), {}, false, kForeignLink};
            if (names.empty() && IsProcFolder(place.folder.get())) {
                place.name = name;
                place.systemFollows = true;
                return place;
            }
            if (++links > kMostLinks) return Place{ScopedFd(), {}, false, Reason(ELOOP)};
            const std::string target = ReadLink(place.folder.get(), name);
            if (target.empty()) return Place{ScopedFd(), {}, false, Reason(errno ? errno : ENOENT)};
            if (target.starts_with('/')) place.folder = OpenFolder(AT_FDCWD, "/", 0);
            std::deque<std::string> inner = Names(target);
            names.insert(names.begin(), inner.begin(), inner.end());
            if (names.empty()) names.push_back(".");
            continue;
        }
        if (names.empty()) {
            place.name = std::move(name);
            return place;
        }
        if (!found) return Place{ScopedFd(), {}, false, Reason(errno)};
        place.folder = OpenFolder(place.folder.get(), name.c_str(), O_NOFOLLOW);
    }
    return Place{ScopedFd(), {}, false, Reason(errno)};
}

// The new file of a report written over an old one keeps the old one's mode, and its owner
// when the process may give it away (root may; a user may at least keep the group).
void KeepOwnerAndMode(int fd, const struct stat& old) {
    [[maybe_unused]] const int owner = fchown(fd, old.st_uid, old.st_gid);
    [[maybe_unused]] const int group = fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    fchmod(fd, old.st_mode & 07777);
}

// Writes all of Bytes to Fd: the system's reason when that fails, such as a full disk.
std::optional<QString> WriteAll(int fd, const QByteArray& bytes) {
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t written = write(fd, bytes.constData() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return Reason(written < 0 ? errno : EIO);
        done += written;
    }
    return std::nullopt;
}

std::optional<QString> WriteInPlace(const Place& place, const QByteArray& bytes) {
    const int follow = place.systemFollows ? 0 : O_NOFOLLOW;
    const ScopedFd file(openat(place.folder.get(), place.name.c_str(),
                               O_WRONLY | O_TRUNC | O_NOCTTY | O_CLOEXEC | follow));
    if (file.get() < 0) return Reason(errno);
    return WriteAll(file.get(), bytes);
}

// A new file beside the target with a name of its own: its name and handle.
std::pair<std::string, ScopedFd> CreateTemporary(int folder) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name =
            ".report-" + std::to_string(QRandomGenerator::global()->generate());
        ScopedFd file(openat(folder, name.c_str(),
                             O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (file.get() >= 0 || errno != EEXIST) return {name, std::move(file)};
    }
    errno = EEXIST;
    return std::make_pair(std::string(), ScopedFd());
}

// Writes the temporary file and renames it over the target; Old is the target's status when
// there is one. The rename replaces the name itself, never what a link there points at.
std::optional<QString> Replace(const Place& place, const QByteArray& bytes,
                               const struct stat* old) {
    auto [temporary, file] = CreateTemporary(place.folder.get());
    if (file.get() < 0) return old != nullptr ? WriteInPlace(place, bytes) : Reason(errno);
    if (old != nullptr) KeepOwnerAndMode(file.get(), *old);
    std::optional<QString> reason = WriteAll(file.get(), bytes);
    if (!reason && fsync(file.get()) != 0) reason = Reason(errno);
    if (!reason && renameat(place.folder.get(), temporary.c_str(), place.folder.get(),
                            place.name.c_str()) != 0) {
        reason = Reason(errno);
    }
    if (reason) unlinkat(place.folder.get(), temporary.c_str(), 0);
    return reason;
}

}  // namespace

std::optional<QString> WriteReportFile(const QString& path, const QByteArray& bytes) {
    const Place place = Resolve(QFile::encodeName(path).toStdString());
    if (place.folder.get() < 0) return place.error;
    if (place.systemFollows) return WriteInPlace(place, bytes);
    struct stat old {};
    if (fstatat(place.folder.get(), place.name.c_str(), &old, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? Replace(place, bytes, nullptr) : Reason(errno);
    if (S_ISDIR(old.st_mode)) return QStringLiteral("It is a folder.");
    if (!S_ISREG(old.st_mode)) return WriteInPlace(place, bytes);  // devices, pipes
    // A report the user may not write is kept, even where the folder would let it be replaced.
    if (faccessat(place.folder.get(), place.name.c_str(), W_OK, AT_EACCESS) != 0)
        return Reason(errno);
    return Replace(place, bytes, &old);
}
