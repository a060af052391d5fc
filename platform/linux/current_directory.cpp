#include "platform/current_directory.h"

#include <unistd.h>
#include <cerrno>
#include <climits>

QByteArray CurrentDirectory() {
    char path[PATH_MAX];
    if (getcwd(path, sizeof path) != nullptr) return QByteArray(path);
    if (errno != ENOENT) return QByteArrayLiteral(".");  // too long a path: "." still opens it
    // Deleted: the kernel still names it. No entry can be made in a deleted directory, so the
    // relative last resort cannot be opened either.
    const ssize_t length = readlink("/proc/self/cwd", path, sizeof path);
    if (length > 0 && length < static_cast<ssize_t>(sizeof path)) return QByteArray(path, length);
    return QByteArrayLiteral("(deleted)");
}
