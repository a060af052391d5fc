#pragma once
// Extended attributes of a directory entry named relative to an open directory, never
// following a symbolic link in the last component.

#include <sys/types.h>
#include <QByteArrayView>
#include <cstddef>

namespace dos::detail {

// How the entry is reached. Automatic uses getxattrat/setxattrat and falls back to
// /proc/self/fd/DIR/NAME for good once the kernel turns out to lack them; ProcFdPath always
// takes the fallback, so tests can cover it on any kernel.
enum class XattrRoute { Automatic, ProcFdPath };

// The length of the value copied into Buffer, or -1 with errno set.
ssize_t GetEntryXattr(int dirFd, const char* name, const char* attribute, char* buffer,
                      std::size_t capacity, XattrRoute route);

// Replaces an existing value; false (errno set) when that fails or the value does not exist.
bool ReplaceEntryXattr(int dirFd, const char* name, const char* attribute, QByteArrayView value,
                       XattrRoute route);

}  // namespace dos::detail
