#pragma once
// Cache folders marked as such by the programs that fill them: a "CACHEDIR.TAG" file that
// begins with the agreed signature says the folder holds nothing worth keeping or counting.

// Whether folder Name of the open directory DirFd holds a CACHEDIR.TAG file (not a link) that
// begins with "Signature: 8a477f597d28d172789f06886806bc55". Name is never followed when it is
// a link.
bool HoldsCacheTag(int dirFd, const char* name);
