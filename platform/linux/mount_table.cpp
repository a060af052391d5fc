#include "platform/linux/mount_table.h"

#include <QByteArrayList>
#include <algorithm>
#include <map>
#include <set>

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
        entries.push_back(MountEntry{DecodeOctalEscapes(fields[0]),
                                     DecodeOctalEscapes(fields[1]),
                                     DecodeOctalEscapes(fields[2]),
                                     DecodeOctalEscapes(fields[3]),
                                     {}});
    }
    return entries;
}

namespace {

// A mountinfo line: "ID PARENT MAJOR:MINOR ROOT MOUNT-POINT OPTIONS [TAGS...] - TYPE SOURCE
// SUPER-OPTIONS"; the tags before "-" vary in number.
std::optional<MountEntry> MountInfoEntry(const QByteArray& line) {
    const QByteArrayList fields = line.simplified().split(' ');
    const qsizetype dash = fields.indexOf("-", 6);
    if (dash < 0 || dash + 2 >= fields.size() || !fields[4].startsWith('/')) return std::nullopt;
    return MountEntry{DecodeOctalEscapes(fields[dash + 2]), DecodeOctalEscapes(fields[4]),
                      DecodeOctalEscapes(fields[dash + 1]), fields[5], fields[2]};
}

// The mounts no later mount covers, in the table's order: walking the table backwards, a
// mount is covered when a later one sits on its own mount point or on a folder above it.
std::vector<const MountEntry*> UncoveredMounts(const std::vector<MountEntry>& entries) {
    std::set<QByteArray> laterPoints;
    std::vector<const MountEntry*> uncovered;
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        const QByteArray& point = entry->mountPoint;
        bool covered = laterPoints.count("/") > 0;
        for (qsizetype slash = point.size(); !covered && slash > 0;
             slash = point.lastIndexOf('/', slash - 1)) {
            covered = laterPoints.count(point.left(slash)) > 0;
        }
        laterPoints.insert(point);
        if (!covered) uncovered.push_back(&*entry);
    }
    std::reverse(uncovered.begin(), uncovered.end());
    return uncovered;
}

// Among mounts of one file system the shortest mount point stands for it; on a tie the first.
bool StandsBefore(const Volume& one, const Volume& other) {
    if (one.mountPoint.size() != other.mountPoint.size()) {
        return one.mountPoint.size() < other.mountPoint.size();
    }
    return NaturalLess(one.mountPoint, other.mountPoint);
}

qsizetype DigitsFrom(QByteArrayView text, qsizetype at) {
    qsizetype end = at;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9')
        ++end;
    return end;
}

// Two runs of digits by their value: without leading zeros, the longer run is the larger.
int CompareNumbers(QByteArrayView one, QByteArrayView other) {
    const auto significant = [](QByteArrayView digits) {
        while (digits.size() > 1 && digits.front() == '0')
            digits = digits.sliced(1);
        return digits;
    };
    one = significant(one);
    other = significant(other);
    if (one.size() != other.size()) return one.size() < other.size() ? -1 : 1;
    return one.compare(other);
}

}  // namespace

bool NaturalLess(QByteArrayView one, QByteArrayView other) {
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < one.size() && j < other.size()) {
        const qsizetype endOne = DigitsFrom(one, i);
        const qsizetype endOther = DigitsFrom(other, j);
        if (endOne > i && endOther > j) {
            const int order =
                CompareNumbers(one.sliced(i, endOne - i), other.sliced(j, endOther - j));
            if (order != 0) return order < 0;
            i = endOne;
            j = endOther;
        } else if (one[i] != other[j]) {
            return static_cast<unsigned char>(one[i]) < static_cast<unsigned char>(other[j]);
        } else {
            ++i;
            ++j;
        }
    }
    if (one.size() - i != other.size() - j) return one.size() - i < other.size() - j;
    return one.compare(other) < 0;  // "/m01" and "/m1": any fixed order
}

std::vector<MountEntry> ParseMountInfo(QByteArrayView text) {
    std::vector<MountEntry> entries;
    for (const QByteArray& line : text.toByteArray().split('\n')) {
        if (std::optional<MountEntry> entry = MountInfoEntry(line)) entries.push_back(*entry);
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
    std::vector<Volume> volumes;
    std::map<QByteArray, std::size_t> byDevice;  // where each file system's volume stands
    for (const MountEntry* entry : UncoveredMounts(entries)) {
        std::optional<Volume> volume = VolumeOfMount(*entry, factsOf(entry->source));
        if (!volume) continue;
        if (entry->device.isEmpty()) {
            volumes.push_back(std::move(*volume));
            continue;
        }
        const auto [known, added] = byDevice.try_emplace(entry->device, volumes.size());
        if (added) {
            volumes.push_back(std::move(*volume));
        } else if (StandsBefore(*volume, volumes[known->second])) {
            volumes[known->second] = std::move(*volume);
        }
    }
    std::sort(volumes.begin(), volumes.end(), [](const Volume& one, const Volume& other) {
        return NaturalLess(one.mountPoint, other.mountPoint);
    });
    return volumes;
}
