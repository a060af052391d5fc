#pragma once
// Files with more than one hard link, when each is to count once: the walk's threads note every
// meeting with one instead of counting it, and afterwards each file counts in the first row,
// in the order of the rows, that holds one of its links. The outcome does not depend on which
// thread met which link first.

#include <cstdint>
#include <functional>
#include <vector>

#include "census/directory_record.h"

struct LinkMeeting {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t row = 0;  // the row that met it, as the walk tags rows
    Counts counts;          // what it would add to that row
};

// Adds to Rows the counts of each file's first meeting among Meetings; RowIndex gives the
// place in Rows of a row tag.
void CountEachFileOnce(std::vector<LinkMeeting> meetings,
                       const std::function<std::size_t(std::uint64_t)>& rowIndex,
                       std::vector<DirectoryRecord>& rows);
