#pragma once
// Fixed-width little-endian fields inside byte buffers, whatever the host's byte order.

#include <cstdint>

namespace little_endian {

inline std::uint16_t Load16(const char* bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    return static_cast<std::uint16_t>(b[0] | b[1] << 8);
}

inline std::uint32_t Load32(const char* bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    return std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
           std::uint32_t{b[3]} << 24;
}

inline void Store32(char* bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>(value >> (8 * i) & 0xff);
}

}  // namespace little_endian
