#include "platform/trash.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QRegularExpression>
#include <fstream>

#include "tests/support/temp_tree.h"
#include "tests/support/tmpfs_volume.h"

namespace {

FolderIdentity IdentityOf(const QByteArray& path) {
    struct stat info {};
    EXPECT_EQ(lstat(path.constData(), &info), 0) << path.constData();
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

bool Exists(const QByteArray& path) {
    struct stat info {};
    return lstat(path.constData(), &info) == 0;
}

// Read by its bytes: a name that is not UTF-8 may not survive the locale's decoding.
QByteArray Contents(const QByteArray& path) {
    std::ifstream file(path.toStdString(), std::ios::binary);
    return QByteArray::fromStdString(std::string(std::istreambuf_iterator<char>(file), {}));
}

}  // namespace

TEST(MoveToTrash, MovesAFolderOfTheHomeVolumeToTheHomeTrashWithItsInfo) {
    TempTree tree;
    tree.File("data/odd name %\xff/f", 10);
    const QByteArray folder = tree.Path("data/odd name %\xff");
    const QByteArray home = tree.Path("home/.local/share/Trash");
    const TrashOutcome outcome = MoveToTrash(folder, IdentityOf(folder), home);
    ASSERT_TRUE(outcome.moved) << outcome.reason.toStdString();
    EXPECT_FALSE(Exists(folder));
    EXPECT_EQ(outcome.trashedAs, home + "/files/odd name %\xff");
    EXPECT_TRUE(Exists(outcome.trashedAs + "/f"));
    const QByteArray info = Contents(outcome.infoFile);
    EXPECT_TRUE(
        info.startsWith("[Trash Info]\nPath=" + folder.toPercentEncoding("/") + "\nDeletionDate="))
        << info.constData();
    EXPECT_TRUE(info.contains("%20%25%FF\n"));
    const QRegularExpression date(
        QStringLiteral("\\nDeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\n$"));
    EXPECT_TRUE(date.match(QString::fromLatin1(info)).hasMatch());

    tree.Dir("data/odd name %\xff");  // a second folder of the same name takes another name
    const TrashOutcome second = MoveToTrash(folder, IdentityOf(folder), home);
    ASSERT_TRUE(second.moved);
    EXPECT_EQ(second.trashedAs, home + "/files/odd name %\xff.2");
    EXPECT_EQ(second.infoFile, home + "/info/odd name %\xff.2.trashinfo");
}

TEST(MoveToTrash, RefusesAFolderThatChangedSinceItWasSummarised) {
    TempTree tree;
    tree.Dir("data/victim");
    tree.Dir("data/elsewhere");
    const QByteArray folder = tree.Path("data/victim");
    const QByteArray home = tree.Path("trash");
    const FolderIdentity summarised = IdentityOf(folder);

    ASSERT_EQ(rename(folder.constData(), tree.Path("data/moved").constData()), 0);
    tree.Dir("data/victim");  // another folder under the same name
    TrashOutcome outcome = MoveToTrash(folder, summarised, home);
    EXPECT_FALSE(outcome.moved);
    EXPECT_EQ(outcome.reason, "it is no longer the folder that was summarised");
    EXPECT_TRUE(Exists(folder));

    ASSERT_EQ(rmdir(folder.constData()), 0);
    tree.Symlink("data/victim", "moved");  // a link to the very folder summarised
    outcome = MoveToTrash(folder, summarised, home);
    EXPECT_FALSE(outcome.moved);
    EXPECT_TRUE(Exists(tree.Path("data/moved")));
    EXPECT_FALSE(Exists(home + "/info/victim.trashinfo"));
}

TEST(MoveToTrash, FolderOfAnotherVolumeGoesToThatVolumesOwnTrash) {
    if (geteuid() != 0) GTEST_SKIP() << "mounting a tmpfs needs root";
    TempTree tree;
    tree.Dir("vol");
    TmpfsVolume volume(tree.Path("vol"));
    ASSERT_TRUE(volume.Mounted());
    tree.File("vol/sub/victim/f", 5);
    const QByteArray folder = tree.Path("vol/sub/victim");
    const QByteArray uid = QByteArray::number(geteuid());

    TrashOutcome outcome = MoveToTrash(folder, IdentityOf(folder), tree.Path("home/Trash"));
    ASSERT_TRUE(outcome.moved) << outcome.reason.toStdString();
    EXPECT_EQ(outcome.trashedAs, tree.Path("vol/.Trash-" + uid + "/files/victim"));
    EXPECT_TRUE(Contents(outcome.infoFile).startsWith("[Trash Info]\nPath=sub/victim\n"));
    EXPECT_FALSE(Exists(tree.Path("home/Trash")));  // never copied to the home trash

    // A sticky .Trash that the administrator made takes a folder per user.
    tree.Dir("vol/.Trash");
    ASSERT_EQ(chmod(tree.Path("vol/.Trash").constData(), 01777), 0);
    tree.Dir("vol/sub/victim");
    outcome = MoveToTrash(folder, IdentityOf(folder), tree.Path("home/Trash"));
    ASSERT_TRUE(outcome.moved) << outcome.reason.toStdString();
    EXPECT_EQ(outcome.trashedAs, tree.Path("vol/.Trash/" + uid + "/files/victim"));
}
