#include "drives/frm_quorvane.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "common/my_info.h"
#include "drives/disk_reports.h"
#include "settings/app_context.h"
#include "tests/support/fakes.h"
#include "tests/support/qt_print.h"
#include "version.h"

namespace {

constexpr double kMB = 1048576.0;

class DiskWindow : public ::testing::Test {
  protected:
    DiskWindow() {
        context.ProgramTitle = "Quorvane32";
        context.services = Services{&store,     &messages, &saveDialog, &printDialog,
                                    &clipboard, nullptr,   nullptr,     &volumes};
        volumes.Add(MakeVolume("/", DriveKind::Fixed), SpaceReport(100 * kMB, 40 * kMB, "system"));
        volumes.Add(MakeVolume("/home", DriveKind::Fixed), SpaceReport(200 * kMB, 150 * kMB));
    }
    void Trigger(const char* action) {
        QAction* item = window.findChild<QAction*>(action);
        ASSERT_NE(item, nullptr) << action;
        item->trigger();
    }
    QString Cell(int row, int col) const { return window.Grid().TextMatrix(row, col); }

    FakeSettingsStore store;
    FakeMessages messages;
    FakeSaveDialog saveDialog;
    FakePrintDialog printDialog;
    FakeClipboard clipboard;
    FakeVolumeSource volumes;
    AppContext context;
    frmQuorvane window{context};
};

TEST_F(DiskWindow, OpensCentredWithTheFirstSurveyAndItsMenus) {
    window.Open();
    ASSERT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "Available Disk Space");
    EXPECT_NE(window.findChild<FlexGrid*>("flxDisks"), nullptr);
    EXPECT_NE(window.findChild<QFrame*>("Line1"), nullptr);
    EXPECT_EQ(window.findChild<QPushButton*>("cmdClose")->text(), "&Refresh");
    EXPECT_EQ(window.Grid().Rows(), 4);
    EXPECT_EQ(Cell(3, 1), kTotalsLabel);
    EXPECT_EQ(window.Geometry().windowWidth, 9260);
    const QRect area = window.screen()->availableGeometry();
    // Centred on the size known before showing; the frame it gets when shown may shift it.
    EXPECT_LE((window.frameGeometry().center() - area.center()).manhattanLength(), 8);

    QStringList menus;
    for (const QAction* action : window.menuBar()->actions())
        menus << action->text();
    EXPECT_EQ(menus, QStringList({"&File", "&Edit", "&Chart", "&Options", "&About"}));
    for (const char* item : {"mnuSaveAs", "mnuPrint", "mnuExit", "Copy", "mnuOptions", "mnuAbout"})
        EXPECT_NE(window.findChild<QAction*>(item), nullptr) << item;
    const std::pair<const char*, QString> chartItems[] = {{"mnuSelection", "&Selection"},
                                                          {"mnuChartAvailable", "&Available Space"},
                                                          {"mnuChartUsed", "&Used Space"},
                                                          {"mnuChartTotal", "&Total Space"}};
    const QList<QAction*> inChart = window.findChild<QMenu*>("mnuChart")->actions();
    ASSERT_EQ(inChart.size(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(inChart[i]->objectName(), chartItems[i].first);
        EXPECT_EQ(inChart[i]->text(), chartItems[i].second);
    }
    EXPECT_EQ(inChart[0]->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(inChart[1]->shortcut(), QKeySequence("Ctrl+A"));
    EXPECT_EQ(inChart[2]->shortcut(), QKeySequence("Ctrl+U"));
    EXPECT_EQ(inChart[3]->shortcut(), QKeySequence("Ctrl+T"));
}

TEST_F(DiskWindow, RefreshShowsChangesWhereTheUserLeftTheWindow) {
    window.Open();
    window.move(20, 30);
    const QPoint place = window.pos();
    const int height = window.height();
    volumes.ReportOf("/")->freeBytes -= 12.3 * kMB;
    volumes.Add(MakeVolume("/srv", DriveKind::Fixed), SpaceReport(10 * kMB, 5 * kMB));

    QTest::mouseClick(window.findChild<QPushButton*>("cmdClose"), Qt::LeftButton);
    EXPECT_EQ(Cell(1, 8), "12.3");
    EXPECT_EQ(Cell(3, 8), "5.0");
    EXPECT_EQ(Cell(4, 8), "17.3");
    EXPECT_EQ(window.pos(), place);
    EXPECT_GT(window.height(), height);
}

TEST_F(DiskWindow, CtrlCCopiesTheWholeTable) {
    window.Open();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(window.findChild<FlexGrid*>("flxDisks"), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard.sets, 1);
    EXPECT_EQ(clipboard.text, DiskClipboardText(window.Grid()));
    EXPECT_EQ(clipboard.text.count(u'\t'), 4 * 9);
}

TEST_F(DiskWindow, DebugModeShowsRawFiguresAndAMissingStoreClosesTheWindow) {
    context.DebugMode = true;
    window.Open();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1],
              std::make_pair(QString("Quorvane32"), QString("Drive : /home, Type : 3")));
    store.available = false;
    QTest::mouseClick(window.findChild<QPushButton*>("cmdClose"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(messages.shown.back().second, "Unable to Create Registry Key");
}

TEST_F(DiskWindow, SaveAsWritesTheReportTheNameChooses) {
    QTemporaryDir folder;
    window.Open();
    saveDialog.answer = folder.filePath("disks.txt");
    Trigger("mnuSaveAs");
    QFile text(*saveDialog.answer);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = text.readAll().split('\n');
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0].size(), 101);
    EXPECT_EQ(lines[2].size(), 94);

    saveDialog.answer = folder.filePath("no such folder/disks.csv");
    Trigger("mnuSaveAs");
    EXPECT_EQ(saveDialog.lastInitialName, folder.filePath("disks.txt"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].second.contains(*saveDialog.answer));
}

TEST_F(DiskWindow, PrintGoesToThePrinterTheDialogChose) {
    QTemporaryDir folder;
    window.Open();
    printDialog.accept = false;
    printDialog.pdfPath = folder.filePath("disks.pdf");
    Trigger("mnuPrint");
    EXPECT_FALSE(QFile::exists(printDialog.pdfPath));
    printDialog.accept = true;
    Trigger("mnuPrint");
    EXPECT_TRUE(QFile::exists(printDialog.pdfPath));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DiskWindow, AboutIsModalAndItsPictureFlipsDebugMode) {
    window.Open();
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* about = qobject_cast<MyInfo*>(QApplication::activeModalWidget());
        if (!about) return;
        shown = about->windowTitle();
        about->findChild<QToolButton*>("Image1")->click();
        about->findChild<QPushButton*>("Command1")->click();
    });
    Trigger("mnuAbout");
    EXPECT_EQ(shown, "About");
    EXPECT_TRUE(context.DebugMode);
}

TEST_F(DiskWindow, ExitClosesAndOpenStartsAFirstSurveyAgain) {
    window.Open();
    Trigger("mnuExit");
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.testAttribute(Qt::WA_QuitOnClose));

    volumes.ReportOf("/home")->freeBytes -= 20 * kMB;
    window.Open();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(Cell(2, 8), ".0");
    EXPECT_DOUBLE_EQ(window.Memory().LastUsedMB.at("/home"), 70.0);
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
