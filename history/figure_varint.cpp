#include "history/figure_varint.h"

void AppendVarint(QByteArray& to, Figure value) {
    while (value >= 0x80) {
        to.append(static_cast<char>(static_cast<unsigned char>(value) | 0x80));
        value >>= 7;
    }
    to.append(static_cast<char>(value));
}

bool ReadVarint(const QByteArray& data, qsizetype& pos, Figure* value) {
    Figure result = 0;
    for (qsizetype at = pos, shift = 0; at < data.size() && shift < 7 * kMostVarintBytes;
         ++at, shift += 7) {
        const auto byte = static_cast<unsigned char>(data[at]);
        const Figure bits = byte & 0x7f;
        if (shift >= 126 && (bits >> (128 - shift)) != 0) return false;  // past 128 bits
        result |= bits << shift;
        if ((byte & 0x80) == 0) {
            pos = at + 1;
            *value = result;
            return true;
        }
    }
    return false;
}
