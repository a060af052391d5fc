// Stand-in until the attribute stores land: no file system holds DOS attributes.
#include "common/dos_attributes.h"

namespace dos {
Store StoreForFileSystem(long) {
    return Store::None;
}
std::optional<std::uint32_t> ReadAttributes(int, const char*, Store) {
    return std::nullopt;
}
bool ClearArchive(int, const char*, Store) {
    return false;
}
std::optional<std::uint32_t> ParseSambaValue(QByteArrayView) {
    return std::nullopt;
}
QByteArray SambaValueWith(QByteArrayView value, std::uint32_t) {
    return value.toByteArray();
}
}  // namespace dos
