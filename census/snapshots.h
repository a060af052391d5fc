#pragma once
// Summaries kept in the history store: a snapshot per start directory of a completed walk,
// with every directory's tree figures, gathered as the walk finishes each directory.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "census/command_line.h"
#include "census/scan.h"
#include "history/history_store.h"

Figures FiguresOf(const Counts& counts);
Counts CountsOf(const Figures& figures);

// The way of counting as the store keys snapshots: "length" or "disk", then "links-once",
// "one-file-system" and "exclude-caches" where they hold and "exclude=PATTERN" for each
// pattern in byte order, separated by blanks.
QByteArray CountingKey(const ScanRequest& request);
// The key of a summary counted as Counting with every entry walked: an import's.
QByteArray CountingKey(const SizeCounting& counting);

// Directory as an absolute path with a trailing "/", as the store keys snapshots: a relative
// one taken from the current directory, "." and ".." steps resolved by name (links are not
// followed), every other byte kept.
QByteArray AbsoluteDirectory(const QByteArray& directory);

// One start directory's records, staged as its directories finish: what its snapshot saves.
class SnapshotSink final : public TreeSink {
  public:
    void DirectoryDone(QByteArrayView relativePath, const TreeFigures& figures) override;
    void Unread(QByteArrayView relativePath, int error) override;

    SnapshotStaging staging;
    Figures own{};   // what lies directly in the start
    Figures tree{};  // the start's whole tree

  private:
    std::mutex mutex_;
};

// Saves Info (the start, time, counting, partial, children and unsized set) with the figures
// and records Sink gathered. The new id, or none; the store's warning joins Warnings once.
std::optional<qint64> SaveSnapshot(HistoryStore& store, SnapshotInfo info, SnapshotSink& sink,
                                   QStringList& warnings);

// Gathers the snapshots of one walk: made before it, handed the request to fill its sinks,
// saved after it.
class SnapshotRecording {
  public:
    // Adds a sink for each of Request's start directories.
    explicit SnapshotRecording(ScanRequest& request);
    ~SnapshotRecording();

    // Saves a snapshot of each start directory of a walk that completed, taken at Time (Unix
    // seconds); nothing for a walk that was stopped. The warnings of the store, none when all
    // went well.
    QStringList Save(HistoryStore& store, const ScanResult& result, qint64 time);

  private:
    ScanRequest request_;  // as walked, sinks aside
    std::vector<std::unique_ptr<SnapshotSink>> recorders_;
};

// Absolute, a folder with its trailing "/" that Start holds, as RowsOfSnapshot names it: the
// path below Start without a trailing "/", "" for Start itself.
QByteArray FolderBelow(const QByteArray& start, const QByteArray& absolute);

// The folder the last START word names inside a snapshot of Start: a path below Start,
// absolute or relative to it; "" for Start itself or no word. None for an absolute path
// outside Start.
std::optional<QByteArray> FolderInside(const QByteArray& start, const Words& words);

// A saved snapshot (or a folder inside it) as the rows its walk gave: the folder's own row and
// one per subdirectory, in the order the walk listed them. Folder: below the start ("" the
// start). None with Error set when the snapshot or the folder is not there.
struct SnapshotRows {
    SnapshotInfo info;
    QByteArray root;  // the folder, with a trailing "/"
    ScanResult result;
};
std::optional<SnapshotRows> RowsOfSnapshot(HistoryStore& store, qint64 id, const QByteArray& folder,
                                           QString* error);
