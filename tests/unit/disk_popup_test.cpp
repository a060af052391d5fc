#include "drives/disk_popup.h"

#include <gtest/gtest.h>

namespace {

// A heading and rows 240 twips high; the first Scrolled rows are scrolled out of sight.
std::function<double(int)> Rows(int scrolled = 0) {
    return [scrolled](int row) {
        if (row == 0) return 0.0;
        return row <= scrolled ? -1.0 : 240.0 * (row - scrolled);
    };
}

TEST(PopupRow, FindsTheRowWhoseBandHoldsThePointer) {
    // Heading, three drive rows, totals: HaveCnt 5.
    EXPECT_EQ(PopupRow(5, 0, Rows()), 0);
    EXPECT_EQ(PopupRow(5, 239, Rows()), 0);
    EXPECT_EQ(PopupRow(5, 240, Rows()), 1);
    EXPECT_EQ(PopupRow(5, 500, Rows()), 2);
    EXPECT_EQ(PopupRow(5, 959, Rows()), 3);
}

TEST(PopupRow, TheTotalsRowAndBelowHitNothing) {
    EXPECT_EQ(PopupRow(5, 960, Rows()), -1);
    EXPECT_EQ(PopupRow(5, 1100, Rows()), -1);
    EXPECT_EQ(PopupRow(5, 5000, Rows()), -1);
    EXPECT_EQ(PopupRow(2, 300, Rows()), -1);  // no drive rows: only the totals below the heading
    EXPECT_EQ(PopupRow(0, 0, Rows()), -1);
}

TEST(PopupRow, RowsScrolledOutOfSightAreNeverHit) {
    // Rows 1 and 2 scrolled away: row 3 shows right below the heading.
    EXPECT_EQ(PopupRow(6, 100, Rows(2)), -1);
    EXPECT_EQ(PopupRow(6, 300, Rows(2)), 3);
    EXPECT_EQ(PopupRow(6, 500, Rows(2)), 4);
    EXPECT_EQ(PopupRow(6, -100, Rows(2)), -1);
}

TEST(SummaryArguments, MountPointAsItsBytesThenDescendingByName) {
    EXPECT_EQ(SummaryArguments("/media/usb stick \"1\""),
              (std::vector<QByteArray>{"/media/usb stick \"1\"", "-d1"}));
    EXPECT_EQ(SummaryArguments("/mnt/caf\xe9"), (std::vector<QByteArray>{"/mnt/caf\xe9", "-d1"}));
}

}  // namespace
