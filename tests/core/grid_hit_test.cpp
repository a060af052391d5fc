#include "table/grid_hit.h"

#include <gtest/gtest.h>

namespace {

// A heading and rows 240 twips high; the first Scrolled rows are scrolled out of sight.
std::function<double(int)> Rows(int scrolled = 0) {
    return [scrolled](int row) {
        if (row == 0) return 0.0;
        return row <= scrolled ? -1.0 : 240.0 * (row - scrolled);
    };
}

// A heading 480 twips high over rows 240 twips high, scrolled so that row TopRow shows first.
std::function<double(int)> RowTops(int topRow) {
    return [topRow](int row) { return row == 0 ? 0.0 : 480.0 + 240.0 * (row - topRow); };
}

}  // namespace

// The disk table: from the heading to the last drive row, never the totals row.
TEST(DiskRowUnder, FindsTheRowWhoseBandHoldsThePointer) {
    // Heading, three drive rows, totals: HaveCnt 5.
    EXPECT_EQ(RowUnder(0, 3, 1, Rows(), 0), 0);
    EXPECT_EQ(RowUnder(0, 3, 1, Rows(), 239), 0);
    EXPECT_EQ(RowUnder(0, 3, 1, Rows(), 240), 1);
    EXPECT_EQ(RowUnder(0, 3, 1, Rows(), 500), 2);
    EXPECT_EQ(RowUnder(0, 3, 1, Rows(), 959), 3);
}

TEST(DiskRowUnder, TheTotalsRowAndBelowHitNothing) {
    EXPECT_EQ(RowUnder(0, 3, 1, Rows(), 960), -1);
    EXPECT_EQ(RowUnder(0, 3, 1, Rows(), 1100), -1);
    EXPECT_EQ(RowUnder(0, 3, 1, Rows(), 5000), -1);
    EXPECT_EQ(RowUnder(0, 0, 1, Rows(), 300),
              -1);  // no drive rows: only the totals below the heading
    EXPECT_EQ(RowUnder(0, -2, 1, Rows(), 0), -1);
}

TEST(DiskRowUnder, RowsScrolledOutOfSightAreNeverHit) {
    // Rows 1 and 2 scrolled away: row 3 shows right below the heading.
    EXPECT_EQ(RowUnder(0, 4, 3, Rows(2), 100), -1);
    EXPECT_EQ(RowUnder(0, 4, 3, Rows(2), 300), 3);
    EXPECT_EQ(RowUnder(0, 4, 3, Rows(2), 500), 4);
    EXPECT_EQ(RowUnder(0, 4, 3, Rows(2), -100), -1);
}

// The summary table: the directory rows, never the heading or "Grand Total".
TEST(SummaryRowUnder, FindsTheRowWhoseBandHoldsThePointer) {
    const auto tops = RowTops(1);
    EXPECT_EQ(RowUnder(1, 3, 1, tops, 480), 1);  // a row's top edge belongs to it
    EXPECT_EQ(RowUnder(1, 3, 1, tops, 719), 1);
    EXPECT_EQ(RowUnder(1, 3, 1, tops, 720), 2);
    EXPECT_EQ(RowUnder(1, 3, 1, tops, 1199), 3);
}

TEST(SummaryRowUnder, TheHeadingGrandTotalAndBelowMatchNoRow) {
    const auto tops = RowTops(1);
    EXPECT_EQ(RowUnder(1, 3, 1, tops, 100), -1);
    EXPECT_EQ(RowUnder(1, 3, 1, tops, 1200), -1);  // "Grand Total"
    EXPECT_EQ(RowUnder(1, 3, 1, tops, 5000), -1);
    EXPECT_EQ(RowUnder(1, 0, 1, tops, 480), -1);
}

TEST(SummaryRowUnder, RowsScrolledOutAboveNeverMatch) {
    const auto tops = RowTops(3);  // rows 1 and 2 lie behind the heading
    EXPECT_EQ(RowUnder(1, 5, 3, tops, 10), -1);
    EXPECT_EQ(RowUnder(1, 5, 3, tops, 300), -1);
    EXPECT_EQ(RowUnder(1, 5, 3, tops, 500), 3);
}
