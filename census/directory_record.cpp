#include "census/directory_record.h"

#include <algorithm>

Counts& Counts::operator+=(const Counts& other) {
    for (const RowField& field : kRowFields) {
        if (field.member) this->*field.member += other.*field.member;
    }
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
    if (field <= kPathField || field > kLastField) return 0;
    return counts.*FieldOf(field).member;
}

bool IsSizeField(int field) {
    return field >= kPathField && field <= kLastField && FieldOf(field).size;
}
