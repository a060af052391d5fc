#pragma once
// One row of a summary: a directory and what its walk counted. Fields are numbered; the
// numbers are an interface shared by the sort switches, the sort column and the grid
// columns (grid column = field - 1).

#include <QByteArray>
#include <cstdint>
#include <vector>

#include "platform/trash.h"
#include "table/figure.h"

// Counts and sizes (bytes) gathered for one row. A file may be hidden, system and archive at
// once; the categories are not exclusive. Figures are unsigned and wide: sums never wrap.
struct Counts {
    Figure Files = 0;
    Figure Bytes = 0;
    Figure Dirs = 0;
    Figure HiddenFiles = 0;
    Figure HiddenBytes = 0;
    Figure HiddenDirs = 0;
    Figure SystemFiles = 0;
    Figure SystemBytes = 0;
    Figure ArchiveFiles = 0;
    Figure ArchiveBytes = 0;

    Counts& operator+=(const Counts& other);
    bool operator==(const Counts&) const = default;
};

// A directory a walk could not read, and why.
struct UnreadDirectory {
    QByteArray path;
    int error = 0;  // errno
    bool operator==(const UnreadDirectory&) const = default;
};

// Sorts Folders by their paths' bytes.
void SortByPath(std::vector<UnreadDirectory>& folders);

// What the walk of a row had to leave out: never part of its figures or cells.
struct Skipped {
    std::vector<UnreadDirectory> unread;  // in path order
    std::int64_t unsized = 0;             // entries that vanished or could not be sized
    bool unfinished = false;              // the walk was stopped before it was read whole

    bool Any() const { return !unread.empty() || unsized != 0 || unfinished; }
    // Adds Other's, keeping the path order.
    Skipped& operator+=(const Skipped& other);
    bool operator==(const Skipped&) const = default;
};

struct DirectoryRecord {
    QByteArray Path;  // the directory with a trailing "/"
    Counts counts;
    Skipped skipped;
    bool volume = false;        // a volume's own row of "My Computer": its name keeps the "/"
    QByteArray start{};         // the start directory the row was counted under, with its "/"
    FolderIdentity identity{};  // a subdirectory's row: the folder as the walk found it
};

inline constexpr int kPathField = 1;
inline constexpr int kLastField = 11;

// The value of numbered field 2..11 of Counts; 0 for any other number.
Figure FieldValue(const Counts& counts, int field);

// Fields 3, 6, 9 and 11 are sizes in bytes; the others are counts.
bool IsSizeField(int field);
