#pragma once
// Clearing the DOS archive bit of a directory's entries, one level deep or through its whole
// tree. Only the archive bit changes; every other bit and the stored value's form stay.

#include <QByteArray>
#include <vector>

#include "census/directory_record.h"

struct WalkOptions;

enum class ClearDepth {
    Immediate,  // the entries directly inside, subdirectories' own bits included, none entered
    Recursive,  // every entry of the tree below
};

struct ClearOutcome {
    bool complete = false;                // false when the walk was stopped
    std::vector<UnreadDirectory> unread;  // folders that could not be read, in path order
    // Entries whose set archive bit could not be cleared, and folders skipped because they
    // became symbolic links (ELOOP or ENOTDIR), each with why, in path order.
    std::vector<UnreadDirectory> notChanged;
};

// Clears the archive bit below the directory Below (names separated by "/", "" for Start
// itself) of the summary's start directory Start, with Threads threads; that directory's own
// bit is kept. Start is opened as the summary opened it, every name below it without following
// a link, so a folder replaced by a link since the summary is skipped, never followed out of
// the tree. Symbolic links are neither changed nor followed, the walk never leaves the tree,
// and an entry that cannot be changed is skipped and counted.
ClearOutcome ClearArchiveTree(const QByteArray& start, const QByteArray& below, ClearDepth depth,
                              int threads, const WalkOptions& options);
