// The history store's volume surveys: added a survey at a time, thinned per mount point, read
// back in time order.
#include <map>

#include "history/history_store.h"
#include "history/sqlite_statement.h"
#include "history/thinning.h"

namespace {

// Lets go of the surveys of Mount point that thinning does not keep.
int ThinSurveys(sqlite3* db, const QByteArray& mountPoint, qint64 now) {
    std::vector<Dated> surveys;
    {
        SqliteStatement select(db, "SELECT rowid, time FROM volume_surveys WHERE mount_point = ?");
        select.BindText(1, mountPoint);
        while (select.Step() == SQLITE_ROW)
            surveys.push_back({select.Int(0), select.Int(1)});
        if (select.Code() != SQLITE_OK) return select.Code();
    }
    SqliteStatement remove(db, "DELETE FROM volume_surveys WHERE rowid = ?");
    for (const qint64 id : ThinnedAway(surveys, now)) {
        remove.Reset();
        if (remove.Bind(1, id).Run() != SQLITE_DONE) return remove.Code();
    }
    return SQLITE_DONE;
}

int InsertSurveys(sqlite3* db, const std::vector<SurveyRow>& rows) {
    SqliteStatement insert(db,
                           "INSERT INTO volume_surveys(time, mount_point, total_bytes, "
                           "avail_bytes, free_bytes, used_bytes, device, fs_type) "
                           "VALUES(?, ?, ?, ?, ?, ?, ?, ?)");
    for (const SurveyRow& row : rows) {
        insert.Reset();
        insert.Bind(1, row.time).BindText(2, row.mountPoint).Bind(3, row.totalBytes);
        insert.Bind(4, row.availBytes).Bind(5, row.freeBytes).Bind(6, row.usedBytes);
        insert.BindText(7, row.device).BindText(8, row.fsType);
        if (insert.Run() != SQLITE_DONE) return insert.Code();
        const int code = ThinSurveys(db, row.mountPoint, row.time);
        if (code != SQLITE_DONE) return code;
    }
    return SQLITE_DONE;
}

}  // namespace

bool HistoryStore::AddSurveys(const std::vector<SurveyRow>& rows) {
    warning_.clear();
    if (!Open()) return false;
    const int begun = Execute(db_, "BEGIN IMMEDIATE");
    if (begun != SQLITE_OK) return Fail(QStringLiteral("write to"), begun);
    const int code = Commit(InsertSurveys(db_, rows));
    return code == SQLITE_OK || Fail(QStringLiteral("write to"), code);
}

std::vector<SurveyRow> HistoryStore::Surveys(const QByteArray& mountPoint) {
    std::vector<SurveyRow> rows;
    if (!Open()) return rows;
    SqliteStatement select(db_,
                           "SELECT time, total_bytes, avail_bytes, free_bytes, used_bytes "
                           "FROM volume_surveys WHERE mount_point = ? ORDER BY time");
    select.BindText(1, mountPoint);
    while (select.Step() == SQLITE_ROW) {
        rows.push_back({select.Int(0),
                        mountPoint,
                        select.Int(1),
                        select.Int(2),
                        select.Int(3),
                        select.Int(4),
                        {},
                        {}});
    }
    if (select.Code() != SQLITE_OK) Fail(QStringLiteral("read"), select.Code());
    return rows;
}
