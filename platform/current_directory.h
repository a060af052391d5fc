#pragma once
// The process's current directory.

#include <QByteArray>

// The current directory's path; "." when its path is too long to be told. One that was deleted
// has no path: it is named as the system names it, its last path and " (deleted)", which a walk
// fails to open, so that it is reported as a start that cannot be read, never another place.
QByteArray CurrentDirectory();
