#include "platform/linux/cache_tag.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <string_view>

namespace {

constexpr std::string_view kSignature = "Signature: 8a477f597d28d172789f06886806bc55";

// The first Size bytes of file Name of DirFd (fewer when it is shorter); -1 when it cannot
// be opened as a plain file.
long ReadHead(int dirFd, const char* name, char* buffer, std::size_t size) {
    const int fd = openat(dirFd, name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return -1;
    std::size_t got = 0;
    long part = 0;
    while (got < size && (part = read(fd, buffer + got, size - got)) > 0)
        got += static_cast<std::size_t>(part);
    close(fd);
    return static_cast<long>(got);
}

}  // namespace

bool HoldsCacheTag(int dirFd, const char* name) {
    const int folder = openat(dirFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0) return false;
    char head[kSignature.size()];
    const long got = ReadHead(folder, "CACHEDIR.TAG", head, sizeof head);
    close(folder);
    return got == static_cast<long>(kSignature.size()) &&
           std::memcmp(head, kSignature.data(), kSignature.size()) == 0;
}
