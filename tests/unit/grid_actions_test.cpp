#include "summary/grid_actions.h"

#include <gtest/gtest.h>

namespace {

using Arguments = std::vector<QByteArray>;

// A heading 480 twips high over rows 240 twips high, scrolled so that row TopRow shows first.
std::function<double(int)> RowTops(int topRow) {
    return [topRow](int row) { return row == 0 ? 0.0 : 480.0 + 240.0 * (row - topRow); };
}

}  // namespace

TEST(PopupRow, FindsTheRowWhoseBandHoldsThePointer) {
    const auto tops = RowTops(1);
    EXPECT_EQ(PopupRow(3, 1, tops, 480), 1);  // a row's top edge belongs to it
    EXPECT_EQ(PopupRow(3, 1, tops, 719), 1);
    EXPECT_EQ(PopupRow(3, 1, tops, 720), 2);
    EXPECT_EQ(PopupRow(3, 1, tops, 1199), 3);
}

TEST(PopupRow, TheHeadingGrandTotalAndBelowMatchNoRow) {
    const auto tops = RowTops(1);
    EXPECT_EQ(PopupRow(3, 1, tops, 100), 0);
    EXPECT_EQ(PopupRow(3, 1, tops, 1200), 0);  // "Grand Total"
    EXPECT_EQ(PopupRow(3, 1, tops, 5000), 0);
    EXPECT_EQ(PopupRow(0, 1, tops, 480), 0);
}

TEST(PopupRow, RowsScrolledOutAboveNeverMatch) {
    const auto tops = RowTops(3);  // rows 1 and 2 lie behind the heading
    EXPECT_EQ(PopupRow(5, 3, tops, 10), 0);
    EXPECT_EQ(PopupRow(5, 3, tops, 300), 0);
    EXPECT_EQ(PopupRow(5, 3, tops, 500), 3);
}

TEST(NewWindowArguments, CarryTheDirectoryTheSortAndTheShiftedPosition) {
    EXPECT_EQ(NewWindowArguments("/srv/data", 1, true, 1500, 1200),
              (Arguments{"/srv/data", "-a1", "-x1800,1500"}));
    EXPECT_EQ(NewWindowArguments("/srv", 11, false, 0, -300),
              (Arguments{"/srv", "-d11", "-x300,0"}));
}

TEST(NewWindowArguments, KeepOddNamesWholeAndShieldNamesThatLookLikeSwitches) {
    const QByteArray odd("/t/$(rm -rf ~);a\"b'c\n\xff", 22);
    EXPECT_EQ(NewWindowArguments(odd, 3, true, 0, 0), (Arguments{"-a3", "-x300,300", "--", odd}));
    EXPECT_EQ(NewWindowArguments("/srv/a3", 1, true, 0, 0),
              (Arguments{"/srv/a3", "-a1", "-x300,300"}));
    EXPECT_EQ(NewWindowArguments("/a3", 1, true, 0, 0),
              (Arguments{"-a1", "-x300,300", "--", "/a3"}));
    EXPECT_EQ(NewWindowArguments("/srv/ padded ", 1, true, 0, 0),
              (Arguments{"-a1", "-x300,300", "--", "/srv/ padded "}));
    EXPECT_EQ(NewWindowArguments("-d3", 2, false, 10, 20),
              (Arguments{"-d2", "-x310,320", "--", "-d3"}));
}

TEST(AbsoluteDirectory, TakesRelativePathsFromTheCurrentDirectory) {
    EXPECT_EQ(AbsoluteDirectory("/abs/x", "/home/u"), "/abs/x");
    EXPECT_EQ(AbsoluteDirectory("rel/x", "/home/u"), "/home/u/rel/x");
    EXPECT_EQ(AbsoluteDirectory("rel", "/"), "/rel");
}
