// Samba's DOSATTRIB value: an unparseable value is written back unchanged; rewriting a
// parseable one gives the new attributes and changes no byte of its record but the
// attribute field's four.
#include <cstdint>
#include <cstdlib>

#include "platform/dos_attributes.h"

namespace {

void Check(bool holds) {
    if (!holds) std::abort();
}

// The binary record after the text's NUL; empty when there is none.
QByteArrayView RecordOf(QByteArrayView value) {
    const qsizetype nul = value.indexOf('\0');
    return nul < 0 ? QByteArrayView() : value.sliced(nul + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    std::uint32_t attributes = 0;
    for (int i = 0; i < 4; ++i)
        attributes = attributes << 8 | data[i];
    const QByteArrayView value(reinterpret_cast<const char*>(data + 4),
                               static_cast<qsizetype>(size - 4));
    const QByteArray rewritten = dos::SambaValueWith(value, attributes);
    if (!dos::ParseSambaValue(value)) {
        Check(rewritten == value);
        return 0;
    }
    Check(dos::ParseSambaValue(rewritten) == attributes);
    const QByteArrayView before = RecordOf(value);
    const QByteArrayView after = RecordOf(rewritten);
    Check(before.size() == after.size());
    qsizetype first = -1;
    for (qsizetype i = 0; i < before.size(); ++i) {
        if (before[i] == after[i]) continue;
        if (first < 0) first = i;
        Check(i - first < 4);
    }
    return 0;
}
