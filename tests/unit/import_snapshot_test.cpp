#include "census/import_snapshot.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include "table/figure.h"

namespace {

// A scan of /srv/ with hidden entries, a hard link, a folder it could not read and one it
// left out.
const QByteArray kExport =
    "[1,2,{\"progname\":\"ncdu\",\"timestamp\":1700000000},\n"
    "[{\"name\":\"/srv\"},{\"name\":\".top\",\"asize\":1,\"dsize\":4096},\n"
    "[{\"name\":\"b\"},{\"name\":\"f\",\"asize\":2,\"dsize\":4096},"
    "[{\"name\":\".deep\"},{\"name\":\"g\",\"asize\":4,\"ino\":9,\"hlnkc\":true}],"
    "[{\"name\":\"locked\",\"read_error\":true}]],\n"
    "[{\"name\":\"a\"},{\"name\":\"h\",\"asize\":8,\"ino\":9,\"hlnkc\":true},"
    "[{\"name\":\"skip\",\"excluded\":\"pattern\"}]]]]\n";

// Rows as lines: path, the ten figures, unread folders.
std::string RowsText(const std::vector<DirectoryRecord>& rows) {
    QByteArray text;
    for (const DirectoryRecord& row : rows) {
        text += row.Path;
        for (const Figure figure : FiguresOf(row.counts))
            text += ' ' + FigureDigits(figure);
        for (const UnreadDirectory& folder : row.skipped.unread)
            text += " unread:" + folder.path;
        text += '\n';
    }
    return text.toStdString();
}

class ImportSnapshotTest : public testing::Test {
  protected:
    QString Write(const QByteArray& text) {
        const QString path = dir_.filePath(QStringLiteral("scan.json"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path;
    }
    // What a report of Folder inside the export shows.
    std::vector<DirectoryRecord> Imported(const SizeCounting& counting, const QByteArray& folder) {
        QByteArray text = kExport;
        QBuffer buffer(&text);
        buffer.open(QIODevice::ReadOnly);
        auto imported = ImportNcduExport(buffer, counting, folder);
        return std::get<ImportedScan>(imported).result.rows;
    }

    QTemporaryDir dir_;
    HistoryStore store_{{dir_.filePath(QStringLiteral("history.sqlite"))}};
};

}  // namespace

// The snapshot of an import gives back the rows the import reports, of the root and of a
// folder inside, taken when the scan was made, keyed by the way of counting. (Counting links
// once, a snapshot's folders each count a linked file in their own tree, as a walk's do.)
TEST_F(ImportSnapshotTest, TheSnapshotHoldsWhatTheImportReports) {
    for (const SizeCounting counting : {SizeCounting{false, false}, SizeCounting{true, false}}) {
        const auto saved = ImportSnapshot(Write(kExport), counting, store_);
        ASSERT_TRUE(std::holds_alternative<qint64>(saved))
            << std::get<QString>(saved).toStdString();
        QString error;
        const std::optional<SnapshotRows> rows =
            RowsOfSnapshot(store_, std::get<qint64>(saved), {}, &error);
        ASSERT_TRUE(rows) << error.toStdString();
        EXPECT_EQ(rows->info.start, "/srv/");
        EXPECT_EQ(rows->info.time, 1700000000);
        EXPECT_EQ(rows->info.counting, counting.onDisk ? "disk" : "length");
        EXPECT_TRUE(rows->info.partial);
        EXPECT_EQ(RowsText(rows->result.rows), RowsText(Imported(counting, {})));
        const std::optional<SnapshotRows> inside =
            RowsOfSnapshot(store_, std::get<qint64>(saved), "b", &error);
        ASSERT_TRUE(inside) << error.toStdString();
        EXPECT_EQ(RowsText(inside->result.rows), RowsText(Imported(counting, "b")));
    }
}

// A broken or missing file says why and keeps nothing.
TEST_F(ImportSnapshotTest, ABrokenExportKeepsNothing) {
    const QString path = Write(kExport.left(kExport.size() - 4));
    const auto broken = ImportSnapshot(path, {}, store_);
    ASSERT_TRUE(std::holds_alternative<QString>(broken));
    EXPECT_EQ(
        std::get<QString>(broken).toStdString(),
        "cannot import " + path.toStdString() + ": line 4, column 97: the export ends too early");
    const auto missing = ImportSnapshot(dir_.filePath(QStringLiteral("none.json")), {}, store_);
    ASSERT_TRUE(std::holds_alternative<QString>(missing));
    EXPECT_TRUE(std::get<QString>(missing).startsWith("cannot import "))
        << std::get<QString>(missing).toStdString();
    EXPECT_TRUE(store_.List().empty());
}
