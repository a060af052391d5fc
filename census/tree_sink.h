#pragma once
// Where every directory's figures go as its tree is done: what a snapshot records.

#include <QByteArrayView>

#include "census/tree_tally.h"

class TreeSink {
  public:
    virtual ~TreeSink() = default;
    // RelativePath: the directory below the start, names joined by "/" ("" the start itself).
    // Called from any thread, children before their parent.
    virtual void DirectoryDone(QByteArrayView relativePath, const TreeFigures& figures) = 0;
    // A folder that could not be read; Error is its errno, 0 when not known.
    virtual void Unread(QByteArrayView relativePath, int error) = 0;
};
