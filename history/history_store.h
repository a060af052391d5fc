#pragma once
// The history store: $XDG_DATA_HOME/tallmere32/history.sqlite, shared by both programs and
// by every process that writes at once (WAL journal, a busy timeout). The store never costs
// a summary: whatever goes wrong (locked past the timeout, read-only, full, damaged, of a
// newer version), the call fails with one line in Warning() and the caller goes on.
//
// Schema (PRAGMA user_version 1):
//   snapshots(id, time, start, counting, partial, volume, files, bytes, dirs, directories,
//             unsized, own, tree, children): one row per snapshot; start is the start
//             directory's bytes with a trailing "/"; files, bytes and dirs are its whole
//             tree's, for queries; own and tree are its own entries' and whole tree's ten
//             figures as varints; children are its subdirectories in the order the walk
//             listed them, each a varint length, the name and a varint count of entries that
//             could not be sized in it, compressed with zlib.
//   snapshot_unread(snapshot_id, path, error): folders that could not be read.
//   snapshot_blocks(snapshot_id, seq, records, data): every directory's record, in blocks
//             (history/record_blocks.h).
//   volume_surveys(time, mount_point, total_bytes, avail_bytes, free_bytes, used_bytes,
//             device, fs_type): one row per volume and survey.

#include <sqlite3.h>
#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "history/record_blocks.h"
#include "history/snapshot_staging.h"
#include "history/volume_surveys.h"

// A subdirectory of a snapshot's start, in the order its walk listed them.
struct StartChild {
    QByteArray name;
    qint64 unsized = 0;  // entries in its tree that vanished or could not be sized
    bool operator==(const StartChild&) const = default;
};

struct SnapshotInfo {
    qint64 id = 0;
    qint64 time = 0;         // Unix seconds
    QByteArray start;        // with a trailing "/"
    QByteArray counting;     // the way of counting, as CountingKey words
    bool partial = false;    // folders unread or the walk stopped
    bool volume = false;     // a volume of "My Computer"
    Figures own{};           // what lies directly in the start
    Figures tree{};          // the start's whole tree
    qint64 directories = 0;  // records held
    qint64 unsized = 0;      // entries that vanished or could not be sized, in all
    std::vector<StartChild> children{};
};

class HistoryStore {
  public:
    static constexpr int kSchemaVersion = 1;

    struct Options {
        QString path;               // the database file
        int busyTimeoutMs = 10000;  // how long to wait for another writer
        qint64 maxPages = 0;        // tests only: a page limit that makes the store full
    };

    // $XDG_DATA_HOME/tallmere32/history.sqlite.
    static QString DefaultPath();

    explicit HistoryStore(Options options);
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // Opens (creating or migrating) the store. A damaged file is renamed aside as
    // history.sqlite.corrupt-DATE and a new store begun, with a warning. False with a warning
    // when the store cannot serve.
    bool Open();
    // The one line to show when a call failed or the store was renewed; "" otherwise.
    QString Warning() const { return warning_; }

    // Saves the staged records with Info (its id ignored) in one transaction, then thins the
    // snapshots of the same start and counting. The new id, or none with a warning.
    std::optional<qint64> Save(const SnapshotInfo& info, SnapshotStaging& staging);

    // Newest first.
    std::vector<SnapshotInfo> List();
    std::optional<SnapshotInfo> Find(qint64 id);
    // Every directory record of snapshot Id; false with a warning when a block is damaged.
    bool ForEachRecord(qint64 id, const std::function<void(const FigureRecord&)>& each);
    std::vector<UnreadFolder> Unread(qint64 id);
    // Deletes snapshot Id (none: every one); how many went, or none with a warning.
    std::optional<int> Forget(std::optional<qint64> id);

    // Adds one survey's rows in one transaction, thinning each volume's surveys as snapshots
    // are thinned; false with a warning.
    bool AddSurveys(const std::vector<SurveyRow>& rows);
    // The surveys of the volume at Mount point, in time order (its device and type left out).
    std::vector<SurveyRow> Surveys(const QByteArray& mountPoint);

  private:
    bool OpenFile();
    bool Prepare();
    bool Migrate();
    void SetAside();
    bool Fail(const QString& what, int code);
    // Commits when Code is a success, else rolls back; the code of the outcome.
    int Commit(int code);
    // Steps of a transaction: SQLITE_DONE or the failing code.
    int SaveRecords(qint64 id, SnapshotStaging& staging);
    int Thin(const SnapshotInfo& info);
    int Delete(std::optional<qint64> id);
    void Close();

    Options options_;
    sqlite3* db_ = nullptr;
    QString warning_;
};

QByteArray EncodeChildren(const std::vector<StartChild>& children);
bool DecodeChildren(const QByteArray& bytes, std::vector<StartChild>* children);

// Figures as ten varints, and back (false when Bytes do not hold ten).
QByteArray EncodeFigures(const Figures& figures);
bool DecodeFigures(const QByteArray& bytes, Figures* figures);
