#include "history/sqlite_statement.h"

SqliteStatement::SqliteStatement(sqlite3* db, const char* sql) {
    code_ = sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr);
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(statement_);
}

SqliteStatement& SqliteStatement::Bind(int index, qint64 value) {
    if (statement_) sqlite3_bind_int64(statement_, index, value);
    return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, const QByteArray& blob) {
    // A zero-length blob, not NULL, for an empty path.
    if (statement_)
        sqlite3_bind_blob64(statement_, index, blob.isNull() ? "" : blob.constData(),
                            static_cast<sqlite3_uint64>(blob.size()), SQLITE_TRANSIENT);
    return *this;
}

SqliteStatement& SqliteStatement::BindText(int index, const QByteArray& utf8) {
    if (statement_)
        sqlite3_bind_text64(statement_, index, utf8.constData(),
                            static_cast<sqlite3_uint64>(utf8.size()), SQLITE_TRANSIENT,
                            SQLITE_UTF8);
    return *this;
}

int SqliteStatement::Step() {
    if (!statement_) return code_;
    const int code = sqlite3_step(statement_);
    if (code != SQLITE_ROW && code != SQLITE_DONE) code_ = code;
    return code;
}

int SqliteStatement::Run() {
    int code = Step();
    while (code == SQLITE_ROW)
        code = Step();
    return code;
}

void SqliteStatement::Reset() {
    if (!statement_) return;
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

qint64 SqliteStatement::Int(int column) const {
    return sqlite3_column_int64(statement_, column);
}

QByteArray SqliteStatement::Blob(int column) const {
    const void* data = sqlite3_column_blob(statement_, column);
    return QByteArray(static_cast<const char*>(data), sqlite3_column_bytes(statement_, column));
}

int Execute(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}
