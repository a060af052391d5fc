// Samba's user.DOSATTRIB value: "0x20" text, optionally NUL-terminated and followed by a
// little-endian record (uint16 version, uint16 union level, then the version's fields).

#include "platform/dos_attributes.h"
#include "platform/linux/little_endian.h"

#include <charconv>

namespace dos {
namespace {

// Where a record version keeps its attributes, counted from the start of its fields.
struct RecordLayout {
    std::uint16_t version;
    qsizetype attribOffset;
    qsizetype fieldsSize;  // the fixed fields; anything after them is left alone
    bool hasValidFlags;    // the first field says which of the others hold values
};

constexpr RecordLayout kLayouts[] = {
    {1, 0, 40, false},  // attrib, ea_size, size, alloc_size, create_time, change_time
    {2, 4, 52, false},  // flags, attrib, ea_size, size, alloc_size, three times, name
    {3, 4, 44, true},   // valid_flags, attrib, ea_size, size, alloc_size, two times
    {4, 4, 24, true},   // valid_flags, attrib, itime, create_time
    {5, 4, 16, true},   // valid_flags, attrib, create_time
};

constexpr qsizetype kRecordHeaderSize = 4;     // version, union level
constexpr std::uint32_t kAttribIsValid = 0x1;  // bit of valid_flags

struct SambaParts {
    QByteArrayView text;  // the hex text without its NUL
    bool nulTerminated = false;
    QByteArrayView record;  // empty when the value is text only
    const RecordLayout* layout = nullptr;
};

const RecordLayout* LayoutOf(std::uint16_t version) {
    for (const RecordLayout& layout : kLayouts) {
        if (layout.version == version) return &layout;
    }
    return nullptr;
}

// False when a record follows the text but is not one of the known versions, or is cut short.
bool SplitRecord(QByteArrayView tail, SambaParts& parts) {
    if (tail.isEmpty()) return true;
    if (tail.size() < kRecordHeaderSize) return false;
    parts.layout = LayoutOf(little_endian::Load16(tail.data()));
    parts.record = tail;
    return parts.layout && tail.size() >= kRecordHeaderSize + parts.layout->fieldsSize;
}

std::optional<SambaParts> Split(QByteArrayView value) {
    SambaParts parts;
    const qsizetype nul = value.indexOf('\0');
    if (nul < 0) {
        parts.text = value;
        return parts;
    }
    parts.text = value.first(nul);
    parts.nulTerminated = true;
    if (!SplitRecord(value.sliced(nul + 1), parts)) return std::nullopt;
    return parts;
}

std::optional<std::uint32_t> ParseHexText(QByteArrayView text) {
    if (!text.startsWith("0x") && !text.startsWith("0X")) return std::nullopt;
    const char* digits = text.data() + 2;
    const char* end = text.data() + text.size();
    std::uint32_t attributes = 0;
    const auto [stop, error] = std::from_chars(digits, end, attributes, 16);
    if (digits == end || stop != end || error != std::errc{}) return std::nullopt;
    return attributes;
}

const char* RecordAttrib(const SambaParts& parts) {
    return parts.record.data() + kRecordHeaderSize + parts.layout->attribOffset;
}

std::optional<std::uint32_t> AttributesOf(const SambaParts& parts) {
    if (!parts.layout) return ParseHexText(parts.text);
    const char* fields = parts.record.data() + kRecordHeaderSize;
    if (parts.layout->hasValidFlags && !(little_endian::Load32(fields) & kAttribIsValid)) {
        return ParseHexText(parts.text);
    }
    return little_endian::Load32(RecordAttrib(parts));
}

}  // namespace

std::optional<std::uint32_t> ParseSambaValue(QByteArrayView value) {
    const std::optional<SambaParts> parts = Split(value);
    if (!parts) return std::nullopt;
    return AttributesOf(*parts);
}

QByteArray SambaValueWith(QByteArrayView value, std::uint32_t attributes) {
    const std::optional<SambaParts> parts = Split(value);
    if (!parts || !AttributesOf(*parts)) return value.toByteArray();
    QByteArray rewritten = "0x" + QByteArray::number(attributes, 16);
    if (parts->nulTerminated) rewritten.append('\0');
    if (parts->layout) {
        const qsizetype attribAt = rewritten.size() + (RecordAttrib(*parts) - parts->record.data());
        rewritten.append(parts->record);
        little_endian::Store32(rewritten.data() + attribAt, attributes);
    }
    return rewritten;
}

}  // namespace dos
