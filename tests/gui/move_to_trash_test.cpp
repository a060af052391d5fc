// Move to Trash from the summary window's popup.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>

#include "summary/trash_action.h"
#include "tests/support/summary_window.h"
#include "tests/support/temp_tree.h"
#include "tests/support/tmpfs_volume.h"

namespace {

constexpr const char* kTrashItem = "Move to Tr&ash";

bool Exists(const QByteArray& path) {
    struct stat info {};
    return lstat(path.constData(), &info) == 0;
}

QByteArray Contents(const QByteArray& path) {
    QFile file(QFile::decodeName(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A summary of Start whose confirmation answers Answer and records what it asked, with the
// home trash in a temporary XDG_DATA_HOME.
class MoveToTrashTest : public ::testing::Test {
  protected:
    MoveToTrashTest() {
        tree.File("keep/a", 10);
        tree.File("waste/b", 3000);
        tree.File("waste/c/d", 5);
        previousDataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", home.Path());
    }
    ~MoveToTrashTest() override { qputenv("XDG_DATA_HOME", previousDataHome); }

    void Open(const QByteArray& start) {
        summary = std::make_unique<SummaryWindow>(StartOn(start, {"-a1"}));
        summary->window->Hooks().ConfirmTrash = [this](QWidget*, const QString& question) {
            questions << question;
            return answer;
        };
        summary->Load();
    }
    // The popup's entries on the row of Path, choosing Choice.
    QStringList PopupOn(const QByteArray& path, const QString& choice = {}) {
        summary->RightClick(summary->RowPoint(summary->RowOf(path)), choice);
        return summary->popupEntries.back();
    }

    TempTree tree;
    TempTree home;
    QByteArray previousDataHome;
    std::unique_ptr<SummaryWindow> summary;
    bool answer = true;
    QStringList questions;
};

}  // namespace

TEST_F(MoveToTrashTest, OfferedOnFolderRowsOnlyAndOnlyWhileTheOptionsSaySo) {
    Open(tree.Path());
    EXPECT_TRUE(PopupOn(tree.Path("waste")).contains(kTrashItem));
    EXPECT_FALSE(PopupOn(tree.Path()).contains(kTrashItem));  // the start's own row
    const int total = summary->Grid().Rows() - 1;
    summary->RightClick(summary->RowPoint(total), {});
    EXPECT_FALSE(summary->popupEntries.back().contains(kTrashItem));
    summary->context.settings.OfferTrash = false;
    EXPECT_FALSE(PopupOn(tree.Path("waste")).contains(kTrashItem));
    EXPECT_TRUE(questions.isEmpty());
}

TEST_F(MoveToTrashTest, AConfirmedFolderGoesToTheHomeTrashAndTheFiguresAreWalkedAgain) {
    Open(tree.Path());
    const QByteArray waste = tree.Path("waste");
    PopupOn(waste, kTrashItem);
    summary->WaitForSummary();
    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(questions[0], "Move the folder " + QString::fromUtf8(waste) +
                                " to the trash?\n\nIt holds 2 files (3,005 bytes) and 1 folder.");
    EXPECT_FALSE(Exists(waste));
    const QByteArray trash = home.Path("Trash");
    EXPECT_TRUE(Exists(trash + "/files/waste/c/d"));
    EXPECT_TRUE(Contents(trash + "/info/waste.trashinfo")
                    .startsWith("[Trash Info]\nPath=" + waste.toPercentEncoding("/") + '\n'));
    ASSERT_FALSE(summary->messages.shown.empty());
    EXPECT_EQ(summary->messages.shown.back().second, TrashedText(waste));
    EXPECT_TRUE(summary->messages.shown.back().second.contains("when the trash is emptied"));
    EXPECT_EQ(summary->RowOf(waste), 0);
    EXPECT_EQ(summary->Grid().TextMatrix(summary->Grid().Rows() - 1, 2), "10");
}

TEST_F(MoveToTrashTest, ADeclinedOrSwappedFolderStaysAndNothingChanges) {
    Open(tree.Path());
    const QByteArray waste = tree.Path("waste");
    answer = false;
    PopupOn(waste, kTrashItem);
    EXPECT_EQ(questions.size(), 1);
    EXPECT_TRUE(Exists(waste + "/b"));
    EXPECT_TRUE(summary->messages.shown.empty());

    // Since the walk another folder took the name: the one the row named is no longer there.
    ASSERT_EQ(rename(waste.constData(), tree.Path("waste.old").constData()), 0);
    tree.File("waste/other", 1);
    answer = true;
    const QString before = summary->Progress();
    PopupOn(waste, kTrashItem);
    EXPECT_TRUE(Exists(waste + "/other"));
    EXPECT_TRUE(Exists(tree.Path("waste.old/b")));
    EXPECT_FALSE(Exists(home.Path("Trash/files/waste")));
    ASSERT_EQ(summary->messages.shown.size(), 1u);
    EXPECT_TRUE(summary->messages.shown[0].second.startsWith(QString::fromUtf8(waste) +
                                                             " could not be moved to the trash: "));
    EXPECT_EQ(summary->Progress(), before);  // no walk
    EXPECT_TRUE(summary->window->State().SummaryReady);
}

TEST_F(MoveToTrashTest, AFolderOfAnotherVolumeGoesToThatVolumesTrash) {
    if (geteuid() != 0) GTEST_SKIP() << "mounting a tmpfs needs root";
    tree.Dir("vol");
    TmpfsVolume volume(tree.Path("vol"));
    ASSERT_TRUE(volume.Mounted());
    tree.File("vol/waste/f", 7);
    Open(tree.Path("vol"));
    PopupOn(tree.Path("vol/waste"), kTrashItem);
    summary->WaitForSummary();
    const QByteArray trash = tree.Path("vol/.Trash-" + QByteArray::number(geteuid()));
    EXPECT_TRUE(Exists(trash + "/files/waste/f"));
    EXPECT_TRUE(Contents(trash + "/info/waste.trashinfo").startsWith("[Trash Info]\nPath=waste\n"));
    EXPECT_FALSE(Exists(home.Path("Trash")));
    EXPECT_EQ(summary->RowOf(tree.Path("vol/waste")), 0);
}
