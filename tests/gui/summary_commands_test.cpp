// The summary window's menu commands: Print, Copy Grid, Free Space, About, Help and Exit.
#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "drives/frm_quorvane.h"
#include "help/help_viewer.h"
#include "summary/summary_print.h"
#include "tests/support/modal.h"
#include "tests/support/pdf_tool.h"
#include "tests/support/summary_window.h"
#include "tests/support/temp_tree.h"
#include "ui/frm_options.h"
#include "ui/my_info.h"

TEST(SummaryCommands, PrintsNothingWhenCancelledElseEveryPageInTheReportFontFromPageOne) {
    TempTree tree;
    for (int i = 0; i < 40; ++i)
        tree.File(QByteArray("d") + QByteArray::number(i) + "/f", 5);
    QTemporaryDir folder;
    SummaryWindow summary(StartOn(tree.Path(), {"-a1"}));
    summary.Load();
    // Each sheet holds exactly one page of the layout: none runs over onto a sheet of its own.
    const std::size_t pages = SummaryPrintedPages(summary.Grid(), summary.window->State().ShownRows,
                                                  summary.context.settings, "title")
                                  .size();
    ASSERT_GE(pages, 2u);
    summary.printDialog.accept = false;
    summary.printDialog.pdfPath = folder.filePath("cancelled.pdf");
    summary.Trigger("mnuPrint");
    EXPECT_EQ(summary.printDialog.asked, 1);
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
    summary.printDialog.accept = true;
    for (const char* name : {"first.pdf", "second.pdf"}) {
        summary.printDialog.pdfPath = folder.filePath(name);
        summary.Trigger("mnuPrint");
        const QString pdf = summary.printDialog.pdfPath;
        const QRegularExpression pageCount(QString("Pages: +%1\n").arg(pages));
        EXPECT_TRUE(PdfTool("pdfinfo", pdf).contains(pageCount)) << name;
        const QString fonts = PdfTool("pdffonts", pdf);
        EXPECT_TRUE(fonts.contains("LiberationMono-Bold") || fonts.contains("CourierNew-Bold"))
            << fonts.toStdString();
        const QString text = PdfTool("pdftotext", pdf);
        EXPECT_EQ(static_cast<std::size_t>(text.count(" Directory Utilization as of ")), pages);
        EXPECT_TRUE(text.contains("Grand Total"));
    }
    EXPECT_TRUE(summary.messages.shown.empty());
}

TEST(SummaryCommands, CopyGridPutsEveryCellOnTheClipboardWithTabsAndCarriageReturns) {
    TempTree tree;
    MakeSizedTree(tree);
    for (const bool shortDisplay : {false, true}) {
        SummaryWindow summary(StartOn(tree.Path(), {"-d3"}));
        summary.store.exists = true;
        summary.store.values = {{"Display", "KB"}, {"ShortDisplay", shortDisplay ? "True" : ""}};
        summary.Load();
        QAction* copy = summary.window->findChild<QAction*>("Copy");
        copy->setVisible(false);
        emit summary.window->findChild<QMenu*>("Edit")->aboutToShow();
        EXPECT_TRUE(copy->isVisible());
        copy->trigger();
        const QStringList lines = summary.clipboard.text.split('\n');
        ASSERT_EQ(lines.size(), summary.Grid().Rows() + 1);
        EXPECT_EQ(lines.last(), "");
        const int cells = shortDisplay ? 4 : 11;
        EXPECT_EQ(lines[0].count('\t'), cells);
        EXPECT_TRUE(lines[0].startsWith("Directory Name\tTotal Files\tTotal KB\t"));
        EXPECT_EQ(lines[5], RowTexts(summary.Grid(), 5).join('\t') + '\t');
        EXPECT_TRUE(lines[5].startsWith("Grand Total\t"));
        EXPECT_FALSE(summary.clipboard.text.contains('\r'));
    }
}

TEST(SummaryCommands, FreeSpaceOpensOneDiskWindowThatClosesWithoutEndingTheProgram) {
    TempTree tree;
    SummaryWindow summary(StartOn(tree.Path()));
    summary.volumes.Add(MakeVolume("/"), SpaceReport(100 * kMB, 40 * kMB));
    summary.Load();
    QSignalSpy closing(summary.window.get(), &Tallmere::Closing);
    summary.Trigger("FreeSpace");
    summary.Trigger("FreeSpace");
    const QList<frmQuorvane*> disks = summary.window->findChildren<frmQuorvane*>();
    ASSERT_EQ(disks.size(), 1);
    EXPECT_TRUE(disks[0]->isVisible());
    EXPECT_TRUE(disks[0]->isWindow());
    EXPECT_EQ(disks[0]->Grid().Rows(), 3);
    EXPECT_EQ(summary.volumes.surveyed, 1);  // the second click only brought it forward
    disks[0]->close();
    EXPECT_TRUE(summary.window->isVisible());
    EXPECT_EQ(closing.count(), 0);
    summary.Trigger("FreeSpace");
    EXPECT_TRUE(disks[0]->isVisible());
    EXPECT_EQ(summary.volumes.surveyed, 2);
}

TEST(SummaryCommands, AboutAndThePictureShowOneModelessAboutBoxWhosePictureFlipsDebugMode) {
    TempTree tree;
    SummaryWindow summary(StartOn(tree.Path()));
    summary.Load();
    summary.Trigger("About");
    QToolButton* picture = summary.window->centralWidget()->findChild<QToolButton*>("Image1");
    ASSERT_NE(picture, nullptr);
    picture->click();
    const QList<MyInfo*> boxes = summary.window->findChildren<MyInfo*>();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0]->isVisible());
    EXPECT_FALSE(boxes[0]->isModal());
    QToolButton* boxPicture = boxes[0]->findChild<QToolButton*>("Image1");
    boxPicture->click();
    EXPECT_TRUE(summary.context.DebugMode);
    boxPicture->click();
    EXPECT_FALSE(summary.context.DebugMode);
    boxes[0]->findChild<QPushButton*>("Command1")->click();
    QTest::qWait(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(summary.window->findChildren<MyInfo*>().isEmpty());
}

namespace {

HelpViewer* OpenHelpViewer() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* viewer = qobject_cast<HelpViewer*>(widget); viewer && viewer->isVisible())
            return viewer;
    }
    return nullptr;
}

}  // namespace

TEST(SummaryCommands, ExitClosesTheDiskWindowTheAboutBoxAndTheHelp) {
    TempTree tree;
    for (const char* command : {"Exit", "Command2"}) {
        SummaryWindow summary(StartOn(tree.Path()));
        summary.Load();
        QSignalSpy closing(summary.window.get(), &Tallmere::Closing);
        summary.Trigger("FreeSpace");
        summary.Trigger("About");
        summary.Trigger("mnuContents");
        ASSERT_NE(OpenHelpViewer(), nullptr);
        if (QString(command) == "Exit") {
            summary.Trigger("Exit");
        } else {
            summary.window->findChild<QPushButton*>("Command2")->click();
        }
        EXPECT_EQ(closing.count(), 1);
        EXPECT_FALSE(summary.window->isVisible());
        EXPECT_FALSE(summary.window->findChild<frmQuorvane*>()->isVisible()) << command;
        const QList<MyInfo*> boxes = summary.window->findChildren<MyInfo*>();
        EXPECT_TRUE(boxes.isEmpty() || !boxes[0]->isVisible()) << command;
        EXPECT_EQ(OpenHelpViewer(), nullptr) << command;
    }
}

TEST(SummaryCommands, OptionsConfirmedInTheDiskWindowRedrawTheSummaryInTheNewUnit) {
    TempTree tree;
    MakeSizedTree(tree);
    SummaryWindow summary(StartOn(tree.Path(), {"-d3"}));
    summary.Load();
    summary.Trigger("FreeSpace");
    frmQuorvane* disks = summary.window->findChild<frmQuorvane*>();
    ASSERT_NE(disks, nullptr);
    OnModal<frmOptions>([](frmOptions& dialog) {
        dialog.findChild<QRadioButton*>("optKB")->click();
        dialog.findChild<QCheckBox*>("chkShort")->click();
        dialog.findChild<QPushButton*>("btnOptApply")->click();
    });
    disks->findChild<QAction*>("mnuOptions")->trigger();
    EXPECT_EQ(summary.Grid().Cols(), 4);
    EXPECT_EQ(summary.Grid().TextMatrix(0, 2), "Total KB");
    EXPECT_EQ(summary.Grid().TextMatrix(1, 2), "1.0");  // large/: 1000 bytes
}

TEST(SummaryCommands, OptionsConfirmedInTheSummaryShowOrHideFullInInTheDiskWindow) {
    TempTree tree;
    SummaryWindow summary(StartOn(tree.Path(), {}));
    summary.Load();
    summary.Trigger("FreeSpace");
    const frmQuorvane* disks = summary.window->findChild<frmQuorvane*>();
    ASSERT_NE(disks, nullptr);
    const int columns = disks->Grid().Cols();
    OnModal<frmOptions>([](frmOptions& dialog) {
        dialog.findChild<QCheckBox*>("chkShowFullIn")->click();
        dialog.findChild<QPushButton*>("btnOptApply")->click();
    });
    summary.Trigger("mnuOptions");
    EXPECT_EQ(disks->Grid().Cols(), columns - 1);
}
