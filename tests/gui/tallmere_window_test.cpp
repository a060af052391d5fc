#include <gtest/gtest.h>
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>
#include <future>

#include "summary/tallmere.h"
#include "table/cell_grid.h"
#include "table/report_text.h"
#include "tests/support/fakes.h"
#include "tests/support/summary_window.h"
#include "tests/support/temp_tree.h"
#include "ui/app_context.h"
#include "ui/flex_grid.h"

namespace {

// What Save As offers for a summary of Tree today, as a report of Kind.
QString SuggestedName(TempTree& tree, const char* kind) {
    return QFileInfo(QFile::decodeName(tree.Path())).fileName() + ' ' +
           QDate::currentDate().toString(Qt::ISODate) + '.' + kind;
}

}  // namespace

TEST(TallmereWindow, StartsOnADirectorySortedAsTheCommandLineSays) {
    TempTree tree;
    MakeSizedTree(tree);
    SummaryWindow summary(StartOn(tree.Path(), {"-d3"}));
    summary.Load();
    EXPECT_EQ(summary.window->windowTitle(), "Tallmere - " + QString::fromUtf8(tree.Path()));
    EXPECT_TRUE(summary.window->isVisible());
    EXPECT_EQ(summary.Column(2), (QStringList{"1,000", "300", "20", "1", "1,321"}));
    EXPECT_EQ(summary.Column(0).last(), "Grand Total");
    EXPECT_EQ(summary.Progress(), "Done!");
    EXPECT_TRUE(summary.window->State().SummaryReady);
    EXPECT_EQ(summary.store.values.at("Display"), "Bytes");
}

TEST(TallmereWindow, AFolderThatCouldNotBeReadIsToldAndMarkedButNeverInTheCells) {
    TempTree tree;
    MakeSizedTree(tree);
    const QByteArray missing = tree.Path("missing");
    const QString missingText = QString::fromUtf8(missing);
    SummaryWindow summary(Words{tree.Path("large"), missing, "-d3"});
    summary.Load();
    const QString done = "Done! " + missingText + " could not be read: No such file or directory.";
    EXPECT_EQ(summary.Progress(), done);
    const QAbstractItemModel& model = *summary.window->Grid().model();
    const auto note = [&](int row, int role) { return model.index(row - 1, 0).data(role); };
    const int marked = summary.RowOf(missing);
    ASSERT_EQ(summary.Grid().Rows(), 4);
    EXPECT_EQ(RowTexts(summary.Grid(), marked),
              QStringList({missingText, "", "", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(note(marked, Qt::ToolTipRole).toString(),
              "Could not be read:\n" + missingText + ": No such file or directory");
    EXPECT_FALSE(note(marked, Qt::DecorationRole).isNull());
    const int plain = summary.RowOf(tree.Path("large"));
    EXPECT_TRUE(note(plain, Qt::ToolTipRole).isNull());
    EXPECT_TRUE(note(plain, Qt::DecorationRole).isNull());
    EXPECT_EQ(note(3, Qt::ToolTipRole).toString(), "1 folder could not be read.");  // total
    summary.ClickHeading(1);
    EXPECT_EQ(summary.Progress(), done);
}

TEST(TallmereWindow, HeadingClicksSortAndReverseKeepingTiesInOrder) {
    TempTree tree;
    MakeSizedTree(tree);
    SummaryWindow summary(StartOn(tree.Path(), {"-d3"}));
    summary.Load();
    summary.ClickHeading(1);  // Total Files, ascending
    EXPECT_EQ(summary.Column(1).mid(0, 4), (QStringList{"1", "1", "2", "3"}));
    EXPECT_EQ(summary.Column(2).mid(0, 2), (QStringList{"1,000", "1"}));  // tie kept
    summary.ClickHeading(1);                                              // again: descending
    EXPECT_EQ(summary.Column(1).mid(0, 4), (QStringList{"3", "2", "1", "1"}));
    EXPECT_EQ(summary.Column(2).mid(2, 2), (QStringList{"1,000", "1"}));
    summary.ClickHeading(0);  // by name, ascending
    EXPECT_EQ(summary.Column(0).at(0), QString::fromUtf8(tree.Path()));
    EXPECT_FALSE(summary.window->State().SortAscending == false);
}

TEST(TallmereWindow, ClicksOnRowsDoNotSort) {
    TempTree tree;
    MakeSizedTree(tree);
    SummaryWindow summary(StartOn(tree.Path(), {"-d3"}));
    summary.Load();
    FlexGrid& grid = summary.window->Grid();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, QPoint(5, grid.rowHeight(0) / 2));
    EXPECT_EQ(summary.Column(2).first(), "1,000");
    EXPECT_EQ(summary.window->State().SortColumn, 3);
}

TEST(TallmereWindow, SaveAsWritesTheTableItShows) {
    TempTree tree;
    MakeSizedTree(tree);
    QTemporaryDir folder;
    SummaryWindow summary(StartOn(tree.Path(), {"-a1"}));
    summary.Load();
    summary.saveDialog.answer = folder.path() + "/report.CSV";
    summary.window->findChild<QAction*>("mnuSaveAs")->trigger();
    QFile csv(folder.path() + "/report.CSV");
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll(), ReportBytes(CsvLines(summary.Grid()), ReportKind::Csv));
    summary.saveDialog.answer = folder.path() + "/report.txt";
    summary.window->findChild<QAction*>("mnuSaveAs")->trigger();
    EXPECT_EQ(summary.saveDialog.lastInitialName, folder.path() + '/' + SuggestedName(tree, "csv"));
    QFile text(folder.path() + "/report.txt");
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_TRUE(text.readAll().contains("Grand Total"));
    EXPECT_TRUE(summary.messages.shown.empty());
}

// "report1" typed with a filter chosen is saved as that filter's kind; the dialog first offers
// the summary's folder name and the day.
TEST(TallmereWindow, SaveAsAddsTheChosenFiltersExtensionAndSuggestsAName) {
    TempTree tree;
    MakeSizedTree(tree);
    QTemporaryDir folder;
    SummaryWindow summary(StartOn(tree.Path()));
    summary.Load();
    summary.saveDialog.answer = folder.path() + "/report1";
    summary.window->findChild<QAction*>("mnuSaveAs")->trigger();
    EXPECT_EQ(summary.saveDialog.lastInitialName, SuggestedName(tree, "txt"));
    summary.saveDialog.answer = folder.path() + "/report2";
    summary.saveDialog.pattern = "*.csv";
    summary.window->findChild<QAction*>("mnuSaveAs")->trigger();
    EXPECT_TRUE(summary.messages.shown.empty());
    QFile text(folder.path() + "/report1.txt");
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_TRUE(text.readAll().contains("Grand Total"));
    QFile csv(folder.path() + "/report2.csv");
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll(), ReportBytes(CsvLines(summary.Grid()), ReportKind::Csv));
}

TEST(TallmereWindow, SaveAsRefusesOtherExtensionsAndReportsFailures) {
    TempTree tree;
    QTemporaryDir folder;
    SummaryWindow summary(StartOn(tree.Path()));
    summary.Load();
    summary.saveDialog.answer = folder.path() + "/report.pdf";
    summary.window->findChild<QAction*>("mnuSaveAs")->trigger();
    summary.saveDialog.answer = folder.path() + "/missing/report.txt";
    summary.window->findChild<QAction*>("mnuSaveAs")->trigger();
    summary.saveDialog.answer.reset();
    summary.window->findChild<QAction*>("mnuSaveAs")->trigger();
    ASSERT_EQ(summary.messages.shown.size(), 2u);
    EXPECT_TRUE(summary.messages.shown[0].second.contains(".txt"));
    EXPECT_TRUE(summary.messages.shown[1].second.contains("missing/report.txt"));
    EXPECT_EQ(summary.messages.shown[1].first, "Tallmere32");
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

TEST(TallmereWindow, PlacesItselfWhereTheCommandLineSays) {
    TempTree tree;
    SummaryWindow summary(StartOn(tree.Path(), {"-x1200,900"}));
    summary.store.exists = true;
    summary.store.values = {{"ShortDisplay", "True"}};  // four columns: no need to widen
    summary.window->resize(400, 300);  // so that it fits the test's screen where it is put
    summary.Load();
    EXPECT_EQ(summary.window->pos(), QPoint(80, 60));
}

// At first sight every column shows, as far as the screen allows; the window only grows.
TEST(TallmereWindow, AtFirstSightTheWindowWidensToShowEveryColumn) {
    TempTree tree;
    MakeSizedTree(tree);
    SummaryWindow summary(StartOn(tree.Path()));
    summary.store.exists = true;
    summary.store.values = {{"ShortDisplay", "True"}};
    summary.window->resize(150, 300);
    summary.Load();
    const QRect area = summary.window->screen()->availableGeometry();
    FlexGrid& grid = summary.window->Grid();
    EXPECT_EQ(grid.horizontalScrollBar()->maximum(), 0) << summary.window->width();
    EXPECT_LT(summary.window->frameGeometry().width(), area.width());

    SummaryWindow full(StartOn(tree.Path()));  // eleven columns: more than the screen holds
    full.window->resize(150, 300);
    full.Load();
    EXPECT_EQ(full.window->frameGeometry().width(), area.width());
    EXPECT_TRUE(area.contains(full.window->frameGeometry()));
    full.window->resize(500, 300);  // the user's width stands from now on
    full.DoubleClickRow(full.RowOf(tree.Path("large")));
    full.WaitForSummary();
    EXPECT_EQ(full.window->width(), 500);
}

// Where the scroll bar's thumb is drawn, in the bar's own pixels.
QRect ThumbOf(QScrollBar& bar) {
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar.orientation();
    option.state |=
        bar.orientation() == Qt::Horizontal ? QStyle::State_Horizontal : QStyle::State_None;
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = bar.sliderPosition();
    option.sliderValue = bar.value();
    option.singleStep = bar.singleStep();
    option.pageStep = bar.pageStep();
    option.upsideDown = bar.invertedAppearance();
    return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider,
                                       &bar);
}

// Scrolled fully left the first column shows and the thumb is at the left; dragging the thumb
// to the right shows the columns on the right.
TEST(TallmereWindow, TheHorizontalScrollBarRunsTheWayTheColumnsDo) {
    TempTree tree;
    tree.File(QByteArray(60, 'n') + "/f");
    SummaryWindow summary(StartOn(tree.Path()));
    summary.Load();
    summary.window->resize(500, 300);
    QCoreApplication::processEvents();
    FlexGrid& grid = summary.window->Grid();
    QScrollBar* bar = grid.horizontalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->minimum());
    EXPECT_EQ(grid.columnViewportPosition(0), 0);
    const QRect leftmost = ThumbOf(*bar);
    EXPECT_LT(leftmost.center().x(), bar->width() / 2);
    // Dragging the thumb moves the columns in step: by the thumb's way times the columns'
    // width over the track's.
    const QPoint grip = leftmost.center();
    const QPoint moved = grip + QPoint(60, 0);
    QTest::mousePress(bar, Qt::LeftButton, {}, grip);
    QMouseEvent drag(QEvent::MouseMove, QPointF(moved), bar->mapToGlobal(QPointF(moved)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &drag);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, moved);
    const int track = bar->width() - 2 * leftmost.x();  // less the arrow buttons
    const double expected = 60.0 * grid.horizontalHeader()->length() / track;
    EXPECT_NEAR(-grid.columnViewportPosition(0), expected, expected / 4);
    bar->setValue(bar->maximum());
    const int last = summary.Grid().Cols() - 1;
    EXPECT_LE(grid.columnViewportPosition(last) + grid.columnWidth(last), grid.viewport()->width());
    EXPECT_GT(ThumbOf(*bar).center().x(), bar->width() / 2);
}

// A drag that starts on the separator after a heading widens that column and sorts nothing;
// a click inside the heading still sorts.
TEST(TallmereWindow, ADragFromAHeadingSeparatorResizesInsteadOfSorting) {
    TempTree tree;
    MakeSizedTree(tree);
    SummaryWindow summary(StartOn(tree.Path(), {"-a1"}));
    summary.Load();
    FlexGrid& grid = summary.window->Grid();
    QHeaderView* header = grid.horizontalHeader();
    const QStringList before = summary.Column(0);
    const int width = header->sectionSize(1);
    const int edge = header->sectionViewportPosition(1) + width - 1;
    const int middle = header->height() / 2;
    QTest::mouseMove(header->viewport(), QPoint(edge, middle));
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(edge, middle));
    QMouseEvent drag(QEvent::MouseMove, QPointF(edge + 40, middle),
                     header->viewport()->mapToGlobal(QPointF(edge + 40, middle)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(header->viewport(), &drag);
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(edge + 40, middle));
    EXPECT_GT(header->sectionSize(1), width);
    EXPECT_EQ(summary.window->State().SortColumn, 1);
    EXPECT_EQ(summary.Column(0), before);
    summary.ClickHeading(1);
    EXPECT_EQ(summary.window->State().SortColumn, 2);
}

TEST(TallmereWindow, ExitOptionsEndTheSessionWithoutAWindow) {
    SummaryWindow summary(Words{"/tmp", "-S", "-r"});
    EXPECT_EQ(summary.window->Form_Load(), Tallmere::Started::SessionEnding);
    EXPECT_EQ(summary.session.performed, (std::vector<SessionAction>{SessionAction::Restart}));
    EXPECT_FALSE(summary.window->isVisible());
}

TEST(TallmereWindow, NoSettingsStoreMeansAMessageAndNoWindow) {
    SummaryWindow summary(Words{"/tmp"});
    summary.store.available = false;
    EXPECT_EQ(summary.window->Form_Load(), Tallmere::Started::NoSettings);
    ASSERT_EQ(summary.messages.shown.size(), 1u);
    EXPECT_EQ(summary.messages.shown[0].second, "Unable to Create Registry Key");
    EXPECT_TRUE(summary.session.performed.empty());
}

// Volumes whose survey waits until the test lets it go, so a walk is still running.
class HeldVolumes final : public VolumeSource {
  public:
    explicit HeldVolumes(QByteArray root) : root_(std::move(root)) {}
    std::vector<Volume> ListVolumes() override { return {MakeVolume(root_, DriveKind::Fixed)}; }
    std::optional<VolumeReport> Survey(const Volume&) override {
        entered.set_value();
        release_.get_future().wait();
        return VolumeReport{};
    }
    void Release() { release_.set_value(); }
    std::promise<void> entered;

  private:
    QByteArray root_;
    std::promise<void> release_;
};

TEST(TallmereWindow, ClosingDuringAWalkEndsAtOnceAndDropsItsResult) {
    TempTree tree;
    MakeSizedTree(tree);
    auto held = std::make_shared<HeldVolumes>(tree.Path());
    std::future<void> entered = held->entered.get_future();
    {
        SummaryWindow summary(Words{});
        summary.context.services.volumes = held.get();
        QSignalSpy finished(summary.window.get(), &Tallmere::SummaryFinished);
        QSignalSpy closing(summary.window.get(), &Tallmere::Closing);
        ASSERT_EQ(summary.window->Form_Load(), Tallmere::Started::Shown);
        entered.wait();
        EXPECT_EQ(summary.window->windowTitle(), "Tallmere - My Computer");
        EXPECT_FALSE(summary.window->State().SummaryReady);
        summary.window->findChild<QPushButton*>("Command2")->click();
        EXPECT_EQ(closing.count(), 1);
        EXPECT_FALSE(summary.window->isVisible());
        held->Release();
        QTest::qWait(200);
        EXPECT_EQ(finished.count(), 0);
    }
    QTest::qWait(100);  // the abandoned walk ends without a window to report to
}

// The grid's model answers as views expect through a summary, a sort, a drill-down and Back:
// the tester ends the test at the first broken rule.
TEST(TallmereWindow, TheGridsModelKeepsTheItemModelRules) {
    TempTree tree;
    MakeSizedTree(tree);
    SummaryWindow summary(StartOn(tree.Path()));
    QAbstractItemModelTester tester(summary.window->Grid().model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    summary.Load();
    summary.ClickHeading(2);
    summary.DoubleClickRow(summary.RowOf(tree.Path("medium")));
    summary.WaitForSummary();
    summary.window->findChild<QPushButton*>("cmdBack")->click();
    summary.WaitForSummary();
    EXPECT_EQ(summary.Column(0).last(), "Grand Total");
}
