#include <gtest/gtest.h>
#include <sqlite3.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <thread>

#include "history/figure_varint.h"
#include "history/history_store.h"
#include "history/thinning.h"

namespace {

constexpr qint64 kDay = 24 * 60 * 60;

Figures Sample(Figure base) {
    Figures figures{};
    for (int i = 0; i < kFigureCount; ++i)
        figures[i] = base * (i + 1);
    return figures;
}

// A store in a fresh folder, and what saving a snapshot takes.
class HistoryStoreTest : public testing::Test {
  protected:
    QString Path() const { return dir_.filePath(QStringLiteral("tallmere32/history.sqlite")); }
    HistoryStore::Options Options(int timeoutMs = 2000) const { return {Path(), timeoutMs, 0}; }

    static SnapshotInfo Info(qint64 time, QByteArray start = "/data/") {
        SnapshotInfo info;
        info.time = time;
        info.start = std::move(start);
        info.counting = "length";
        info.own = Sample(1);
        info.tree = Sample(7);
        return info;
    }
    static std::optional<qint64> SaveOne(HistoryStore& store, const SnapshotInfo& info,
                                         const std::vector<FigureRecord>& records = {}) {
        SnapshotStaging staging;
        for (const FigureRecord& record : records)
            staging.Add(record.path, record.figures);
        return store.Save(info, staging);
    }
    static std::vector<FigureRecord> Records(HistoryStore& store, qint64 id) {
        std::vector<FigureRecord> records;
        EXPECT_TRUE(store.ForEachRecord(id, [&](const FigureRecord& r) { records.push_back(r); }));
        return records;
    }
    void Sql(const char* sql) const {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(Path()).constData(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }

    QTemporaryDir dir_;
};

}  // namespace

TEST(FigureVarint, RoundTripsEveryWidthAndRefusesWhatDoesNotFit) {
    const Figure most = ~Figure{0};
    for (const Figure value :
         {Figure{0}, Figure{127}, Figure{128}, Figure{300}, kMost64, kMost64 + 1, most}) {
        QByteArray bytes;
        AppendVarint(bytes, value);
        qsizetype pos = 0;
        Figure back = 0;
        ASSERT_TRUE(ReadVarint(bytes, pos, &back));
        EXPECT_TRUE(back == value);
        EXPECT_EQ(pos, bytes.size());
        EXPECT_LE(bytes.size(), kMostVarintBytes);
    }
    QByteArray truncated;
    AppendVarint(truncated, Figure{1} << 40);
    truncated.chop(1);
    qsizetype pos = 0;
    Figure value = 0;
    EXPECT_FALSE(ReadVarint(truncated, pos, &value));
    QByteArray tooLong(kMostVarintBytes, '\xff');
    tooLong.append('\x01');
    EXPECT_FALSE(ReadVarint(tooLong, pos, &value));
    EXPECT_EQ(pos, 0);
}

TEST(RecordBlocks, KeepEveryByteOfEveryPathAndFigure) {
    const std::vector<FigureRecord> records = {
        {"", Sample(5)},
        {"a", Sample(0)},
        {"a/b\xff\x01 \n", Sample(kMost64 + 9)},
        {"a/b\xff\x01 \n/c", Sample(3)},
        {"z", Sample(1)},
    };
    BlockWriter writer;
    for (const FigureRecord& record : records)
        writer.Add(record.path, record.figures);
    EXPECT_EQ(writer.Records(), 5);
    const QByteArray block = CompressBlock(writer.Take());
    EXPECT_TRUE(writer.Empty());
    std::vector<FigureRecord> back;
    ASSERT_TRUE(ReadBlock(block, [&](const FigureRecord& r) { back.push_back(r); }));
    EXPECT_EQ(back, records);

    QByteArray damaged = block;
    damaged[damaged.size() / 2] = static_cast<char>(damaged[damaged.size() / 2] ^ 0x55);
    EXPECT_FALSE(ReadBlock(damaged.left(damaged.size() - 3), [](const FigureRecord&) {}));
}

TEST(Thinning, KeepsAWeekWholeThenOneADayThenOneAMonth) {
    const qint64 now = QDateTime(QDate(2026, 12, 8), QTime(12, 0)).toSecsSinceEpoch();
    const auto at = [](int y, int m, int d, int h) {
        return QDateTime(QDate(y, m, d), QTime(h, 0)).toSecsSinceEpoch();
    };
    const std::vector<Dated> series = {
        {1, at(2026, 12, 7, 9)},  {2, at(2026, 12, 7, 10)},   // this week: both kept
        {3, at(2026, 11, 20, 9)}, {4, at(2026, 11, 20, 18)},  // same day: the last kept
        {5, at(2026, 11, 21, 9)},                             // its own day: kept
        {6, at(2026, 6, 3, 9)},   {7, at(2026, 6, 28, 9)},    // same month: the last kept
        {8, at(2025, 6, 28, 9)},                              // a year before: kept
    };
    std::vector<qint64> away = ThinnedAway(series, now);
    std::sort(away.begin(), away.end());
    EXPECT_EQ(away, (std::vector<qint64>{3, 6}));
}

TEST_F(HistoryStoreTest, SavesListsAndReadsBackASnapshot) {
    HistoryStore store(Options());
    ASSERT_TRUE(store.Open()) << store.Warning().toStdString();
    std::vector<FigureRecord> records;
    for (int i = 0; i < 5000; ++i)  // several blocks
        records.push_back({"dir" + QByteArray::number(i) + "/sub\x80", Sample(i)});
    SnapshotInfo info = Info(1000);
    info.partial = true;
    info.children = {{"dir1", 0}, {"\xff\n", 3}};
    SnapshotStaging staging;
    for (const FigureRecord& record : records)
        staging.Add(record.path, record.figures);
    staging.AddUnread("dir3/locked\xfe", 13);
    const std::optional<qint64> id = store.Save(info, staging);
    ASSERT_TRUE(id) << store.Warning().toStdString();

    const std::vector<SnapshotInfo> listed = store.List();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].id, *id);
    EXPECT_EQ(listed[0].start, "/data/");
    EXPECT_TRUE(listed[0].partial);
    EXPECT_EQ(listed[0].directories, 5000);
    EXPECT_EQ(listed[0].children, info.children);
    EXPECT_TRUE(listed[0].own == info.own && listed[0].tree == info.tree);
    EXPECT_EQ(Records(store, *id), records);
    EXPECT_EQ(store.Unread(*id), (std::vector<UnreadFolder>{{"dir3/locked\xfe", 13}}));

    // Plain tables for a user's own queries.
    HistoryStore again(Options());
    EXPECT_TRUE(again.Find(*id));
    EXPECT_EQ(again.Forget(*id), 1);
    EXPECT_TRUE(again.List().empty());
    EXPECT_TRUE(Records(again, *id).empty());
}

TEST_F(HistoryStoreTest, SavingThinsOnlyTheSameSeries) {
    HistoryStore store(Options());
    const qint64 now = 400 * kDay;
    ASSERT_TRUE(SaveOne(store, Info(now - 30 * kDay)));
    ASSERT_TRUE(SaveOne(store, Info(now - 30 * kDay + 60)));
    ASSERT_TRUE(SaveOne(store, Info(now - 30 * kDay, "/other/")));
    ASSERT_TRUE(SaveOne(store, Info(now)));
    const std::vector<SnapshotInfo> left = store.List();
    ASSERT_EQ(left.size(), 3u);
    EXPECT_EQ(left[0].time, now);
    EXPECT_EQ(left[1].time, now - 30 * kDay + 60);
    EXPECT_EQ(left[2].start, "/other/");
    EXPECT_EQ(store.Forget(std::nullopt), 3);
}

TEST_F(HistoryStoreTest, ADamagedFileIsKeptAsideAndANewStoreBegun) {
    QDir().mkpath(QFileInfo(Path()).absolutePath());
    QFile file(Path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(8192, 'x'));
    file.close();
    HistoryStore store(Options());
    ASSERT_TRUE(store.Open());
    EXPECT_TRUE(store.Warning().contains("damaged")) << store.Warning().toStdString();
    EXPECT_TRUE(SaveOne(store, Info(5)));
    const QStringList aside = QFileInfo(Path()).dir().entryList({"history.sqlite.corrupt-*"});
    ASSERT_EQ(aside.size(), 1);
    QFile kept(QFileInfo(Path()).dir().filePath(aside[0]));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray(8192, 'x'));
}

TEST_F(HistoryStoreTest, ANewerVersionIsLeftAloneWithAWarning) {
    HistoryStore first(Options());
    ASSERT_TRUE(SaveOne(first, Info(5)));
    Sql("PRAGMA user_version = 7");
    HistoryStore store(Options());
    EXPECT_FALSE(SaveOne(store, Info(6)));
    EXPECT_TRUE(store.Warning().contains("newer version (7)")) << store.Warning().toStdString();
    Sql("PRAGMA user_version = 1");
    EXPECT_EQ(HistoryStore(Options()).List().size(), 1u);
}

TEST_F(HistoryStoreTest, ALockedOrFullStoreFailsWithAWarningAndKeepsNothingHalfDone) {
    HistoryStore store(Options(200));
    ASSERT_TRUE(SaveOne(store, Info(5)));
    {
        sqlite3* holder = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(Path()).constData(), &holder), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        EXPECT_FALSE(SaveOne(store, Info(6)));
        EXPECT_TRUE(store.Warning().contains("locked")) << store.Warning().toStdString();
        sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(holder);
    }
    HistoryStore full({Path(), 200, 8});
    std::vector<FigureRecord> many;
    for (int i = 0; i < 20000; ++i)
        many.push_back({QByteArray::number(i * 7919), Sample(i * 104729)});
    EXPECT_FALSE(SaveOne(full, Info(7), many));
    EXPECT_TRUE(full.Warning().contains("full")) << full.Warning().toStdString();
    EXPECT_EQ(HistoryStore(Options()).List().size(), 1u);
}

TEST_F(HistoryStoreTest, WritersAtOnceAllSucceed) {
    std::vector<std::thread> writers;
    std::atomic<int> saved{0};
    for (int w = 0; w < 4; ++w) {
        writers.emplace_back([&, w] {
            HistoryStore store(Options(20000));
            for (int i = 0; i < 5; ++i)
                if (SaveOne(store, Info(100 + i, "/w" + QByteArray::number(w) + "/"),
                            {{"x", Sample(i)}}))
                    saved++;
        });
    }
    for (std::thread& writer : writers)
        writer.join();
    EXPECT_EQ(saved, 20);
    EXPECT_EQ(HistoryStore(Options()).List().size(), 20u);
}
