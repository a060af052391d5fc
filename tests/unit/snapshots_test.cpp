#include "census/snapshots.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <map>
#include <mutex>

#include "census/snapshot_compare.h"
#include "census/summary_history.h"
#include "tests/support/ordinary_user.h"
#include "tests/support/temp_tree.h"

namespace {

// Every directory's figures as the walk hands them on.
class CollectingSink final : public TreeSink {
  public:
    void DirectoryDone(QByteArrayView path, const TreeFigures& figures) override {
        std::lock_guard lock(mutex_);
        EXPECT_TRUE(done.emplace(path.toByteArray(), figures).second)
            << path.toByteArray().constData();
    }
    void Unread(QByteArrayView path, int) override {
        std::lock_guard lock(mutex_);
        unread.push_back(path.toByteArray());
    }
    std::map<QByteArray, TreeFigures> done;
    std::vector<QByteArray> unread;

  private:
    std::mutex mutex_;
};

// A tree with hidden entries, a file linked in two folders, depth and an unreadable folder.
void Fixture(TempTree& tree) {
    tree.File(".hidden", 7);
    tree.File("a/x", 10);
    tree.File("a/deep/er/y", 100);
    tree.File("a/deep/.z", 1000);
    tree.Dir("a/.hid/empty");
    tree.File("b/w", 5);
    ASSERT_EQ(link(tree.Path("a/x").constData(), tree.Path("b/x2").constData()), 0);
    ASSERT_EQ(link(tree.Path("a/x").constData(), tree.Path("a/deep/x3").constData()), 0);
    tree.Symlink("b/link", "w");
}

ScanResult Walk(const QByteArray& root, const SizeCounting& counting, TreeSink* sink = nullptr) {
    ScanRequest request;
    request.roots = {root.endsWith('/') ? root : root + '/'};
    request.counting = counting;
    if (sink) request.sinks = {sink};
    return ScanDirectories(request, 3);
}

Counts Total(const ScanResult& result) {
    SummaryData data;
    data.Record(result.rows);
    return data.GrandTotal;
}

// Every row as a line: path, the ten figures, unread folders and unsized entries.
std::string RowsText(const std::vector<DirectoryRecord>& rows) {
    QByteArray text;
    for (const DirectoryRecord& row : rows) {
        text += row.Path + " start=" + row.start;
        for (const Figure figure : FiguresOf(row.counts))
            text += ' ' + FigureDigits(figure);
        for (const UnreadDirectory& folder : row.skipped.unread)
            text += " unread:" + folder.path + ':' + QByteArray::number(folder.error);
        text += " unsized:" + QByteArray::number(row.skipped.unsized) + '\n';
    }
    return text.toStdString();
}

class SnapshotsTest : public testing::Test {
  protected:
    // Walks Root and saves its snapshot at Time; the id.
    qint64 Snapshot(const QByteArray& root, qint64 time, SizeCounting counting = {}) {
        ScanRequest request;
        request.roots = {root + '/'};
        request.counting = counting;
        SnapshotRecording recording(request);
        const ScanResult result = ScanDirectories(request, 3);
        EXPECT_TRUE(recording.Save(store_, result, time).isEmpty());
        return store_.List().front().id;
    }

    QTemporaryDir dir_;
    HistoryStore store_{{dir_.filePath(QStringLiteral("history.sqlite"))}};
};

}  // namespace

// What the walk hands a sink for a directory is what a summary of that directory totals, in
// every way of counting: a linked file counts once within each tree when links count once.
TEST(WalkTreeFigures, EveryDirectoryEqualsASummaryOfIt) {
    TempTree tree;
    Fixture(tree);
    for (const SizeCounting counting :
         {SizeCounting{false, false}, SizeCounting{true, true}, SizeCounting{false, true}}) {
        CollectingSink sink;
        const ScanResult whole = Walk(tree.Path(), counting, &sink);
        ASSERT_EQ(sink.done.size(), 7u);  // "", a, a/deep, a/deep/er, a/.hid, a/.hid/empty, b
        for (const auto& [path, figures] : sink.done) {
            const ScanResult alone = Walk(tree.Path(path), counting);
            EXPECT_EQ(figures.tree, Total(alone)) << path.constData() << counting.linksOnce;
            EXPECT_EQ(figures.own, alone.rows.front().counts) << path.constData();
        }
        EXPECT_EQ(sink.done.at("").tree, Total(whole));
    }
}

TEST(WalkTreeFigures, UnreadFoldersGoToTheSinkByTheirPathBelowTheStart) {
    TempTree tree;
    tree.File("a/b/locked/f", 3);
    ASSERT_EQ(chmod(tree.Path("a/b/locked").constData(), 0), 0);
    ASSERT_EQ(chmod(tree.Path().constData(), 0755), 0);
    const QByteArray seen = AsOrdinaryUser([&] {
        CollectingSink sink;
        Walk(tree.Path(), {}, &sink);
        QByteArray text;
        for (const QByteArray& path : sink.unread)
            text += path + ';';
        return text + (sink.done.count("a/b/locked") ? "done" : "missing");
    });
    EXPECT_EQ(seen, "a/b/locked;done");
}

// A saved snapshot gives back the rows of its walk without walking, and the rows of any
// folder inside it as a walk of that folder gives them.
TEST_F(SnapshotsTest, RowsOfASnapshotAreThoseOfItsWalk) {
    TempTree tree;
    Fixture(tree);
    tree.File("a/\xff\x01name/f", 4);
    const qint64 id = Snapshot(tree.Path(), 1000);
    QString error;
    const std::optional<SnapshotRows> rows = RowsOfSnapshot(store_, id, {}, &error);
    ASSERT_TRUE(rows) << error.toStdString();
    EXPECT_EQ(rows->root, tree.Path() + '/');
    EXPECT_EQ(RowsText(rows->result.rows), RowsText(Walk(tree.Path(), {}).rows));
    EXPECT_EQ(rows->info.counting, "length");
    EXPECT_FALSE(rows->info.partial);

    const std::optional<SnapshotRows> inside = RowsOfSnapshot(store_, id, "a", &error);
    ASSERT_TRUE(inside) << error.toStdString();
    std::vector<DirectoryRecord> walked = Walk(tree.Path("a"), {}).rows;
    std::sort(walked.begin() + 1, walked.end(),
              [](const DirectoryRecord& x, const DirectoryRecord& y) { return x.Path < y.Path; });
    EXPECT_EQ(RowsText(inside->result.rows), RowsText(walked));

    EXPECT_FALSE(RowsOfSnapshot(store_, id, "nothing", &error));
    EXPECT_TRUE(error.contains("does not hold")) << error.toStdString();
    EXPECT_FALSE(RowsOfSnapshot(store_, id + 1, {}, &error));
}

// Growth at every depth: a file added deep inside, a folder new and a folder gone, compared
// at the start and at a folder inside the snapshot's tree.
TEST_F(SnapshotsTest, GrowthAtDepthNewAndGoneFolders) {
    TempTree tree;
    Fixture(tree);
    tree.File("gone/f", 50);
    const QByteArray root = tree.Path() + '/';
    const qint64 first = Snapshot(tree.Path(), 1000);
    tree.File("a/deep/er/more", 300);
    tree.File("c/new", 20);
    ASSERT_EQ(unlink(tree.Path("gone/f").constData()), 0);
    ASSERT_EQ(rmdir(tree.Path("gone").constData()), 0);

    QString error;
    const std::optional<SnapshotInfo> base =
        BaseSnapshot(store_, root, "length", "last", 2000, &error);
    ASSERT_TRUE(base) << error.toStdString();
    EXPECT_EQ(base->id, first);
    SummaryData data;
    data.Record(Walk(tree.Path(), {}).rows);
    const Counts total = data.GrandTotal;
    RowGrowths growths;
    ASSERT_TRUE(CompareWithSnapshot(store_, data, root, *base, growths, &error));
    std::map<QByteArray, RowGrowth> byPath;
    for (std::size_t i = 0; i < data.Results.size(); ++i)
        byPath[data.Results[i].Path] = growths[i].value();
    EXPECT_EQ(byPath[root].change, Change::Same);
    EXPECT_EQ(byPath[root + "a/"].bytes, 300);
    EXPECT_EQ(byPath[root + "a/"].files, 1);
    EXPECT_EQ(byPath[root + "a/"].change, Change::Changed);
    EXPECT_EQ(byPath[root + "b/"].change, Change::Same);
    EXPECT_EQ(byPath[root + "c/"].change, Change::New);
    EXPECT_EQ(byPath[root + "c/"].bytes, 20);
    EXPECT_EQ(byPath[root + "gone/"].change, Change::Gone);
    EXPECT_EQ(byPath[root + "gone/"].bytes, -50);
    EXPECT_EQ(data.Results.back().counts, Counts{});
    EXPECT_EQ(data.GrandTotal, total);  // a gone row adds nothing

    // A folder two levels down, compared with the snapshot of the start.
    const QByteArray deep = root + "a/deep/";
    const std::optional<SnapshotInfo> above =
        BaseSnapshot(store_, deep, "length", "last", 2000, &error);
    ASSERT_TRUE(above);
    SummaryData inner;
    inner.Record(Walk(tree.Path("a/deep"), {}).rows);
    RowGrowths innerGrowths;
    ASSERT_TRUE(CompareWithSnapshot(store_, inner, deep, *above, innerGrowths, &error));
    ASSERT_EQ(inner.Results.size(), 2u);  // a/deep itself and er/
    EXPECT_EQ(innerGrowths[0]->change, Change::Same);
    EXPECT_EQ(innerGrowths[1]->bytes, 300);
}

TEST_F(SnapshotsTest, TheBaseIsChosenByDateNumberAndWayOfCounting) {
    TempTree tree;
    tree.File("a/f", 1);
    const QByteArray root = tree.Path() + '/';
    const auto at = [](int day) {
        return QDateTime(QDate(2026, 12, day), QTime(12, 0)).toSecsSinceEpoch();
    };
    const qint64 early = Snapshot(tree.Path(), at(1));
    const qint64 later = Snapshot(tree.Path(), at(3));
    Snapshot(tree.Path(), at(4), {true, false});
    QString error;
    const auto base = [&](const QString& which) {
        const std::optional<SnapshotInfo> found =
            BaseSnapshot(store_, root + "a/", "length", which, at(5), &error);
        return found ? found->id : 0;
    };
    EXPECT_EQ(base("last"), later);
    EXPECT_EQ(base("2026-12-02"), early);
    EXPECT_EQ(base("2026-12-03"), later);
    EXPECT_EQ(base(QString::number(early)), early);
    EXPECT_EQ(base("2026-11-30"), 0);
    EXPECT_TRUE(error.contains("no earlier snapshot")) << error.toStdString();
    EXPECT_EQ(base(QString::number(later + 1)), 0);  // the one on disk counting
    EXPECT_TRUE(error.contains("counted this way")) << error.toStdString();
    EXPECT_EQ(BaseSnapshot(store_, "/elsewhere/", "length", "last", at(5), &error), std::nullopt);
}

TEST(SummaryHistory, TheEstimateTellsTheShareDoneAndTheTimeLeftAtTheRateSoFar) {
    EXPECT_EQ(EstimateText(50, 0, 10), "");  // no earlier snapshot
    EXPECT_EQ(EstimateText(25, 100, 10), " (25 %, about 30 s left)");
    EXPECT_EQ(EstimateText(10, 100, 60), " (10 %, about 9 min left)");
    EXPECT_EQ(EstimateText(150, 100, 60), " (100 %, about 0 s left)");  // the tree grew since
}
