// The mount-table parser on any text: it never fails, and every entry it keeps names an
// absolute mount point.
#include <cstdint>
#include <cstdlib>

#include "platform/linux/mount_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const MountEntry& entry : ParseMountTable(text)) {
        if (!entry.mountPoint.startsWith('/')) std::abort();
    }
    DecodeUdevName(text);
    return 0;
}
