// Drill-down, Back and New in the summary window, over temporary trees.
#include <gtest/gtest.h>
#include <QAction>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QSignalSpy>

#include "tests/support/summary_window.h"
#include "tests/support/temp_tree.h"
#include "ui/flex_grid.h"
#include "ui/twips.h"

namespace {

// top/ holds a file, A/ (with A1/ and A2/, three files in all) and B/ (one file).
void MakeTree(TempTree& tree) {
    for (const char* file : {"top/own", "top/A/x", "top/A/A1/y", "top/A/A2/z", "top/B/w"})
        tree.File(file);
}

QPushButton* Button(SummaryWindow& summary, const char* name) {
    return summary.window->findChild<QPushButton*>(name);
}

void TriggerNew(SummaryWindow& summary) {
    summary.window->findChild<QAction*>("NewSum")->trigger();
}

}  // namespace

TEST(Navigation, DrillDownAndBackKeepTheSortAndMoveTheBackButton) {
    TempTree tree;
    MakeTree(tree);
    const QByteArray top = tree.Path("top");
    SummaryWindow summary(StartOn(top, {"-d1"}));
    summary.Load();
    QPushButton* back = Button(summary, "cmdBack");
    EXPECT_FALSE(back->isVisible());

    summary.DoubleClickRow(summary.RowOf(top + "/A"));
    summary.WaitForSummary();
    EXPECT_EQ(summary.window->windowTitle(), "Tallmere - " + ShownText(top + "/A"));
    EXPECT_EQ(summary.Column(0), (QStringList{ShownText(top + "/A/A2"), ShownText(top + "/A/A1"),
                                              ShownText(top + "/A"), "Grand Total"}));
    EXPECT_EQ(summary.window->State().SortColumn, 1);
    EXPECT_FALSE(summary.window->State().SortAscending);
    ASSERT_TRUE(back->isVisible());
    const QPushButton* close = Button(summary, "Command2");
    EXPECT_EQ(back->x(), TwipsToPixels(250));
    EXPECT_EQ(back->y(), close->y());
    EXPECT_EQ(back->height(), close->height());
    EXPECT_LT(back->geometry().right(), close->x());

    back->click();
    summary.WaitForSummary();
    EXPECT_EQ(summary.window->windowTitle(), "Tallmere - " + ShownText(top));
    EXPECT_EQ(summary.Column(0), (QStringList{ShownText(top + "/B"), ShownText(top + "/A"),
                                              ShownText(top), "Grand Total"}));
    EXPECT_FALSE(back->isVisible());
}

// Back returns to where the user was: the folder left is the current row again, however the
// rows are sorted, and the keys go on from there.
TEST(Navigation, BackMakesTheFolderLeftTheCurrentRow) {
    TempTree tree;
    MakeTree(tree);
    const QByteArray top = tree.Path("top");
    SummaryWindow summary(StartOn(top, {"-d1"}));
    summary.Load();
    summary.DoubleClickRow(summary.RowOf(top + "/A"));
    summary.WaitForSummary();
    summary.DoubleClickRow(summary.RowOf(top + "/A/A2"));
    summary.WaitForSummary();
    for (const QByteArray& left : {top + "/A/A2", top + "/A"}) {
        Button(summary, "cmdBack")->click();
        summary.WaitForSummary();
        const FlexGrid& grid = summary.window->Grid();
        EXPECT_EQ(grid.currentIndex().row() + 1, summary.RowOf(left)) << left.constData();
        EXPECT_EQ(summary.Grid().RowSel(), summary.RowOf(left));
        EXPECT_TRUE(grid.selectionModel()->isRowSelected(grid.currentIndex().row(), {}));
    }
}

TEST(Navigation, DoubleClicksOffTheDirectoryRowsDoNothing) {
    TempTree tree;
    MakeTree(tree);
    SummaryWindow summary(StartOn(tree.Path("top")));
    summary.Load();
    const QString title = summary.window->windowTitle();
    summary.DoubleClickRow(summary.Grid().Rows() - 1);  // "Grand Total"
    EXPECT_TRUE(summary.window->State().SummaryReady);
    EXPECT_EQ(summary.window->windowTitle(), title);
    EXPECT_EQ(summary.Column(0).last(), "Grand Total");
}

TEST(Navigation, ADrillDownPastAHundredLevelsIsRefused) {
    TempTree tree;
    QByteArray chain = "top";
    for (int level = 0; level <= 100; ++level)
        chain += "/d";
    tree.Dir(chain);
    SummaryWindow summary(StartOn(tree.Path("top")));
    summary.Load();
    for (int level = 1; level <= 100; ++level) {
        summary.DoubleClickRow(2);  // the one subdirectory, below the directory's own row
        summary.WaitForSummary();
    }
    const QStringList table = summary.Column(0);
    summary.DoubleClickRow(2);
    EXPECT_TRUE(summary.window->State().SummaryReady);
    EXPECT_EQ(summary.Column(0), table);
    EXPECT_TRUE(summary.Progress().contains("History full"));
    Button(summary, "cmdBack")->click();
    summary.WaitForSummary();
    EXPECT_EQ(summary.window->State().history.Index(), 99);
}

TEST(Navigation, NewKeepsTheTableWhileAskingAndSummarisesEveryDirectoryTyped) {
    TempTree tree;
    MakeTree(tree);
    const QByteArray top = tree.Path("top");
    SummaryWindow summary(StartOn(top));
    summary.Load();
    summary.DoubleClickRow(summary.RowOf(top + "/A"));
    summary.WaitForSummary();
    QStringList shownWhenAsked;
    const QStringList shownBefore = summary.Column(0);
    summary.window->Hooks().AskStartDirectory = [&](QWidget*) {
        shownWhenAsked = summary.Column(0);
        return top + "/A;" + top + "/B";
    };
    TriggerNew(summary);
    summary.WaitForSummary();
    EXPECT_EQ(shownWhenAsked, shownBefore);
    EXPECT_EQ(summary.window->windowTitle(), "Tallmere - " + ShownText(top + "/A;" + top + "/B"));
    EXPECT_EQ(summary.Column(0),
              (QStringList{ShownText(top + "/A"), ShownText(top + "/A/A1"),
                           ShownText(top + "/A/A2"), ShownText(top + "/B"), "Grand Total"}));
    EXPECT_FALSE(Button(summary, "cmdBack")->isVisible());
    EXPECT_EQ(summary.window->focusWidget(), Button(summary, "Command2"));
}

TEST(Navigation, EmptyFieldsOfANewAnswerAreLeftOutAndSeparatorsAloneCancel) {
    TempTree tree;
    MakeTree(tree);
    const QByteArray top = tree.Path("top");
    SummaryWindow summary(StartOn(top));
    summary.Load();
    summary.startAnswer = top + "/A;";
    TriggerNew(summary);
    summary.WaitForSummary();
    EXPECT_EQ(summary.window->State().history.Current().places.directories,
              (std::vector<QByteArray>{top + "/A/"}));
    EXPECT_EQ(summary.Column(0).first(), ShownText(top + "/A"));
    QSignalSpy closing(summary.window.get(), &Tallmere::Closing);
    const QStringList shown = summary.Column(0);
    summary.startAnswer = " ; ";
    TriggerNew(summary);
    EXPECT_EQ(closing.count(), 0);
    EXPECT_TRUE(summary.window->State().SummaryReady);
    EXPECT_EQ(summary.Column(0), shown);
}

TEST(Navigation, TheCheckBoxAnswerSummarisesEveryLocalVolume) {
    TempTree tree;
    MakeTree(tree);
    SummaryWindow summary(StartOn(tree.Path("top/B")));
    summary.volumes.Add(MakeVolume(tree.Path("top")), SpaceReport(1e9, 5e8));
    summary.Load();
    summary.startAnswer = "My Computer";
    TriggerNew(summary);
    summary.WaitForSummary();
    EXPECT_EQ(summary.window->windowTitle(), "Tallmere - My Computer");
    EXPECT_EQ(summary.Column(0).first(), ShownText(tree.Path("top/")));  // a volume's own row
}

// Cancel, Escape or an empty answer: the summary shown stays, with its caption, its history
// and its Back button.
TEST(Navigation, ACancelledStartDirectoryReturnsToTheSummaryShown) {
    TempTree tree;
    MakeTree(tree);
    const QByteArray top = tree.Path("top");
    SummaryWindow summary(StartOn(top));
    summary.Load();
    summary.DoubleClickRow(summary.RowOf(top + "/A"));
    summary.WaitForSummary();
    const QString caption = summary.window->windowTitle();
    const QStringList shown = summary.Column(0);
    QSignalSpy closing(summary.window.get(), &Tallmere::Closing);
    QSignalSpy finished(summary.window.get(), &Tallmere::SummaryFinished);
    TriggerNew(summary);
    EXPECT_EQ(summary.startAsked, 1);
    EXPECT_EQ(closing.count(), 0);
    EXPECT_TRUE(summary.window->isVisible());
    EXPECT_TRUE(summary.window->State().SummaryReady);
    EXPECT_EQ(summary.window->windowTitle(), caption);
    EXPECT_EQ(summary.Column(0), shown);
    EXPECT_EQ(summary.window->State().history.Index(), 1);
    EXPECT_TRUE(Button(summary, "cmdBack")->isVisible());
    EXPECT_FALSE(finished.wait(200)) << "nothing is walked again";
}

TEST(Navigation, NothingNavigatesWhileASummaryIsBeingMade) {
    TempTree tree;
    MakeTree(tree);
    SummaryWindow summary(StartOn(tree.Path("top")));
    ASSERT_EQ(summary.window->Form_Load(),
              Tallmere::Started::Shown);  // its result waits in the event queue
    TriggerNew(summary);
    EXPECT_EQ(summary.startAsked, 0);
    summary.WaitForSummary();
}

TEST(Navigation, DrillingIntoAVolumesRowKeepsToThatVolumeAsItsRowWasCounted) {
    TempTree tree;
    MakeTree(tree);
    SummaryWindow summary(Words{});
    summary.volumes.Add(MakeVolume(tree.Path("top")), SpaceReport(1e9, 5e8));
    summary.Load();
    EXPECT_TRUE(summary.window->State().history.Current().places.stayOnVolume);
    summary.DoubleClickRow(summary.RowOf(tree.Path("top/B")));
    summary.WaitForSummary();
    EXPECT_TRUE(summary.window->State().history.Current().places.stayOnVolume);
    EXPECT_FALSE(summary.window->State().history.Current().places.myComputer);
}
