// The summary grid's popup: which row a right click hits, and each of its commands.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <QAction>
#include <QSignalSpy>

#include "platform/dos_attributes.h"
#include "tests/support/summary_window.h"
#include "tests/support/temp_tree.h"
#include "ui/flex_grid.h"

namespace {

const QString kExplore = "&Explore";
const QString kNewWindow = "&Tallmere32 (New Window)";
const QString kImmediate = "Clear Archive &Immediate";
const QString kRecursive = "Clear Archive &Recursive";

// A name no shell, list or text conversion may touch.
const QByteArray kOddName("$(rm -rf ~);a\"b'c\nd\xff", 20);

// A point of the viewport below the last row.
QPoint BelowTheRows(SummaryWindow& summary) {
    return summary.RowPoint(summary.Grid().Rows()) + QPoint(0, 40);
}

QByteArray StoredValue(const QByteArray& path) {
    char value[256];
    const ssize_t length = lgetxattr(path.constData(), "user.DOSATTRIB", value, sizeof value);
    return length < 0 ? QByteArray() : QByteArray(value, length);
}

}  // namespace

TEST(GridPopup, AddsItsFourCommandsToTheEditMenuOnlyWhileItShows) {
    TempTree tree;
    tree.Dir("sub");
    SummaryWindow summary(StartOn(tree.Path()));
    summary.Load();
    EXPECT_EQ(summary.EditMenuEntries(), QStringList{"&Copy Grid"});
    summary.RightClick(summary.RowPoint(1), "");
    ASSERT_EQ(summary.popupEntries.size(), 1u);
    EXPECT_EQ(summary.popupEntries[0],
              (QStringList{"&Copy Grid", kExplore, kNewWindow, kImmediate, kRecursive}));
    EXPECT_EQ(summary.EditMenuEntries(), QStringList{"&Copy Grid"});
}

TEST(GridPopup, ExploreOpensTheDirectoryOfTheRowUnderThePointer) {
    TempTree tree;
    tree.Dir("one");
    tree.Dir("two");
    SummaryWindow summary(StartOn(tree.Path()));
    summary.Load();
    const int row = summary.RowOf(tree.Path("two"));
    summary.RightClick(summary.RowPoint(row), kExplore);
    EXPECT_EQ(summary.launcher.opened, std::vector<QByteArray>{tree.Path("two")});
    EXPECT_EQ(summary.Grid().Row(), row);
    EXPECT_EQ(summary.Grid().Col(), 0);
}

TEST(GridPopup, ShowsOffTheDirectoryRowsButItsCommandsDoNothingThere) {
    TempTree tree;
    tree.File("sub/f");
    tree.DosAttributes("sub/f", dos::kArchive);
    const QByteArray stored = StoredValue(tree.Path("sub/f"));
    SummaryWindow summary(StartOn(tree.Path()));
    summary.Load();
    summary.RightClickHeading(kExplore);
    summary.RightClick(summary.RowPoint(summary.Grid().Rows() - 1), kNewWindow);  // Grand Total
    summary.RightClick(BelowTheRows(summary), kRecursive);
    EXPECT_EQ(summary.popupEntries.size(), 3u);
    EXPECT_TRUE(summary.launcher.opened.empty());
    EXPECT_TRUE(summary.launcher.started.empty());
    EXPECT_EQ(summary.Progress(), "Done!");
    EXPECT_EQ(StoredValue(tree.Path("sub/f")), stored);
}

TEST(GridPopup, RowsScrolledOutOfViewNeverMatch) {
    TempTree tree;
    for (int i = 10; i < 70; ++i)
        tree.Dir("d" + QByteArray::number(i));
    SummaryWindow summary(StartOn(tree.Path()));
    summary.Load();
    FlexGrid& grid = summary.window->Grid();
    QCoreApplication::processEvents();  // lets the view lay out its rows before scrolling
    grid.scrollTo(grid.model()->index(20, 0), QAbstractItemView::PositionAtTop);
    const int top = grid.TopRow();
    ASSERT_GT(top, 2);
    summary.RightClickHeading(kExplore);  // just above the first row shown: a hidden row's band
    EXPECT_TRUE(summary.launcher.opened.empty());
    summary.RightClick(summary.RowPoint(top), kExplore);
    EXPECT_EQ(summary.launcher.opened, std::vector<QByteArray>{summary.Grid().RowData(top)});
}

TEST(GridPopup, NewWindowStartsTheSummaryProgramWithTheExactArguments) {
    TempTree tree;
    tree.Dir(kOddName);
    tree.Dir("-d3");
    SummaryWindow summary(StartOn(tree.Path(), {"-d3"}));
    summary.Load();
    summary.window->move(100, 80);
    summary.RightClick(summary.RowPoint(summary.RowOf(tree.Path(kOddName))), kNewWindow);
    summary.RightClick(summary.RowPoint(summary.RowOf(tree.Path("-d3"))), kNewWindow);
    using Start = std::pair<QByteArray, std::vector<QByteArray>>;
    const QByteArray program = summary.summaryProgram;
    EXPECT_EQ(summary.launcher.started,
              (std::vector<Start>{{program, {"-d3", "-x1800,1500", "--", tree.Path(kOddName)}},
                                  {program, {tree.Path("-d3"), "-d3", "-x1800,1500"}}}));
    EXPECT_TRUE(summary.messages.shown.empty());
}

TEST(GridPopup, AProgramThatCannotStartIsReportedAndNothingElseChanges) {
    TempTree tree;
    tree.Dir("sub");
    SummaryWindow summary(StartOn(tree.Path()));
    summary.Load();
    const QPoint row = summary.RowPoint(summary.RowOf(tree.Path("sub")));
    summary.launcher.fail = true;
    summary.RightClick(row, kExplore);
    summary.RightClick(row, kNewWindow);
    summary.launcher.fail = false;
    summary.summaryProgram.clear();
    summary.RightClick(row, kNewWindow);
    ASSERT_EQ(summary.messages.shown.size(), 3u);
    EXPECT_TRUE(summary.messages.shown[0].second.contains(ShownText(tree.Path("sub"))));
    EXPECT_TRUE(summary.messages.shown[1].second.contains("the fake start failed"));
    EXPECT_EQ(summary.messages.shown[2].second, "Unable to find tallmere32.");
    EXPECT_EQ(summary.messages.shown[2].first, "Tallmere32");
    EXPECT_TRUE(summary.launcher.started.empty());
    EXPECT_EQ(summary.Progress(), "Done!");
}

namespace {

using dos::kArchive;
using dos::kDirectory;
using dos::kHidden;
using dos::kReadOnly;
using Form = TempTree::DosForm;

constexpr int kArchiveFilesCol = 9;

// Makes a file immutable while it lives, where the file system allows it.
class ScopedImmutable {
  public:
    explicit ScopedImmutable(const QByteArray& path) : path_(path) {}
    ~ScopedImmutable() {
        if (set_) Flags(false);
    }
    bool Set() { return set_ = Flags(true); }

  private:
    bool Flags(bool immutable) {
        const int fd = open(path_.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return false;
        int flags = 0;
        bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = immutable ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        close(fd);
        return done;
    }

    QByteArray path_;
    bool set_ = false;
};

// A start folder with an archived file "h" and a subdirectory "sub" holding an archived
// read-only file and a subdirectory "deep" with an archived hidden file.
class PopupClearArchive : public testing::Test {
  protected:
    void SetUp() override {
        tree_.Dir("sub/deep");
        if (!tree_.DosAttributes("sub", kDirectory | kArchive, Form::Text)) {
            GTEST_SKIP() << "no user xattrs here";
        }
        tree_.DosAttributes("sub/deep", kDirectory | kArchive);
        Mark("h", kArchive);
        Mark("sub/f", kReadOnly | kArchive);
        Mark("sub/deep/g", kHidden | kArchive);
        summary_.Load();
    }

    void Mark(const QByteArray& relative, std::uint32_t attributes) {
        tree_.File(relative);
        tree_.DosAttributes(relative, attributes);
    }

    QByteArray Value(const QByteArray& relative) { return StoredValue(tree_.Path(relative)); }

    void Clear(const QByteArray& row, const QString& command) {
        summary_.RightClick(summary_.RowPoint(summary_.RowOf(row)), command);
    }

    void WaitUntilCleared() {
        QSignalSpy cleared(summary_.window.get(), &Tallmere::ArchiveCleared);
        ASSERT_TRUE(cleared.wait(10000));
        EXPECT_EQ(summary_.Progress(), "Done!");
    }

    TempTree tree_;
    SummaryWindow summary_{StartOn(tree_.Path())};
};

}  // namespace

// The row is walked again, so the table (and what Save As writes from it) shows the archive
// figures as they now are, with the row cleared still the current one.
TEST_F(PopupClearArchive, ImmediateClearsOneLevelAndTheTableShowsTheNewFigures) {
    const int sub = summary_.RowOf(tree_.Path("sub"));
    const int total = summary_.Grid().Rows() - 1;
    EXPECT_EQ(summary_.Grid().TextMatrix(sub, kArchiveFilesCol), "2");
    EXPECT_EQ(summary_.Grid().TextMatrix(total, kArchiveFilesCol), "3");
    Clear(tree_.Path("sub"), kImmediate);
    WaitUntilCleared();
    EXPECT_EQ(Value("sub/f"), SambaDosValue(kReadOnly, Form::Record));
    EXPECT_EQ(Value("sub/deep"), SambaDosValue(kDirectory, Form::Record));
    EXPECT_EQ(Value("sub/deep/g"), SambaDosValue(kHidden | kArchive, Form::Record));
    EXPECT_EQ(Value("sub"), SambaDosValue(kDirectory | kArchive, Form::Text));
    EXPECT_EQ(Value("h"), SambaDosValue(kArchive, Form::Record));
    EXPECT_EQ(summary_.Grid().TextMatrix(sub, kArchiveFilesCol), "1");
    EXPECT_EQ(summary_.Grid().TextMatrix(total, kArchiveFilesCol), "2");
    EXPECT_EQ(summary_.window->Grid().currentIndex().row() + 1, sub);
    EXPECT_TRUE(summary_.Grid().RowNote(sub).isEmpty());
}

// As root too, an immutable file's attributes cannot be changed.
TEST_F(PopupClearArchive, WhatCouldNotBeChangedIsNamedWithItsReason) {
    ScopedImmutable immutable(tree_.Path("sub/f"));
    if (!immutable.Set()) GTEST_SKIP() << "no immutable files here";
    Clear(tree_.Path("sub"), kRecursive);
    QSignalSpy cleared(summary_.window.get(), &Tallmere::ArchiveCleared);
    ASSERT_TRUE(cleared.wait(10000));
    const QString entry = ShownText(tree_.Path("sub/f"));
    EXPECT_EQ(summary_.Progress(),
              "Done! " + entry + " could not be changed: Operation not permitted.");
    const int sub = summary_.RowOf(tree_.Path("sub"));
    EXPECT_EQ(summary_.Grid().RowNote(sub),
              "Could not be changed:\n" + entry + ": Operation not permitted");
    EXPECT_EQ(summary_.Grid().TextMatrix(sub, kArchiveFilesCol), "1") << "f keeps its bit";
    EXPECT_EQ(Value("sub/deep/g"), SambaDosValue(kHidden, Form::Record));
}

TEST_F(PopupClearArchive, HoldsBackNewSummariesAndASecondWalkWhileItRuns) {
    const QString title = summary_.window->windowTitle();
    Clear(tree_.Path("sub"), kRecursive);  // its end waits in the event queue
    summary_.window->findChild<QAction*>("NewSum")->trigger();
    summary_.DoubleClickRow(summary_.RowOf(tree_.Path("sub")));
    Clear(tree_.Path(), kImmediate);
    EXPECT_EQ(summary_.startAsked, 0);
    EXPECT_EQ(summary_.window->windowTitle(), title);
    EXPECT_EQ(summary_.Progress(), ShownText(tree_.Path("sub")));
    WaitUntilCleared();
    EXPECT_EQ(Value("h"), SambaDosValue(kArchive, Form::Record));
    EXPECT_EQ(Value("sub/deep/g"), SambaDosValue(kHidden, Form::Record));
}

TEST_F(PopupClearArchive, ClosingDuringAWalkEndsAtOnce) {
    QSignalSpy cleared(summary_.window.get(), &Tallmere::ArchiveCleared);
    QSignalSpy closing(summary_.window.get(), &Tallmere::Closing);
    Clear(tree_.Path(), kRecursive);
    summary_.window->close();
    EXPECT_EQ(closing.count(), 1);
    EXPECT_FALSE(summary_.window->isVisible());
    QCoreApplication::processEvents();
    EXPECT_EQ(cleared.count(), 0);
}
