#pragma once
// The figures of the tables: counts of entries and sums of bytes, kept exact. A sum of file
// lengths can pass 2^64 (a few sparse files of 2^62 bytes each), so figures are 128-bit.

#include <QByteArray>
#include <cstdint>

__extension__ typedef unsigned __int128 Figure;

// The largest figure that fits in 64 bits.
inline constexpr Figure kMost64 = ~std::uint64_t{0};

// Value's decimal digits, "0" for zero.
QByteArray FigureDigits(Figure value);
