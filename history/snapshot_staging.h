#pragma once
// A snapshot being recorded: directory records arrive from the walk's threads as their trees
// finish and go, in compressed blocks, to an unlinked temporary file, so memory stays flat
// whatever the size of the tree. Nothing reaches the store until it is saved, in one short
// transaction; a staging dropped part-way leaves nothing behind.

#include <QByteArray>
#include <QFile>
#include <QTemporaryFile>
#include <functional>
#include <mutex>
#include <vector>

#include "history/record_blocks.h"

struct UnreadFolder {
    QByteArray path;  // below the start, as a record's path
    int error = 0;    // errno, 0 when not known
    bool operator==(const UnreadFolder&) const = default;
};

class SnapshotStaging {
  public:
    SnapshotStaging();
    SnapshotStaging(const SnapshotStaging&) = delete;
    SnapshotStaging& operator=(const SnapshotStaging&) = delete;

    // Safe to call from several threads at once.
    void Add(QByteArrayView path, const Figures& figures);
    void AddUnread(QByteArrayView path, int error);

    // After the last Add: calls Each for every compressed block with its record count, in the
    // order written; false when the temporary file failed or Each returned false.
    bool ForEachBlock(const std::function<bool(const QByteArray& block, int records)>& each);
    const std::vector<UnreadFolder>& Unread() const { return unread_; }
    qint64 Records() const { return records_; }
    // Why the temporary file failed, "" while it has not.
    QString Error() const;

  private:
    void WriteBlock(const QByteArray& raw, int records);

    std::mutex mutex_;  // guards the writer, the unread folders and the count
    BlockWriter writer_;
    std::vector<UnreadFolder> unread_;
    qint64 records_ = 0;
    std::mutex fileMutex_;  // guards the file
    QTemporaryFile file_;
    bool failed_ = false;
};
