#pragma once
// Kinds of file system by name (as the mount table gives it) and by statfs magic number.
// The tables are constant data, safe to read from a walk that outlives the program's statics.

#include <QByteArrayView>

// Kernel interfaces and views of other places rather than stored files: never listed as
// volumes, never walked.
bool IsPseudoFileSystem(QByteArrayView fsType);
bool IsPseudoFileSystemMagic(long magic);

// In memory: walked when asked, but not volumes of their own.
bool IsMemoryFileSystem(QByteArrayView fsType);
// The data lives on another machine.
bool IsNetworkFileSystem(QByteArrayView fsType);
// Optical discs.
bool IsDiscFileSystem(QByteArrayView fsType);
