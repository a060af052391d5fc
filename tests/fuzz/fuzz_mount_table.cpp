// The mount-table parsers on any text: they never fail, every entry they keep names an
// absolute mount point, and the volumes chosen from them are never more than the mounts.
#include <cstdint>
#include <cstdlib>

#include "platform/linux/mount_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const MountEntry& entry : ParseMountTable(text)) {
        if (!entry.mountPoint.startsWith('/')) std::abort();
    }
    const std::vector<MountEntry> mounts = ParseMountInfo(text);
    for (const MountEntry& entry : mounts) {
        if (!entry.mountPoint.startsWith('/')) std::abort();
    }
    const auto noFacts = [](const QByteArray&) { return BlockFacts{}; };
    if (SelectVolumes(mounts, noFacts).size() > mounts.size()) std::abort();
    DecodeUdevName(text);
    return 0;
}
