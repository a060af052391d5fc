#pragma once
// One row of a summary: a directory and what its walk counted. Fields are numbered; the
// numbers are an interface shared by the sort switches, the sort column and the grid
// columns (grid column = field - 1).

#include <QByteArray>
#include <cstdint>
#include <iterator>
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

// One field of a row. Every list of a row's fields (its sums, the grid's headings and widths,
// the sort keys, the JSON names) is read from kRowFields.
struct RowField {
    const char* heading;     // a size's heading is followed by the unit word: "Total KB"
    Figure Counts::*member;  // nullptr for the directory name
    bool size;               // bytes, shown in the settings' unit
    const char* jsonName;
    int initialWidth;  // the grid column's width before anything is counted, in twips
    int minimumChars;  // the least width the grid column is given, in characters
};

// Fields 1 to 11 in grid column order.
inline constexpr RowField kRowFields[] = {
    {"Directory Name", nullptr, false, "path", 2100, 14},
    {"Total Files", &Counts::Files, false, "files", 1050, 5},
    {"Total", &Counts::Bytes, true, "bytes", 1050, 5},
    {"Total Dirs", &Counts::Dirs, false, "dirs", 750, 5},
    {"Hidden Files", &Counts::HiddenFiles, false, "hidden_files", 900, 6},
    {"Hidden", &Counts::HiddenBytes, true, "hidden_bytes", 900, 6},
    {"Hidden Dirs", &Counts::HiddenDirs, false, "hidden_dirs", 900, 6},
    {"System Files", &Counts::SystemFiles, false, "system_files", 900, 6},
    {"System", &Counts::SystemBytes, true, "system_bytes", 900, 6},
    {"Archive Files", &Counts::ArchiveFiles, false, "archive_files", 1050, 7},
    {"Archive", &Counts::ArchiveBytes, true, "archive_bytes", 1050, 7},
};

inline constexpr int kPathField = 1;
inline constexpr int kLastField = static_cast<int>(std::size(kRowFields));

// The field numbered 1..kLastField.
inline const RowField& FieldOf(int field) {
    return kRowFields[field - 1];
}

// The value of numbered field 2..kLastField of Counts; 0 for any other number.
Figure FieldValue(const Counts& counts, int field);

// Whether field 1..kLastField is a size in bytes; the others are counts and the name.
bool IsSizeField(int field);
