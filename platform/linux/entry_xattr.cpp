#include "platform/linux/entry_xattr.h"

#include <fcntl.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>

// Linux 6.13 numbers these alike on x86_64 and in the generic table.
#ifndef SYS_setxattrat
#define SYS_setxattrat 463
#endif
#ifndef SYS_getxattrat
#define SYS_getxattrat 464
#endif

namespace dos::detail {
namespace {

// The kernel's struct xattr_args.
struct XattrArgs {
    std::uint64_t value;
    std::uint32_t size;
    std::uint32_t flags;
};

// Set once a kernel without the *xattrat calls has answered ENOSYS.
std::atomic<bool> xattrAtMissing{false};

// "/proc/self/fd/" + a descriptor + "/" + a name of at most NAME_MAX bytes.
constexpr std::size_t kProcPathCapacity = 32 + 256;

bool FormatProcPath(int dirFd, const char* name, char (&path)[kProcPathCapacity]) {
    const int length = std::snprintf(path, sizeof path, "/proc/self/fd/%d/%s", dirFd, name);
    if (length >= 0 && static_cast<std::size_t>(length) < sizeof path) return true;
    errno = ENAMETOOLONG;
    return false;
}

// Runs AtCall unless the route or an earlier ENOSYS says otherwise, else PathCall on the
// /proc/self/fd path of the entry. Both return what the system call returned.
template <typename AtCall, typename PathCall>
long Route(int dirFd, const char* name, XattrRoute route, AtCall atCall, PathCall pathCall) {
    if (route == XattrRoute::Automatic && !xattrAtMissing.load(std::memory_order_relaxed)) {
        const long result = atCall();
        if (result >= 0 || errno != ENOSYS) return result;
        xattrAtMissing.store(true, std::memory_order_relaxed);
    }
    char path[kProcPathCapacity];
    if (!FormatProcPath(dirFd, name, path)) return -1;
    return pathCall(path);
}

}  // namespace

ssize_t GetEntryXattr(int dirFd, const char* name, const char* attribute, char* buffer,
                      std::size_t capacity, XattrRoute route) {
    auto at = [&] {
        XattrArgs args{reinterpret_cast<std::uintptr_t>(buffer),
                       static_cast<std::uint32_t>(capacity), 0};
        return syscall(SYS_getxattrat, dirFd, name, AT_SYMLINK_NOFOLLOW, attribute, &args,
                       sizeof args);
    };
    auto byPath = [&](const char* path) { return lgetxattr(path, attribute, buffer, capacity); };
    return Route(dirFd, name, route, at, byPath);
}

bool ReplaceEntryXattr(int dirFd, const char* name, const char* attribute, QByteArrayView value,
                       XattrRoute route) {
    auto at = [&] {
        XattrArgs args{reinterpret_cast<std::uintptr_t>(value.data()),
                       static_cast<std::uint32_t>(value.size()), XATTR_REPLACE};
        return syscall(SYS_setxattrat, dirFd, name, AT_SYMLINK_NOFOLLOW, attribute, &args,
                       sizeof args);
    };
    auto byPath = [&](const char* path) {
        return static_cast<long>(
            lsetxattr(path, attribute, value.data(), value.size(), XATTR_REPLACE));
    };
    return Route(dirFd, name, route, at, byPath) == 0;
}

}  // namespace dos::detail
