#include "summary/grid_actions.h"

#include <gtest/gtest.h>

namespace {

using Arguments = std::vector<QByteArray>;

}  // namespace

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
