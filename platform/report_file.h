#pragma once
// Writing a report file where the user named it, and nowhere else.

#include <QByteArray>
#include <QString>
#include <optional>

// Writes Bytes to Path through a temporary file beside it that replaces the target only when
// complete, with the target's mode and (when the process may set it) owner. Where the folder
// cannot take a temporary file but the target may be written, it is written in place; devices
// and pipes are written in place. Path is followed one name at a time, and a symbolic link that
// someone other than the running user and the folder's owner put in a sticky folder that others
// may write (as /tmp) is refused, whatever the system's own protection says. Returns the reason
// on failure; the target is then left as it was.
std::optional<QString> WriteReportFile(const QString& path, const QByteArray& bytes);
