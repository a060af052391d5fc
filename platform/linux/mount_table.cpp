#include "platform/linux/mount_table.h"

#include <QByteArrayList>
#include <map>

#include "platform/linux/file_system_types.h"

namespace {

int OctalDigit(char c) {
    return c >= '0' && c <= '7' ? c - '0' : -1;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The byte of the kernel's escape "\NNN" at Pos, or -1 when none stands there.
int OctalEscapeAt(QByteArrayView text, qsizetype pos) {
    if (pos + 3 >= text.size() || text[pos] != '\\') return -1;
    int value = 0;
    for (qsizetype i = pos + 1; i <= pos + 3; ++i) {
        const int digit = OctalDigit(text[i]);
        if (digit < 0) return -1;
        value = value * 8 + digit;
    }
    return value <= 0xff ? value : -1;
}

// The byte of udev's escape "\xNN" at Pos, or -1 when none stands there.
int HexEscapeAt(QByteArrayView text, qsizetype pos) {
    if (pos + 3 >= text.size() || text[pos] != '\\' || text[pos + 1] != 'x') return -1;
    const int high = HexDigit(text[pos + 2]);
    const int low = HexDigit(text[pos + 3]);
    return high < 0 || low < 0 ? -1 : high * 16 + low;
}

// Text with every four-character escape that EscapeAt recognises replaced by its byte.
QByteArray DecodeEscapes(QByteArrayView text, int (*escapeAt)(QByteArrayView, qsizetype)) {
    QByteArray decoded;
    decoded.reserve(text.size());
    for (qsizetype pos = 0; pos < text.size(); ++pos) {
        const int value = escapeAt(text, pos);
        if (value < 0) {
            decoded += text[pos];
        } else {
            decoded += static_cast<char>(value);
            pos += 3;
        }
    }
    return decoded;
}

// The kernel writes space, tab, newline and backslash in names as octal escapes.
QByteArray DecodeOctalEscapes(QByteArrayView text) {
    return DecodeEscapes(text, OctalEscapeAt);
}

// "/dev/sr0" is named "/dev/sr": the prefix and at least one more character.
bool IsDeviceNamed(const QByteArray& source, QByteArrayView prefix) {
    return source.startsWith(prefix) && source.size() > prefix.size();
}

DriveKind KindOf(const MountEntry& entry, const BlockFacts& facts) {
    if (IsPseudoFileSystem(entry.fsType) || IsMemoryFileSystem(entry.fsType)) {
        return DriveKind::Other;
    }
    if (IsNetworkFileSystem(entry.fsType)) return DriveKind::Network;
    if (IsDiscFileSystem(entry.fsType) || IsDeviceNamed(entry.source, "/dev/sr")) {
        return DriveKind::CdRom;
    }
    if (IsDeviceNamed(entry.source, "/dev/fd") || facts.removable || facts.usb) {
        return DriveKind::Removable;
    }
    return DriveKind::Fixed;
}

}  // namespace

std::vector<MountEntry> ParseMountTable(QByteArrayView text) {
    std::vector<MountEntry> entries;
    for (const QByteArray& line : text.toByteArray().split('\n')) {
        const QByteArrayList fields = line.simplified().split(' ');
        if (fields.size() < 4 || !fields[1].startsWith('/')) continue;
        entries.push_back(MountEntry{DecodeOctalEscapes(fields[0]), DecodeOctalEscapes(fields[1]),
                                     DecodeOctalEscapes(fields[2]), DecodeOctalEscapes(fields[3])});
    }
    return entries;
}

QByteArray DecodeUdevName(QByteArrayView name) {
    return DecodeEscapes(name, HexEscapeAt);
}

std::optional<Volume> VolumeOfMount(const MountEntry& entry, const BlockFacts& facts) {
    const DriveKind kind = KindOf(entry, facts);
    if (kind == DriveKind::Other) return std::nullopt;
    return Volume{entry.mountPoint, entry.source, QString::fromUtf8(entry.fsType), kind,
                  IsDeviceNamed(entry.source, "/dev/fd")};
}

std::vector<Volume> SelectVolumes(const std::vector<MountEntry>& entries,
                                  const std::function<BlockFacts(const QByteArray&)>& factsOf) {
    std::map<QByteArray, const MountEntry*> lastMount;  // ordered by mount point
    for (const MountEntry& entry : entries)
        lastMount[entry.mountPoint] = &entry;
    std::vector<Volume> volumes;
    for (const auto& [mountPoint, entry] : lastMount) {
        if (std::optional<Volume> volume = VolumeOfMount(*entry, factsOf(entry->source))) {
            volumes.push_back(std::move(*volume));
        }
    }
    return volumes;
}
