#include "drives/frm_quorvane.h"
#include "table/report_text.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QChartView>
#include <QCheckBox>
#include <QDateTime>
#include <QFile>
#include <QLineSeries>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "chart/frm_trend.h"
#include "drives/disk_columns.h"
#include "drives/disk_reports.h"
#include "help/help_viewer.h"
#include "history/history_store.h"
#include "table/version.h"
#include "tests/support/data_home.h"
#include "tests/support/disk_window.h"
#include "tests/support/fakes.h"
#include "tests/support/modal.h"
#include "tests/support/qt_print.h"
#include "ui/app_context.h"
#include "ui/frm_options.h"
#include "ui/my_info.h"

namespace {

TEST(DiskWindow, OpensCentredWithTheFirstSurveyAndItsMenus) {
    DiskWindow disk;
    disk.window.Open();
    ASSERT_TRUE(disk.window.isVisible());
    EXPECT_EQ(disk.window.windowTitle(), "Available Disk Space");
    EXPECT_NE(disk.window.findChild<FlexGrid*>("flxDisks"), nullptr);
    EXPECT_NE(disk.window.findChild<QFrame*>("Line1"), nullptr);
    EXPECT_EQ(disk.window.findChild<QPushButton*>("cmdClose")->text(), "&Refresh");
    EXPECT_EQ(disk.window.Grid().Rows(), 4);
    EXPECT_EQ(disk.Cell(3, 1), kTotalsLabel);
    EXPECT_EQ(disk.window.Geometry().windowWidth, 9260 + 10 * charsize);  // Full In shown
    const QRect area = disk.window.screen()->availableGeometry();
    // Centred on the size known before showing; the frame it gets when shown may shift it.
    EXPECT_LE((disk.window.frameGeometry().center() - area.center()).manhattanLength(), 8);

    QStringList menus;
    for (const QAction* action : disk.window.menuBar()->actions())
        menus << action->text();
    EXPECT_EQ(menus, QStringList({"&File", "&Edit", "&Chart", "&Options", "&Help", "&About"}));
    for (const char* item : {"mnuSaveAs", "mnuPrint", "mnuExit", "Copy", "mnuOptions", "mnuAbout"})
        EXPECT_NE(disk.window.findChild<QAction*>(item), nullptr) << item;
    const std::pair<const char*, QString> chartItems[] = {{"mnuSelection", "&Selection"},
                                                          {"mnuChartAvailable", "&Available Space"},
                                                          {"mnuChartUsed", "&Used Space"},
                                                          {"mnuChartTotal", "&Total Space"},
                                                          {"mnuTrend", "T&rend"}};
    const QList<QAction*> inChart = disk.window.findChild<QMenu*>("mnuChart")->actions();
    ASSERT_EQ(inChart.size(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(inChart[i]->objectName(), chartItems[i].first);
        EXPECT_EQ(inChart[i]->text(), chartItems[i].second);
    }
    EXPECT_EQ(inChart[0]->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(inChart[1]->shortcut(), QKeySequence("Ctrl+A"));
    EXPECT_EQ(inChart[2]->shortcut(), QKeySequence("Ctrl+U"));
    EXPECT_EQ(inChart[3]->shortcut(), QKeySequence("Ctrl+T"));
}

TEST(DiskWindow, RefreshShowsChangesWhereTheUserLeftTheWindow) {
    DiskWindow disk;
    disk.window.Open();
    disk.window.move(20, 30);
    const QPoint place = disk.window.pos();
    const int height = disk.window.height();
    disk.volumes.ReportOf("/")->availBytes -= 12.3 * kMB;
    disk.volumes.Add(MakeVolume("/srv", DriveKind::Fixed), SpaceReport(10 * kMB, 5 * kMB));

    QTest::mouseClick(disk.window.findChild<QPushButton*>("cmdClose"), Qt::LeftButton);
    EXPECT_EQ(disk.Cell(1, 8), "12.3");
    EXPECT_EQ(disk.Cell(3, 8), "5.0");
    EXPECT_EQ(disk.Cell(4, 8), "17.3");
    EXPECT_EQ(disk.window.pos(), place);
    EXPECT_GT(disk.window.height(), height);
}

TEST(DiskWindow, CtrlCCopiesTheWholeTable) {
    DiskWindow disk;
    disk.window.Open();
    disk.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&disk.window));
    QTest::keyClick(disk.window.findChild<FlexGrid*>("flxDisks"), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(disk.clipboard.sets, 1);
    EXPECT_EQ(disk.clipboard.text, ClipboardText(disk.window.Grid()));
    EXPECT_EQ(disk.clipboard.text.count(u'\t'), 4 * 10);
}

TEST(DiskWindow, DebugModeShowsRawFiguresAndAMissingStoreClosesTheWindow) {
    DiskWindow disk;
    disk.context.DebugMode = true;
    disk.window.Open();
    ASSERT_EQ(disk.messages.shown.size(), 2u);
    EXPECT_EQ(disk.messages.shown[1],
              std::make_pair(QString("Quorvane32"), QString("Drive : /home, Type : 3")));
    disk.store.available = false;
    QTest::mouseClick(disk.window.findChild<QPushButton*>("cmdClose"), Qt::LeftButton);
    EXPECT_FALSE(disk.window.isVisible());
    EXPECT_EQ(disk.messages.shown.back().second, "Unable to Create Registry Key");
}

TEST(DiskWindow, SaveAsWritesTheReportTheNameChooses) {
    DiskWindow disk;
    QTemporaryDir folder;
    disk.window.Open();
    disk.saveDialog.answer = folder.filePath("disks.txt");
    disk.Trigger("mnuSaveAs");
    QFile text(*disk.saveDialog.answer);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = text.readAll().split('\n');
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0].size(), 100);      // lines end in LF
    EXPECT_EQ(lines[2].size(), 93 + 11);  // with Full In

    disk.saveDialog.answer = folder.filePath("no such folder/disks.csv");
    disk.Trigger("mnuSaveAs");
    EXPECT_EQ(disk.saveDialog.lastInitialName, folder.filePath("disks.txt"));
    ASSERT_EQ(disk.messages.shown.size(), 1u);
    EXPECT_TRUE(disk.messages.shown[0].second.contains(*disk.saveDialog.answer));
}

TEST(DiskWindow, PrintGoesToThePrinterTheDialogChose) {
    DiskWindow disk;
    QTemporaryDir folder;
    disk.window.Open();
    disk.printDialog.accept = false;
    disk.printDialog.pdfPath = folder.filePath("disks.pdf");
    disk.Trigger("mnuPrint");
    EXPECT_FALSE(QFile::exists(disk.printDialog.pdfPath));
    disk.printDialog.accept = true;
    disk.Trigger("mnuPrint");
    EXPECT_TRUE(QFile::exists(disk.printDialog.pdfPath));
    EXPECT_TRUE(disk.messages.shown.empty());
}

TEST(DiskWindow, AboutIsModalAndItsPictureFlipsDebugMode) {
    DiskWindow disk;
    disk.window.Open();
    QString shown;
    OnModal<MyInfo>([&](MyInfo& about) {
        shown = about.windowTitle();
        about.findChild<QToolButton*>("Image1")->click();
        about.findChild<QPushButton*>("Command1")->click();
    });
    disk.Trigger("mnuAbout");
    EXPECT_EQ(shown, "About");
    EXPECT_TRUE(disk.context.DebugMode);
}

TEST(DiskWindow, F1OpensTheManual) {
    DiskWindow disk;
    disk.window.Open();
    auto* contents = disk.window.findChild<QAction*>("mnuContents");
    ASSERT_NE(contents, nullptr);
    EXPECT_EQ(contents->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(disk.window.Help().Viewer(), nullptr);
    contents->trigger();
    ASSERT_NE(disk.window.Help().Viewer(), nullptr);
    EXPECT_TRUE(disk.window.Help().Viewer()->isVisible());
    disk.window.close();
    EXPECT_FALSE(disk.window.Help().Viewer()->isVisible());
}

// Many volumes: the window stays within its screen and the table scrolls instead.
TEST(DiskWindow, ManyVolumesFitTheScreenAndTheTableScrolls) {
    DiskWindow disk;
    for (int i = 0; i < 150; ++i)
        disk.volumes.Add(MakeVolume("/media/disk" + QByteArray::number(i)), SpaceReport(kMB, 0));
    disk.window.Open();
    const QRect area = disk.window.screen()->availableGeometry();
    EXPECT_TRUE(area.contains(disk.window.frameGeometry()));
    auto* grid = disk.window.findChild<FlexGrid*>("flxDisks");
    auto* refresh = disk.window.findChild<QPushButton*>("cmdClose");
    EXPECT_LE(grid->geometry().bottom(), refresh->y());
    EXPECT_LE(refresh->geometry().bottom(), disk.window.centralWidget()->height());
    EXPECT_GT(grid->verticalScrollBar()->maximum(), 0);
}

TEST(DiskWindow, ExitClosesAndOpenStartsAFirstSurveyAgain) {
    DiskWindow disk;
    disk.window.Open();
    disk.Trigger("mnuExit");
    EXPECT_FALSE(disk.window.isVisible());
    EXPECT_TRUE(disk.window.testAttribute(Qt::WA_QuitOnClose));

    disk.volumes.ReportOf("/home")->availBytes -= 20 * kMB;
    disk.window.Open();
    EXPECT_TRUE(disk.window.isVisible());
    EXPECT_EQ(disk.Cell(2, 8), ".0");
    EXPECT_DOUBLE_EQ(disk.window.Memory().LastUsedMB.at("/home"), 70.0);
}

TEST(DiskWindowBesideAnother, ClosingItLeavesTheProgramRunning) {
    QWidget summary;
    AppContext context;
    frmQuorvane window(context, &summary);
    EXPECT_FALSE(window.testAttribute(Qt::WA_QuitOnClose));
    EXPECT_TRUE(window.isWindow());
}

TEST(MyInfoBox, EachClickOnThePictureFlipsTheFlag) {
    bool debugMode = false;
    MyInfo about(debugMode);
    EXPECT_TRUE(about.findChild<QPlainTextEdit*>("Text1")->toPlainText().contains(
        QString("Version ") + kProgramVersion));
    auto* picture = about.findChild<QToolButton*>("Image1");
    picture->click();
    EXPECT_TRUE(debugMode);
    picture->click();
    EXPECT_FALSE(debugMode);
}

}  // namespace

// Each survey of the window is kept; Trend draws the selected volume's, and the totals row's
// trend is the sum of the volumes.
TEST(DiskWindow, TrendDrawsTheSurveysKeptOfTheSelectedVolume) {
    const TemporaryDataHome dataHome;
    DiskWindow disk;
    disk.window.Open();
    disk.window.findChild<QPushButton*>("cmdClose")->click();  // Refresh
    for (const int row : {1, 3}) {
        disk.window.findChild<FlexGrid*>()->Grid().SetRowSel(row);
        QString caption;
        int surveys = -1;
        OnModal<frmTrend>([&](frmTrend& trend) {
            caption = trend.windowTitle();
            const auto* view = trend.findChild<QChartView*>("chtTrend");
            surveys =
                static_cast<int>(qobject_cast<QLineSeries*>(view->chart()->series()[0])->count());
            trend.close();
        });
        disk.Trigger("mnuTrend");
        EXPECT_EQ(caption, row == 1 ? "Trend of /" : "Trend of ---- Total ----");
        // The opening survey and the refresh; for the totals the two may fall in one second.
        EXPECT_GE(surveys, row == 1 ? 2 : 1) << row;
    }
}

// "/" has grown by 1.5 MB a day for ten days and has 40 MB left: full in 26.7 days. The home
// volume has no history to tell. Switching the option off gives the table without the column.
TEST(DiskWindow, FullInTellsWhenEachVolumeFillsWhileTheOptionIsOn) {
    const TemporaryDataHome dataHome;
    {
        HistoryStore history({HistoryStore::DefaultPath()});
        const qint64 now = QDateTime::currentSecsSinceEpoch();
        std::vector<SurveyRow> surveys;
        for (const qint64 days : {10, 5, 1}) {
            const auto avail = static_cast<qint64>((40 + 1.5 * days) * kMB);
            surveys.push_back({now - days * 86400,
                               "/",
                               static_cast<qint64>(100 * kMB),
                               avail,
                               avail,
                               static_cast<qint64>(100 * kMB) - avail,
                               {},
                               {}});
        }
        ASSERT_TRUE(history.AddSurveys(surveys));
    }
    DiskWindow disk;
    disk.window.Open();
    EXPECT_EQ(disk.Cell(0, kChangedCol + 1), "Full In");
    EXPECT_EQ(disk.Cell(1, kChangedCol + 1), "26 days");
    EXPECT_EQ(disk.Cell(2, kChangedCol + 1), "");
    EXPECT_EQ(disk.Cell(3, kChangedCol + 1), "");

    OnModal<frmOptions>([](frmOptions& dialog) {
        dialog.findChild<QCheckBox*>("chkShowFullIn")->click();
        dialog.findChild<QPushButton*>("btnOptApply")->click();
    });
    disk.Trigger("mnuOptions");
    EXPECT_EQ(disk.store.values.at("ShowFullIn"), "False");
    EXPECT_EQ(disk.window.Grid().Cols(), kChangedCol + 1);
    EXPECT_EQ(disk.window.Geometry().windowWidth, 9260);
    EXPECT_EQ(disk.Cell(1, kChangedCol), ".0");
}
