// Stop and Refresh in the summary window.
#include <gtest/gtest.h>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <future>

#include "platform/directory_walk.h"
#include "tests/support/summary_window.h"
#include "tests/support/temp_tree.h"
#include "ui/flex_grid.h"

namespace {

// Holds the summary walk where it is about to open Directory until the test lets it go.
class HoldAt final : public WalkFaults {
  public:
    explicit HoldAt(QByteArray directory) : directory_(std::move(directory)) {}
    int OpenError(const QByteArray& directory) override {
        if (directory == directory_) {
            reached_.set_value();
            released_.wait();
        }
        return 0;
    }
    void WaitUntilReached() { reached_.get_future().wait(); }
    void Release() { release_.set_value(); }

  private:
    QByteArray directory_;
    std::promise<void> reached_;
    std::promise<void> release_;
    std::shared_future<void> released_ = release_.get_future().share();
};

// Big/ and small/ with a file each, and held/ with a file and a folder below it.
void MakeStopTree(TempTree& tree) {
    tree.File("big/a", 3000);
    tree.File("small/a", 20);
    tree.File("held/a", 400);
    tree.File("held/inner/b", 50);
}

// Stops the summary of a tree while its walk is held at held/inner by Gesture, and checks that
// what was counted stays, marked partial.
void ExpectStopKeepsWhatWasCounted(const std::function<void(SummaryWindow&)>& gesture) {
    TempTree tree;
    MakeStopTree(tree);
    SummaryWindow whole(StartOn(tree.Path(), {"-a1"}));
    whole.Load();
    SummaryWindow summary(StartOn(tree.Path(), {"-a1"}));
    HoldAt hold(tree.Path("held/inner"));
    summary.window->Hooks().walkFaults = &hold;
    ASSERT_EQ(summary.window->Form_Load(), Tallmere::Started::Shown);
    hold.WaitUntilReached();
    auto* stop = summary.window->findChild<QPushButton*>("cmdStop");
    ASSERT_NE(stop, nullptr);
    EXPECT_TRUE(stop->isVisible());
    gesture(summary);
    hold.Release();
    summary.WaitForSummary();
    EXPECT_FALSE(stop->isVisible());
    EXPECT_EQ(summary.Progress(), "Stopped: the figures are partial.");
    EXPECT_FALSE(summary.window->State().complete);
    const int held = summary.RowOf(tree.Path("held"));
    ASSERT_GT(held, 0);
    EXPECT_TRUE(summary.Grid().RowNote(held).contains("the walk was stopped"));
    EXPECT_EQ(summary.Grid().TextMatrix(held, 2), "400");  // what it had counted stays
    for (const char* name : {"big", "small"}) {
        const int row = summary.RowOf(tree.Path(name));
        const bool finished = summary.Grid().RowNote(row).isEmpty();
        if (finished) {
            EXPECT_EQ(RowTexts(summary.Grid(), row), RowTexts(whole.Grid(), row));
        }
    }
    const int total = summary.Grid().Rows() - 1;
    EXPECT_TRUE(summary.Grid().RowNote(total).contains("Stopped: the figures are partial."));
}

}  // namespace

TEST(StopWalk, TheStopButtonKeepsWhatWasCounted) {
    ExpectStopKeepsWhatWasCounted([](SummaryWindow& summary) {
        summary.window->findChild<QPushButton*>("cmdStop")->click();
    });
}

TEST(StopWalk, EscapeKeepsWhatWasCounted) {
    ExpectStopKeepsWhatWasCounted([](SummaryWindow& summary) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(summary.window.get()));  // keys go to it
        QTest::keyClick(&summary.window->Grid(), Qt::Key_Escape);
    });
}

TEST(Refresh, AChangeOnDiskShowsKeepingOrderSelectionAndScrolling) {
    TempTree tree;
    for (int i = 0; i < 60; ++i)
        tree.File(QByteArray("d") + QByteArray::number(100 + i) + "/f", 10 * (i + 1));
    SummaryWindow summary(StartOn(tree.Path(), {"-d3"}));
    summary.Load();
    FlexGrid& grid = summary.window->Grid();
    const QByteArray selected = tree.Path("d130");
    grid.SelectRow(summary.RowOf(selected));
    grid.SetTopRow(12);
    ASSERT_EQ(grid.TopRow(), 12);
    tree.File("d105/big", 100000);  // now the largest
    QTest::keyClick(summary.window.get(), Qt::Key_F5);
    summary.WaitForSummary();
    EXPECT_EQ(summary.Grid().TextMatrix(1, 0), ShownText(tree.Path("d105")));
    EXPECT_EQ(summary.Grid().TextMatrix(1, 2), "100,060");
    EXPECT_EQ(summary.Grid().RowSel(), summary.RowOf(selected));
    EXPECT_EQ(grid.TopRow(), 12);
    EXPECT_EQ(summary.window->State().SortColumn, 3);
    EXPECT_FALSE(summary.window->State().SortAscending);
}
