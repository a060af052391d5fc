#pragma once
// Figures as unsigned varints: seven bits a byte, low bits first, the high bit set on every
// byte but the last. Small figures take one byte; a 128-bit figure takes at most 19.

#include <QByteArray>

#include "table/figure.h"

inline constexpr int kMostVarintBytes = 19;

void AppendVarint(QByteArray& to, Figure value);

// Reads one varint at Pos of Data and moves Pos past it; false (Pos unchanged) when the bytes
// end first or the varint is longer than a figure.
bool ReadVarint(const QByteArray& data, qsizetype& pos, Figure* value);
