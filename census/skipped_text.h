#pragma once
// What a summary tells of the folders it could not read and the entries it could not size:
// the progress box's last words, the rows' notes and report mode's messages.

#include <QByteArray>
#include <QString>

#include "census/directory_record.h"

// The rows' notes list this many unread folders, then how many more there are.
inline constexpr int kNotedFolders = 10;

// The system's text for an errno value.
QString ReasonText(int error);

// "Done!", and when something was left out what it was: "Done! 3 folders could not be read."
// (one folder is named with its reason), then "2 entries could not be sized." when any were,
// then "3 entries excluded." when the excludes matched any.
QString DoneText(const Skipped& skipped, std::int64_t excluded = 0);

// The progress box's words after a walk that was stopped.
inline constexpr const char* kStoppedText = "Stopped: the figures are partial.";

// The note of a row whose walk left something out, "" when nothing was: up to ten unread
// folders with their reasons, "and N more", the entries that could not be sized, and whether
// the walk was stopped before the row was read whole.
QString RowNote(const Skipped& skipped);

// The note of the "Grand Total" row: the whole count, and that the figures are partial.
QString TotalNote(const Skipped& skipped);

// "Done!", or "Done!" with the folders that could not be read and the entries that could not
// be changed by a clear-archive walk; one of either is named with its reason.
QString ClearDoneText(const std::vector<UnreadDirectory>& unread,
                      const std::vector<UnreadDirectory>& notChanged);

// The note of the row a clear-archive walk started from, "" when it did everything: up to ten
// entries that could not be changed and ten folders that could not be read, with their
// reasons, each list followed by "and N more" when longer.
QString ClearNote(const std::vector<UnreadDirectory>& unread,
                  const std::vector<UnreadDirectory>& notChanged);

// Report mode's line for an unread folder: "cannot read 'PATH': REASON", the path as bytes in
// shell quotes.
QByteArray CannotReadLine(const UnreadDirectory& folder);

// "2 entries could not be sized".
QString UnsizedText(std::int64_t count);
