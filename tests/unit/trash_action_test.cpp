#include "summary/trash_action.h"

#include <gtest/gtest.h>

#include "tests/support/qt_print.h"

TEST(TrashAction, OnlyFoldersBelowAStartMayGo) {
    DirectoryRecord start{"/srv/", {}, {}, false, "/srv/", {}};
    DirectoryRecord below{"/srv/www/", {}, {}, false, "/srv/", {}};
    DirectoryRecord imported{"/srv/www/", {}, {}, false, {}, {}};  // counted under no start
    EXPECT_TRUE(MayTrashRow(&below));
    EXPECT_FALSE(MayTrashRow(&start));
    EXPECT_FALSE(MayTrashRow(&imported));
    EXPECT_FALSE(MayTrashRow(nullptr));  // the heading or "Grand Total"
    EXPECT_EQ(TrashedFolder(below, "/home/ann"), "/srv/www");
    DirectoryRecord relative{"src/build/", {}, {}, false, "src/", {}};
    EXPECT_EQ(TrashedFolder(relative, "/home/ann"), "/home/ann/src/build");
}

TEST(TrashAction, TheQuestionNamesTheFolderItsFilesAndItsSize) {
    Counts counts;
    counts.Files = 1;
    counts.Bytes = 1234567;
    counts.Dirs = 0;
    EXPECT_EQ(TrashQuestion("/srv/www", counts),
              "Move the folder /srv/www to the trash?\n\nIt holds 1 file (1,234,567 bytes) and no "
              "folders.");
    EXPECT_EQ(TrashedText("/srv/www"),
              "/srv/www was moved to the trash. Its space comes back "
              "when the trash is emptied.");
    EXPECT_EQ(NotTrashedText("/srv/www", "Device or resource busy"),
              "/srv/www could not be moved to the trash: Device or resource busy");
}
