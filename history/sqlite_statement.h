#pragma once
// A thin hold on SQLite's C interface: a connection and prepared statements that finalize
// themselves, with the result codes kept for the caller to judge.

#include <sqlite3.h>
#include <QByteArray>
#include <QString>

class SqliteStatement {
  public:
    SqliteStatement(sqlite3* db, const char* sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // Parameters are numbered from 1.
    SqliteStatement& Bind(int index, qint64 value);
    SqliteStatement& Bind(int index, const QByteArray& blob);
    SqliteStatement& BindText(int index, const QByteArray& utf8);

    // SQLITE_ROW, SQLITE_DONE or an error code.
    int Step();
    // Steps to the end; the code of the last step (SQLITE_DONE when all went well).
    int Run();
    void Reset();

    qint64 Int(int column) const;
    QByteArray Blob(int column) const;
    // The code of the preparation or the last failure, SQLITE_OK while none failed.
    int Code() const { return code_; }

  private:
    sqlite3_stmt* statement_ = nullptr;
    int code_ = SQLITE_OK;
};

// Runs statements without results; the first failing code, SQLITE_OK when none failed.
int Execute(sqlite3* db, const char* sql);
