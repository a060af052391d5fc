#include <gtest/gtest.h>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <future>

#include "common/flex_grid.h"
#include "common/my_info.h"
#include "common/report_text.h"
#include "drives/frm_quorvane.h"
#include "help/help_viewer.h"
#include "settings/app_context.h"
#include "summary/summary_print.h"
#include "summary/tallmere.h"
#include "tests/support/fakes.h"
#include "tests/support/pdf_tool.h"
#include "tests/support/temp_tree.h"

namespace {

// A summary window over fake services, with the settings of a first run.
struct SummaryWindow {
    FakeSettingsStore store;
    FakeMessages messages;
    FakeSaveDialog saveDialog;
    FakePrintDialog printDialog;
    FakeClipboard clipboard;
    FakeSessionControl session;
    FakeVolumeSource volumes;
    AppContext context;
    std::unique_ptr<Tallmere> window;

    explicit SummaryWindow(Words words) {
        store.exists = false;
        context.ProgramTitle = "Tallmere32";
        context.services.store = &store;
        context.services.messages = &messages;
        context.services.saveDialog = &saveDialog;
        context.services.printDialog = &printDialog;
        context.services.clipboard = &clipboard;
        context.services.session = &session;
        context.services.volumes = &volumes;
        window = std::make_unique<Tallmere>(context, std::move(words));
    }

    // Starts the window and waits for its first summary.
    void Load() {
        QSignalSpy finished(window.get(), &Tallmere::SummaryFinished);
        ASSERT_TRUE(window->Form_Load());
        ASSERT_TRUE(finished.wait(10000));
    }

    const CellGrid& Grid() { return window->Grid().Grid(); }
    QString Progress() { return window->findChild<QLineEdit*>("Text1")->text(); }
    void Trigger(const char* item) { window->findChild<QAction*>(item)->trigger(); }

    QStringList Column(int col) {
        QStringList texts;
        for (int row = 1; row < Grid().Rows(); ++row)
            texts << Grid().TextMatrix(row, col);
        return texts;
    }

    // A left click on the heading of column Col.
    void ClickHeading(int col) {
        FlexGrid& grid = window->Grid();
        QHeaderView* header = grid.horizontalHeader();
        const QPoint at(header->sectionViewportPosition(col) + 3, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
};

Words StartOn(const QByteArray& path, std::initializer_list<const char*> switches = {}) {
    Words words{path};
    for (const char* word : switches)
        words.emplace_back(word);
    return words;
}

void MakeSizedTree(TempTree& tree) {
    tree.File("own", 1);
    tree.File("small/a", 10);
    tree.File("small/b", 10);
    tree.File("large/a", 1000);
    tree.File("medium/a", 100);
    tree.File("medium/b", 100);
    tree.File("medium/c", 100);
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
    EXPECT_EQ(csv.readAll(), ReportBytes(CsvLines(summary.Grid())));
    summary.saveDialog.answer = folder.path() + "/report.txt";
    summary.window->findChild<QAction*>("mnuSaveAs")->trigger();
    EXPECT_EQ(summary.saveDialog.lastInitialName, folder.path() + "/report.CSV");
    QFile text(folder.path() + "/report.txt");
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_TRUE(text.readAll().contains("Grand Total"));
    EXPECT_TRUE(summary.messages.shown.empty());
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
    summary.Load();
    EXPECT_EQ(summary.window->pos(), QPoint(80, 60));
}

TEST(TallmereWindow, ExitOptionsEndTheSessionWithoutAWindow) {
    SummaryWindow summary(Words{"/tmp", "-S", "-r"});
    EXPECT_FALSE(summary.window->Form_Load());
    EXPECT_EQ(summary.session.performed, (std::vector<SessionAction>{SessionAction::Restart}));
    EXPECT_FALSE(summary.window->isVisible());
}

TEST(TallmereWindow, NoSettingsStoreMeansAMessageAndNoWindow) {
    SummaryWindow summary(Words{"/tmp"});
    summary.store.available = false;
    EXPECT_FALSE(summary.window->Form_Load());
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
        ASSERT_TRUE(summary.window->Form_Load());
        entered.wait();
        EXPECT_EQ(summary.window->windowTitle(), "Tallmere - My Computer");
        EXPECT_FALSE(summary.window->State().SummaryReady);
        summary.Trigger("Copy");  // no table to copy or print yet
        summary.Trigger("mnuPrint");
        EXPECT_EQ(summary.clipboard.sets, 0);
        EXPECT_EQ(summary.printDialog.asked, 0);
        summary.window->findChild<QPushButton*>("Command2")->click();
        EXPECT_EQ(closing.count(), 1);
        EXPECT_FALSE(summary.window->isVisible());
        held->Release();
        QTest::qWait(200);
        EXPECT_EQ(finished.count(), 0);
    }
    QTest::qWait(100);  // the abandoned walk ends without a window to report to
}

TEST(TallmereWindow, PrintsNothingWhenCancelledElseEveryPageInTheReportFontFromPageOne) {
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

TEST(TallmereWindow, CopyGridPutsEveryCellOnTheClipboardWithTabsAndCarriageReturns) {
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
        const QStringList lines = summary.clipboard.text.split('\r');
        ASSERT_EQ(lines.size(), summary.Grid().Rows() + 1);
        EXPECT_EQ(lines.last(), "");
        const int cells = shortDisplay ? 4 : 11;
        EXPECT_EQ(lines[0].count('\t'), cells);
        EXPECT_TRUE(lines[0].startsWith("Directory Name\tTotal Files\tTotal KB\t"));
        EXPECT_EQ(lines[5], RowTexts(summary.Grid(), 5).join('\t') + '\t');
        EXPECT_TRUE(lines[5].startsWith("Grand Total\t"));
        EXPECT_FALSE(summary.clipboard.text.contains('\n'));
    }
}

TEST(TallmereWindow, FreeSpaceOpensOneDiskWindowThatClosesWithoutEndingTheProgram) {
    TempTree tree;
    SummaryWindow summary(StartOn(tree.Path()));
    summary.volumes.Add(MakeVolume("/"), SpaceReport(100 * 1048576.0, 40 * 1048576.0));
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

TEST(TallmereWindow, AboutAndThePictureShowOneModelessAboutBoxWhosePictureFlipsDebugMode) {
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

HelpViewer* OpenHelpViewer() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* viewer = qobject_cast<HelpViewer*>(widget); viewer && viewer->isVisible())
            return viewer;
    }
    return nullptr;
}

TEST(TallmereWindow, ExitClosesTheDiskWindowTheAboutBoxAndTheHelp) {
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
