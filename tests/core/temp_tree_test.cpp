#include "tests/support/temp_tree.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

bool Exists(const QByteArray& path) {
    struct stat status;
    return lstat(path.constData(), &status) == 0;
}

}  // namespace

TEST(TempTree, BuildsWhatItIsAskedForAndRemovesAllOfIt) {
    QByteArray root;
    {
        TempTree tree;
        root = tree.Path();
        const QByteArray odd("sub dir/a,b \"c\"\n\xff\xfe");
        tree.File(odd, 5LL << 30);
        tree.File("locked/inner/f");
        tree.Unreadable("locked/inner");
        tree.Unreadable("locked");
        tree.Symlink("link", "..");

        struct stat status;
        ASSERT_EQ(lstat(tree.Path(odd).constData(), &status), 0);
        EXPECT_EQ(status.st_size, 5LL << 30);
        EXPECT_LT(status.st_blocks * 512, 1 << 20);
        ASSERT_EQ(lstat(tree.Path("locked").constData(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0u);
        ASSERT_EQ(lstat(tree.Path("link").constData(), &status), 0);
        EXPECT_TRUE(S_ISLNK(status.st_mode));
    }
    EXPECT_FALSE(Exists(root));
    EXPECT_TRUE(Exists(root.left(root.lastIndexOf('/'))));
}
