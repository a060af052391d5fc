#include "history/history_store.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <limits>

#include "history/figure_varint.h"
#include "history/sqlite_statement.h"
#include "history/thinning.h"

namespace {

// Version 0 (a new file) to 1.
constexpr const char* kSchema1 = R"sql(
CREATE TABLE IF NOT EXISTS snapshots(
  id INTEGER PRIMARY KEY, time INTEGER NOT NULL, start BLOB NOT NULL, counting TEXT NOT NULL,
  partial INTEGER NOT NULL, volume INTEGER NOT NULL, files INTEGER NOT NULL,
  bytes INTEGER NOT NULL, dirs INTEGER NOT NULL, directories INTEGER NOT NULL,
  unsized INTEGER NOT NULL, own BLOB NOT NULL, tree BLOB NOT NULL, children BLOB NOT NULL);
CREATE INDEX IF NOT EXISTS snapshots_by_start ON snapshots(start, counting, time);
CREATE TABLE IF NOT EXISTS snapshot_unread(
  snapshot_id INTEGER NOT NULL, path BLOB NOT NULL, error INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS snapshot_unread_by_id ON snapshot_unread(snapshot_id);
CREATE TABLE IF NOT EXISTS snapshot_blocks(
  snapshot_id INTEGER NOT NULL, seq INTEGER NOT NULL, records INTEGER NOT NULL,
  data BLOB NOT NULL, PRIMARY KEY(snapshot_id, seq)) WITHOUT ROWID;
CREATE TABLE IF NOT EXISTS volume_surveys(
  time INTEGER NOT NULL, mount_point TEXT NOT NULL, total_bytes INTEGER NOT NULL,
  avail_bytes INTEGER NOT NULL, free_bytes INTEGER NOT NULL, used_bytes INTEGER NOT NULL,
  device TEXT, fs_type TEXT);
CREATE INDEX IF NOT EXISTS volume_surveys_by_mount ON volume_surveys(mount_point, time);
PRAGMA user_version = 1;
)sql";

// Each step takes the schema from the version before it to its own.
constexpr const char* kMigrations[] = {kSchema1};

qint64 Clamped(Figure figure) {
    constexpr auto most = std::numeric_limits<qint64>::max();
    return figure > static_cast<Figure>(most) ? most : static_cast<qint64>(figure);
}

bool Damaged(int code) {
    return code == SQLITE_CORRUPT || code == SQLITE_NOTADB;
}

constexpr const char* kColumns =
    "SELECT id, time, start, counting, partial, volume, own, tree, directories, unsized, "
    "children "
    "FROM snapshots ";

SnapshotInfo InfoOf(const SqliteStatement& row) {
    SnapshotInfo info;
    info.id = row.Int(0);
    info.time = row.Int(1);
    info.start = row.Blob(2);
    info.counting = row.Blob(3);
    info.partial = row.Int(4) != 0;
    info.volume = row.Int(5) != 0;
    DecodeFigures(row.Blob(6), &info.own);
    DecodeFigures(row.Blob(7), &info.tree);
    info.directories = row.Int(8);
    info.unsized = row.Int(9);
    DecodeChildren(row.Blob(10), &info.children);
    return info;
}

}  // namespace

QByteArray EncodeFigures(const Figures& figures) {
    QByteArray bytes;
    for (const Figure figure : figures)
        AppendVarint(bytes, figure);
    return bytes;
}

QByteArray EncodeChildren(const std::vector<StartChild>& children) {
    QByteArray bytes;
    for (const StartChild& child : children) {
        AppendVarint(bytes, child.name.size());
        bytes.append(child.name);
        AppendVarint(bytes, child.unsized);
    }
    return qCompress(bytes);
}

bool DecodeChildren(const QByteArray& compressed, std::vector<StartChild>* children) {
    const QByteArray bytes = qUncompress(compressed);
    children->clear();
    for (qsizetype pos = 0; pos < bytes.size();) {
        Figure size = 0;
        Figure unsized = 0;
        if (!ReadVarint(bytes, pos, &size) || size > static_cast<Figure>(bytes.size() - pos))
            return false;
        StartChild child{bytes.mid(pos, static_cast<qsizetype>(size))};
        pos += child.name.size();
        if (!ReadVarint(bytes, pos, &unsized)) return false;
        child.unsized = Clamped(unsized);
        children->push_back(std::move(child));
    }
    return true;
}

bool DecodeFigures(const QByteArray& bytes, Figures* figures) {
    qsizetype pos = 0;
    for (Figure& figure : *figures)
        if (!ReadVarint(bytes, pos, &figure)) return false;
    return pos == bytes.size();
}

QString HistoryStore::DefaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/tallmere32/history.sqlite");
}

HistoryStore::HistoryStore(Options options) : options_(std::move(options)) {}

HistoryStore::~HistoryStore() {
    Close();
}

void HistoryStore::Close() {
    sqlite3_close_v2(db_);
    db_ = nullptr;
}

bool HistoryStore::Fail(const QString& what, int code) {
    warning_ = QStringLiteral("cannot %1 the history store %2: %3")
                   .arg(what, options_.path, QString::fromUtf8(sqlite3_errstr(code)));
    if (Damaged(code)) SetAside();
    return false;
}

bool HistoryStore::Open() {
    warning_.clear();
    if (db_) return true;
    if (!QDir().mkpath(QFileInfo(options_.path).absolutePath()))
        return Fail(QStringLiteral("make the folder of"), SQLITE_CANTOPEN);
    if (!OpenFile()) return false;
    if (Prepare()) return true;
    if (!db_ && warning_.contains(QLatin1String(".corrupt-"))) {
        const QString renewed = warning_;  // kept aside: begin anew
        if (OpenFile() && Prepare()) {
            warning_ = renewed;
            return true;
        }
    }
    Close();
    return false;
}

bool HistoryStore::OpenFile() {
    const int code = sqlite3_open_v2(QFile::encodeName(options_.path).constData(), &db_,
                                     SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (code != SQLITE_OK) {
        Close();
        return Fail(QStringLiteral("open"), code);
    }
    sqlite3_busy_timeout(db_, options_.busyTimeoutMs);
    if (options_.maxPages > 0) {
        const QByteArray pragma =
            "PRAGMA max_page_count = " + QByteArray::number(options_.maxPages);
        SqliteStatement(db_, pragma.constData()).Run();
    }
    return true;
}

// Reads the schema version, turns on the WAL journal and brings the schema up to date.
bool HistoryStore::Prepare() {
    int found = 0;
    {  // finished before the journal mode changes, which no open read may span
        SqliteStatement version(db_, "PRAGMA user_version");
        if (version.Step() != SQLITE_ROW) return Fail(QStringLiteral("read"), version.Code());
        found = static_cast<int>(version.Int(0));
    }
    if (found > kSchemaVersion) {
        warning_ = QStringLiteral(
                       "the history store %1 is of a newer version (%2); this "
                       "program knows version %3 and leaves it alone")
                       .arg(options_.path)
                       .arg(found)
                       .arg(kSchemaVersion);
        return false;
    }
    SqliteStatement wal(db_, "PRAGMA journal_mode = WAL");
    if (wal.Run() != SQLITE_DONE) return Fail(QStringLiteral("open"), wal.Code());
    return found == kSchemaVersion || Migrate();
}

bool HistoryStore::Migrate() {
    int code = Execute(db_, "BEGIN IMMEDIATE");
    if (code != SQLITE_OK) return Fail(QStringLiteral("update"), code);
    int version = 0;
    {
        SqliteStatement read(db_, "PRAGMA user_version");  // another process may have done it
        code = read.Step() == SQLITE_ROW ? SQLITE_OK : read.Code();
        version = static_cast<int>(read.Int(0));
    }
    for (; code == SQLITE_OK && version < kSchemaVersion; ++version)
        code = Execute(db_, kMigrations[version]);
    code = Commit(code);
    return code == SQLITE_OK || Fail(QStringLiteral("update"), code);
}

int HistoryStore::Commit(int code) {
    if (code == SQLITE_OK || code == SQLITE_DONE) code = Execute(db_, "COMMIT");
    if (code != SQLITE_OK) Execute(db_, "ROLLBACK");
    return code;
}

void HistoryStore::SetAside() {
    Close();
    const QString aside = options_.path + QStringLiteral(".corrupt-") +
                          QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QFile::rename(options_.path, aside);
    QFile::remove(options_.path + QStringLiteral("-wal"));
    QFile::remove(options_.path + QStringLiteral("-shm"));
    warning_ = QStringLiteral(
                   "the history store %1 was damaged: it is kept as %2 and a new one "
                   "begun")
                   .arg(options_.path, aside);
}

std::optional<qint64> HistoryStore::Save(const SnapshotInfo& info, SnapshotStaging& staging) {
    warning_.clear();
    if (!Open()) return std::nullopt;
    int code = Execute(db_, "BEGIN IMMEDIATE");
    if (code != SQLITE_OK) return Fail(QStringLiteral("save a snapshot in"), code), std::nullopt;
    qint64 id = 0;
    {
        SqliteStatement insert(
            db_,
            "INSERT INTO snapshots(time, start, counting, partial, volume, files, bytes, "
            "dirs, directories, unsized, own, tree, children) VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?)");
        insert.Bind(1, info.time).Bind(2, info.start).BindText(3, info.counting);
        insert.Bind(4, info.partial ? 1 : 0).Bind(5, info.volume ? 1 : 0);
        insert.Bind(6, Clamped(info.tree[0])).Bind(7, Clamped(info.tree[1]));
        insert.Bind(8, Clamped(info.tree[2])).Bind(9, staging.Records()).Bind(10, info.unsized);
        insert.Bind(11, EncodeFigures(info.own)).Bind(12, EncodeFigures(info.tree));
        insert.Bind(13, EncodeChildren(info.children));
        code = insert.Run();
        id = sqlite3_last_insert_rowid(db_);
    }
    if (code == SQLITE_DONE) code = SaveRecords(id, staging);
    if (code == SQLITE_DONE) code = Thin(info);
    code = Commit(code);
    if (code != SQLITE_OK) return Fail(QStringLiteral("save a snapshot in"), code), std::nullopt;
    return id;
}

int HistoryStore::SaveRecords(qint64 id, SnapshotStaging& staging) {
    SqliteStatement block(db_, "INSERT INTO snapshot_blocks VALUES(?,?,?,?)");
    qint64 seq = 0;
    const bool staged = staging.ForEachBlock([&](const QByteArray& data, int records) {
        block.Reset();
        block.Bind(1, id).Bind(2, seq++).Bind(3, records).Bind(4, data);
        return block.Run() == SQLITE_DONE;
    });
    if (!staged) return block.Code() != SQLITE_OK ? block.Code() : SQLITE_IOERR;
    SqliteStatement unread(db_, "INSERT INTO snapshot_unread VALUES(?,?,?)");
    for (const UnreadFolder& folder : staging.Unread()) {
        unread.Reset();
        unread.Bind(1, id).Bind(2, folder.path).Bind(3, folder.error);
        if (unread.Run() != SQLITE_DONE) return unread.Code();
    }
    return SQLITE_DONE;
}

// Lets go of the snapshots of Info's series that thinning does not keep.
int HistoryStore::Thin(const SnapshotInfo& info) {
    std::vector<Dated> series;
    {
        SqliteStatement select(db_,
                               "SELECT id, time FROM snapshots WHERE start = ? AND counting = ?");
        select.Bind(1, info.start).BindText(2, info.counting);
        while (select.Step() == SQLITE_ROW)
            series.push_back({select.Int(0), select.Int(1)});
        if (select.Code() != SQLITE_OK) return select.Code();
    }
    for (const qint64 id : ThinnedAway(series, info.time)) {
        const int code = Delete(id);
        if (code != SQLITE_DONE) return code;
    }
    return SQLITE_DONE;
}

int HistoryStore::Delete(std::optional<qint64> id) {
    static const char* const kWhole[] = {"DELETE FROM snapshot_blocks",
                                         "DELETE FROM snapshot_unread", "DELETE FROM snapshots"};
    static const char* const kOne[] = {"DELETE FROM snapshot_blocks WHERE snapshot_id = ?",
                                       "DELETE FROM snapshot_unread WHERE snapshot_id = ?",
                                       "DELETE FROM snapshots WHERE id = ?"};
    for (int table = 0; table < 3; ++table) {
        SqliteStatement remove(db_, id ? kOne[table] : kWhole[table]);
        if (id) remove.Bind(1, *id);
        if (remove.Run() != SQLITE_DONE) return remove.Code();
    }
    return SQLITE_DONE;
}

std::optional<int> HistoryStore::Forget(std::optional<qint64> id) {
    warning_.clear();
    if (!Open()) return std::nullopt;
    int code = Execute(db_, "BEGIN IMMEDIATE");
    if (code == SQLITE_OK) code = Delete(id);
    const int gone = sqlite3_changes(db_);
    code = Commit(code);
    if (code != SQLITE_OK) return Fail(QStringLiteral("forget in"), code), std::nullopt;
    return gone;
}

std::vector<SnapshotInfo> HistoryStore::List() {
    warning_.clear();
    std::vector<SnapshotInfo> infos;
    if (!Open()) return infos;
    SqliteStatement select(db_, (QByteArray(kColumns) + "ORDER BY time DESC, id DESC").constData());
    while (select.Step() == SQLITE_ROW)
        infos.push_back(InfoOf(select));
    if (select.Code() != SQLITE_OK) Fail(QStringLiteral("read"), select.Code());
    return infos;
}

std::optional<SnapshotInfo> HistoryStore::Find(qint64 id) {
    warning_.clear();
    if (!Open()) return std::nullopt;
    SqliteStatement select(db_, (QByteArray(kColumns) + "WHERE id = ?").constData());
    select.Bind(1, id);
    if (select.Step() == SQLITE_ROW) return InfoOf(select);
    if (select.Code() != SQLITE_OK) Fail(QStringLiteral("read"), select.Code());
    return std::nullopt;
}

bool HistoryStore::ForEachRecord(qint64 id, const std::function<void(const FigureRecord&)>& each) {
    warning_.clear();
    if (!Open()) return false;
    SqliteStatement select(db_,
                           "SELECT data FROM snapshot_blocks WHERE snapshot_id = ? ORDER BY seq");
    select.Bind(1, id);
    while (select.Step() == SQLITE_ROW) {
        if (!ReadBlock(select.Blob(0), each)) {
            warning_ = QStringLiteral("snapshot %1 in the history store %2 is damaged")
                           .arg(id)
                           .arg(options_.path);
            return false;
        }
    }
    return select.Code() == SQLITE_OK || Fail(QStringLiteral("read"), select.Code());
}

std::vector<UnreadFolder> HistoryStore::Unread(qint64 id) {
    std::vector<UnreadFolder> folders;
    if (!Open()) return folders;
    SqliteStatement select(
        db_, "SELECT path, error FROM snapshot_unread WHERE snapshot_id = ? ORDER BY path");
    select.Bind(1, id);
    while (select.Step() == SQLITE_ROW)
        folders.push_back({select.Blob(0), static_cast<int>(select.Int(1))});
    return folders;
}
