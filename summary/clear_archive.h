#pragma once
// Clearing the DOS archive bit of a directory's entries, one level deep or through its whole
// tree. Only the archive bit changes; every other bit and the stored value's form stay.

#include <QByteArray>
#include <cstdint>
#include <vector>

#include "summary/directory_record.h"

struct WalkOptions;

enum class ClearDepth {
    Immediate,  // the entries directly inside, subdirectories' own bits included, none entered
    Recursive,  // every entry of the tree below
};

struct ClearOutcome {
    bool complete = false;                // false when the walk was stopped
    std::vector<UnreadDirectory> unread;  // folders that could not be read, in path order
    std::int64_t notChanged = 0;          // entries whose set archive bit could not be cleared
};

// Clears the archive bit below Directory with Threads threads; Directory's own bit is kept.
// Symbolic links are neither changed nor followed, the walk never leaves the tree, and an
// entry that cannot be changed is skipped and counted.
ClearOutcome ClearArchiveTree(const QByteArray& directory, ClearDepth depth, int threads,
                              const WalkOptions& options);
