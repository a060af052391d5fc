// The keyboard in both tables, the sort indicator, and windows kept on the screen.
#include <gtest/gtest.h>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <map>

#include "help/help_viewer.h"
#include "tests/support/disk_window.h"
#include "tests/support/modal.h"
#include "tests/support/summary_window.h"
#include "tests/support/temp_tree.h"
#include "ui/flex_grid.h"
#include "ui/screen_fit.h"
#include "ui/user_messages.h"

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

// Tab walks every control of the window, the grid included, and each shows that it has the
// focus: it looks different with it than without it.
TEST_F(SummaryKeys, TabReachesEveryControlAndTheFocusShows) {
    summary.DoubleClickRow(summary.RowOf(tree.Path("large")));  // so that Back shows
    summary.WaitForSummary();
    summary.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(summary.window.get()));
    Grid().setFocus();
    QSet<QString> reached;
    for (int press = 0; press < 8; ++press) {
        reached << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(reached, (QSet<QString>{"Text1", "Grid1", "Command2", "cmdBack", "Image1"}));
    for (const QString& name : reached) {
        auto* control = summary.window->findChild<QWidget*>(name);
        control->setFocus(Qt::TabFocusReason);
        const QImage focused = control->grab().toImage();
        summary.window->findChild<QWidget*>(name == "Grid1" ? "Command2" : "Grid1")->setFocus();
        EXPECT_NE(control->grab().toImage(), focused) << name.toStdString();
    }
}

// The letters Alt reaches: within one menu, within the menu bar and the window's buttons, and
// within the grid's popup, each at most once.
TEST_F(SummaryKeys, NoTwoItemsShareAnAltKey) {
    const auto letters = [](const QStringList& captions) {
        QStringList found;
        for (const QString& caption : captions) {
            const qsizetype amp = caption.indexOf(u'&');
            if (amp >= 0 && amp + 1 < caption.size()) found << caption.mid(amp + 1, 1).toLower();
        }
        return found;
    };
    const auto expectUnique = [](const QStringList& keys, const char* where) {
        EXPECT_EQ(QSet<QString>(keys.begin(), keys.end()).size(), keys.size())
            << where << ": " << keys.join(' ').toStdString();
    };
    QStringList bar;
    for (const QAction* item : summary.window->menuBar()->actions()) {
        bar << item->text();
        if (item->menu()) {
            QStringList items;
            for (const QAction* inner : item->menu()->actions())
                items << inner->text();
            expectUnique(letters(items), item->text().toUtf8().constData());
        }
    }
    for (const QPushButton* button : summary.window->findChildren<QPushButton*>())
        bar << button->text();
    expectUnique(letters(bar), "menu bar and buttons");
    summary.RightClick(summary.RowPoint(1), {});
    ASSERT_EQ(summary.popupEntries.size(), 1u);
    expectUnique(letters(summary.popupEntries[0]), "popup");
}

TEST_F(SummaryKeys, CtrlNSPAndQRunNewSaveAsPrintAndExit) {
    const std::map<const char*, QKeySequence> keys = {{"NewSum", QKeySequence("Ctrl+N")},
                                                      {"mnuSaveAs", QKeySequence("Ctrl+S")},
                                                      {"mnuPrint", QKeySequence("Ctrl+P")},
                                                      {"Exit", QKeySequence("Ctrl+Q")}};
    for (const auto& [name, key] : keys)
        EXPECT_EQ(summary.window->findChild<QAction*>(name)->shortcut(), key) << name;
    QList<QKeySequence> taken;
    for (const QAction* action : summary.window->findChildren<QAction*>()) {
        if (action->shortcut().isEmpty()) continue;
        EXPECT_FALSE(taken.contains(action->shortcut())) << action->text().toStdString();
        taken << action->shortcut();
    }
    QTest::keySequence(summary.window.get(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(summary.startAsked, 1);
    QTest::keySequence(summary.window.get(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(summary.saveDialog.asked, 1);
    summary.printDialog.accept = false;
    QTest::keySequence(summary.window.get(), QKeySequence("Ctrl+P"));
    EXPECT_EQ(summary.printDialog.asked, 1);
    QSignalSpy closing(summary.window.get(), &Tallmere::Closing);
    QTest::keySequence(summary.window.get(), QKeySequence("Ctrl+Q"));
    EXPECT_EQ(closing.count(), 1);
}

TEST(Messages, WhatWentWrongShowsTheWarningIcon) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    OnModal<QMessageBox>([&](QMessageBox& box) {
        icon = box.icon();
        title = box.windowTitle();
        box.accept();
    });
    MessageBoxMessages messages;
    messages.ShowMessage(nullptr, "Tallmere32", "Could not save");
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(title, "Tallmere32");
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
