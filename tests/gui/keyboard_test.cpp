// The keyboard in both tables, the sort indicator, and windows kept on the screen.
#include <gtest/gtest.h>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QScreen>
#include <QTest>

#include "help/help_viewer.h"
#include "tests/support/disk_window.h"
#include "tests/support/modal.h"
#include "tests/support/summary_window.h"
#include "tests/support/temp_tree.h"
#include "ui/flex_grid.h"
#include "ui/screen_fit.h"

namespace {

// The Menu key as the platform delivers it: a context menu event of the keyboard.
void PressMenuKey(FlexGrid& grid) {
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(), QPoint());
    QApplication::sendEvent(&grid, &menuKey);
}

void MakeCurrent(FlexGrid& grid, int row) {
    grid.setFocus();
    grid.setCurrentIndex(grid.model()->index(row - 1, 0));
}

// Whether At on the screen lies in grid row Row.
bool InRow(FlexGrid& grid, int row, QPoint at) {
    const QRect cell = grid.visualRect(grid.model()->index(row - 1, 0));
    return cell.contains(grid.viewport()->mapFromGlobal(at));
}

class SummaryKeys : public ::testing::Test {
  protected:
    SummaryKeys() {
        MakeSizedTree(tree);
        summary.Load();
    }
    FlexGrid& Grid() { return summary.window->Grid(); }
    QString Caption() { return summary.window->windowTitle(); }

    TempTree tree;
    SummaryWindow summary{StartOn(tree.Path(), {"-d3"})};
};

}  // namespace

TEST_F(SummaryKeys, EnterDrillsDownAndBackspaceOrAltLeftGoBack) {
    const QStringList start = summary.Column(0);
    QTest::keyClick(&Grid(), Qt::Key_Backspace);  // nowhere to go back to
    EXPECT_TRUE(summary.window->State().SummaryReady);
    for (const QKeySequence& back :
         {QKeySequence(Qt::Key_Backspace), QKeySequence(QKeySequence::Back)}) {
        MakeCurrent(Grid(), summary.RowOf(tree.Path("large")));
        QTest::keyClick(&Grid(), Qt::Key_Return);
        summary.WaitForSummary();
        EXPECT_TRUE(Caption().endsWith("/large"));
        QTest::keySequence(summary.window.get(), back);
        summary.WaitForSummary();
        EXPECT_EQ(summary.Column(0), start) << back.toString().toStdString();
    }
}

TEST_F(SummaryKeys, MenuKeyAndShiftF10OpenThePopupAtTheCurrentRowAndActOnIt) {
    summary.popupChoice = "&Explore";
    const int medium = summary.RowOf(tree.Path("medium"));
    MakeCurrent(Grid(), medium);
    PressMenuKey(Grid());
    ASSERT_EQ(summary.popupEntries.size(), 1u);
    EXPECT_TRUE(InRow(Grid(), medium, summary.popupAt));
    const int small = summary.RowOf(tree.Path("small"));
    MakeCurrent(Grid(), small);
    QTest::keyClick(&Grid(), Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_EQ(summary.popupEntries.size(), 2u);
    EXPECT_TRUE(InRow(Grid(), small, summary.popupAt));
    EXPECT_EQ(summary.launcher.opened,
              (std::vector<QByteArray>{tree.Path("medium"), tree.Path("small")}));
}

TEST_F(SummaryKeys, F1OpensTheHelpAndCtrlCCopiesTheGrid) {
    QTest::keySequence(summary.window.get(), QKeySequence::Copy);
    EXPECT_EQ(summary.clipboard.sets, 1);
    QTest::keySequence(summary.window.get(), QKeySequence::HelpContents);
    HelpViewer* help = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* viewer = qobject_cast<HelpViewer*>(window); viewer && viewer->isVisible())
            help = viewer;
    }
    ASSERT_NE(help, nullptr);
    help->close();
}

TEST_F(SummaryKeys, TheSortedColumnShowsTheSortIndicator) {
    const QHeaderView& header = *Grid().horizontalHeader();
    EXPECT_TRUE(header.isSortIndicatorShown());
    EXPECT_EQ(header.sortIndicatorSection(), 2);
    EXPECT_EQ(header.sortIndicatorOrder(), Qt::DescendingOrder);
    summary.ClickHeading(0);
    EXPECT_EQ(header.sortIndicatorSection(), 0);
    EXPECT_EQ(header.sortIndicatorOrder(), Qt::AscendingOrder);
    EXPECT_EQ(summary.Grid().TextMatrix(0, 0), "Directory Name");
}

TEST(ScreenFit, WindowsLargerThanTheScreenOrOffItAreKeptOnIt) {
    TempTree tree;
    SummaryWindow summary(StartOn(tree.Path(), {"-x30000,30000"}));
    summary.Load();
    const QRect area = summary.window->screen()->availableGeometry();
    EXPECT_TRUE(area.contains(summary.window->frameGeometry())) << area.width();
    EXPECT_FALSE(FitWithin(QRect(0, 0, 5000, 100), area).width() > area.width());
    EXPECT_EQ(FitWithin(QRect(10, 20, 30, 40), area), QRect(10, 20, 30, 40));
}

TEST(DiskKeys, MenuKeyAndShiftF10OpenThePopupAtTheCurrentRow) {
    DiskWindow disk;
    disk.window.Open();
    auto& grid = *disk.window.findChild<FlexGrid*>("flxDisks");
    MakeCurrent(grid, 2);
    for (int press = 0; press < 2; ++press) {
        QPoint shownAt;
        OnPopup([&](QMenu& menu) {
            shownAt = menu.pos();
            menu.actions()[1]->trigger();  // &Explore
        });
        if (press == 0) {
            PressMenuKey(grid);
        } else {
            QTest::keyClick(&grid, Qt::Key_F10, Qt::ShiftModifier);
        }
        EXPECT_TRUE(InRow(grid, 2, shownAt)) << press;
    }
    EXPECT_EQ(disk.launcher.opened, (std::vector<QByteArray>{"/home", "/home"}));
}
