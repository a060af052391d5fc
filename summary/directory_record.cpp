#include "summary/directory_record.h"

#include <algorithm>

Counts& Counts::operator+=(const Counts& other) {
    Files += other.Files;
    Bytes += other.Bytes;
    Dirs += other.Dirs;
    HiddenFiles += other.HiddenFiles;
    HiddenBytes += other.HiddenBytes;
    HiddenDirs += other.HiddenDirs;
    SystemFiles += other.SystemFiles;
    SystemBytes += other.SystemBytes;
    ArchiveFiles += other.ArchiveFiles;
    ArchiveBytes += other.ArchiveBytes;
    return *this;
}

namespace {

bool PathOrder(const UnreadDirectory& a, const UnreadDirectory& b) {
    return a.path < b.path;
}

}  // namespace

void SortByPath(std::vector<UnreadDirectory>& folders) {
    std::sort(folders.begin(), folders.end(), PathOrder);
}

Skipped& Skipped::operator+=(const Skipped& other) {
    const auto middle = unread.insert(unread.end(), other.unread.begin(), other.unread.end());
    std::inplace_merge(unread.begin(), middle, unread.end(), PathOrder);
    unsized += other.unsized;
    unfinished = unfinished || other.unfinished;
    return *this;
}

Figure FieldValue(const Counts& counts, int field) {
    switch (field) {
        case 2:
            return counts.Files;
        case 3:
            return counts.Bytes;
        case 4:
            return counts.Dirs;
        case 5:
            return counts.HiddenFiles;
        case 6:
            return counts.HiddenBytes;
        case 7:
            return counts.HiddenDirs;
        case 8:
            return counts.SystemFiles;
        case 9:
            return counts.SystemBytes;
        case 10:
            return counts.ArchiveFiles;
        case 11:
            return counts.ArchiveBytes;
        default:
            return 0;
    }
}

bool IsSizeField(int field) {
    return field == 3 || field == 6 || field == 9 || field == 11;
}
