#pragma once
// Generated trees for walk tests, and the count of open descriptors to catch leaked handles.

#include <QByteArray>
#include <QByteArrayView>

#include "tests/support/temp_tree.h"

// Directories folders and Files files spread at random, at most six levels deep; a seventh of
// the folders have dot names and a fifth of the files DOS attributes.
void RandomTree(TempTree& tree, int directories, int files, unsigned seed);

// Folder Relative ("" for the root) holding Folders subfolders with one byte-long file each
// and Files files of 0, 1, 2, ... bytes, all with names so long that its listing takes
// several getdents batches.
void WideFolder(TempTree& tree, QByteArrayView relative, int folders, int files);

// The name WideFolder gives its entry Number ('d' for a folder, 'f' for a file).
QByteArray WideName(char kind, int number);

int OpenDescriptors();
