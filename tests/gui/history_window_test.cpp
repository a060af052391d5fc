// The summary window's history: growth since an earlier snapshot across drill-down and Back,
// and a saved snapshot opened without walking.
#include <gtest/gtest.h>
#include <QPushButton>
#include <QTest>

#include "tests/support/summary_window.h"
#include "tests/support/temp_tree.h"

namespace {

// top/ holds A/ (A1/ with one file of 10 bytes) and B/ (one file of 20 bytes).
void MakeTree(TempTree& tree) {
    tree.File("top/A/A1/x", 10);
    tree.File("top/B/y", 20);
}

// Summarises Top in a window keeping its history in Store, and closes it again; snapshots are
// taken to the second, so the next window begins a second later.
void SummarizeOnce(const QByteArray& top, const HistoryStore::Options& store) {
    SummaryWindow earlier(StartOn(top));
    earlier.window->Hooks().history = store;
    earlier.Load();
    EXPECT_EQ(earlier.Grid().Cols(), 11);  // nothing to compare with yet
    QTest::qWait(1100);
}

}  // namespace

TEST(HistoryWindow, GrowthFollowsDrillDownAndBackFromTheSnapshotChosenFirst) {
    TempTree tree;
    MakeTree(tree);
    const QByteArray top = tree.Path("top");
    SummaryWindow summary(StartOn(top));
    SummarizeOnce(top, summary.History());
    tree.File("top/A/A1/grown", 50);
    tree.File("top/A/A3/new", 5);
    ASSERT_EQ(std::system(("rm -r " + tree.Path("top/B")).constData()), 0);

    summary.Load();
    ASSERT_EQ(summary.Grid().Cols(), 13);
    EXPECT_EQ(summary.Grid().TextMatrix(0, 11), "Growth Bytes");
    const int gone = summary.Column(0).indexOf(ShownText(top + "/B") + " (gone)") + 1;
    ASSERT_GT(gone, 0);
    EXPECT_EQ(summary.Grid().TextMatrix(gone, 1), "");
    EXPECT_EQ(summary.Grid().TextMatrix(gone, 11), "-20");
    EXPECT_EQ(summary.Grid().TextMatrix(gone, 12), "-1");
    const int total = summary.Grid().Rows() - 1;
    EXPECT_EQ(summary.Grid().TextMatrix(total, 11), "+35");  // 50 + 5 - 20
    EXPECT_TRUE(summary.Progress().startsWith("Done! Compared with "))
        << summary.Progress().toStdString();
    const QString compared = summary.Progress();

    summary.DoubleClickRow(summary.RowOf(top + "/A"));
    summary.WaitForSummary();
    EXPECT_EQ(summary.Grid().TextMatrix(summary.RowOf(top + "/A/A1"), 11), "+50");
    EXPECT_GT(summary.Column(0).indexOf(ShownText(top + "/A/A3") + " (new)"), -1);
    summary.ClickHeading(11);  // by growth, ascending: the new folder before the grown one
    EXPECT_LT(summary.Column(0).indexOf(ShownText(top + "/A/A3") + " (new)"),
              summary.RowOf(top + "/A/A1") - 1);

    summary.window->findChild<QPushButton*>("cmdBack")->click();
    summary.WaitForSummary();
    // The same moment as before, not the snapshot this window took of top a moment ago.
    EXPECT_EQ(summary.Progress(), compared);
    EXPECT_EQ(summary.Grid().TextMatrix(summary.Grid().Rows() - 1, 11), "+35");

    // Compare With offers every snapshot holding top: the first window's and this one's two.
    summary.snapshotChoice = HistoryStore(summary.History()).List().front().id;
    summary.Trigger("mnuCompareWith");
    ASSERT_EQ(summary.snapshotLists.size(), 1u);
    EXPECT_EQ(summary.snapshotLists.front().size(), 3u);
    ASSERT_EQ(summary.Grid().Cols(), 13);
    EXPECT_EQ(summary.Grid().TextMatrix(summary.Grid().Rows() - 1, 11), "");  // nothing grew
    EXPECT_GT(summary.Grid().ColWidth(11), 0);  // and the column still shows
    EXPECT_EQ(summary.Column(0).indexOf(ShownText(top + "/B") + " (gone)"), -1);
}

TEST(HistoryWindow, ASnapshotOpensWithoutWalkingAndTellsWhenItsFolderIsGone) {
    TempTree tree;
    MakeTree(tree);
    const QByteArray top = tree.Path("top");
    SummaryWindow summary(StartOn(top));
    summary.Load();
    ASSERT_EQ(std::system(("rm -r " + tree.Path("top/B")).constData()), 0);
    HistoryStore store(summary.History());
    const std::vector<SnapshotInfo> kept = store.List();
    ASSERT_EQ(kept.size(), 1u);

    summary.snapshotChoice = kept.front().id;
    summary.Trigger("mnuOpenSnapshot");
    summary.WaitForSummary();
    ASSERT_EQ(summary.snapshotLists.size(), 1u);
    EXPECT_TRUE(summary.window->windowTitle().contains("(snapshot of "))
        << summary.window->windowTitle().toStdString();
    EXPECT_TRUE(summary.Progress().startsWith("Snapshot of "));
    const int b = summary.RowOf(top + "/B");
    ASSERT_GT(b, 0);  // as it was
    EXPECT_EQ(summary.Grid().TextMatrix(b, 2), "20");

    summary.RightClick(summary.RowPoint(b), "&Explore");
    ASSERT_EQ(summary.messages.shown.size(), 1u);
    EXPECT_TRUE(summary.messages.shown.front().second.contains("is no longer there"));
    EXPECT_TRUE(summary.launcher.opened.empty());

    summary.DoubleClickRow(summary.RowOf(top + "/A"));  // drill-down inside the snapshot
    summary.WaitForSummary();
    EXPECT_GT(summary.RowOf(top + "/A/A1"), 0);
    EXPECT_EQ(HistoryStore(summary.History()).List().size(), 1u);  // nothing walked, nothing kept
}

TEST(HistoryWindow, AWindowOpensOnASnapshotAndTheFolderNamedInsideIt) {
    TempTree tree;
    MakeTree(tree);
    const QByteArray top = tree.Path("top");
    SummaryWindow earlier(StartOn(top));
    earlier.Load();
    const qint64 id = HistoryStore(earlier.History()).List().front().id;
    ASSERT_EQ(std::system(("rm -r " + top).constData()), 0);

    SummaryWindow summary(StartOn(top + "/A"));
    summary.window->Hooks().history = earlier.History();
    summary.window->OpenSnapshotAtStart(id);
    summary.Load();
    EXPECT_EQ(summary.Column(0),
              (QStringList{ShownText(top + "/A"), ShownText(top + "/A/A1"), "Grand Total"}));
    EXPECT_EQ(summary.Grid().TextMatrix(2, 2), "10");
}
