#include "summary/history.h"

#include <gtest/gtest.h>

namespace {

Visit At(const QByteArray& directory) {
    return Visit{directory, PlacesOfDirectory(directory)};
}

}  // namespace

TEST(History, HoldsTheStartAndAHundredDrillDownsAndNoMore) {
    History history(At("/start/"));
    for (int level = 1; level <= 100; ++level)
        ASSERT_TRUE(history.Push(At("/d" + QByteArray::number(level))));
    EXPECT_FALSE(history.Push(At("/too-deep")));
    EXPECT_EQ(history.Index(), 100);
    EXPECT_EQ(history.Current().root, "/d100");
    EXPECT_TRUE(history.Back());
    EXPECT_TRUE(history.Push(At("/again")));
    EXPECT_EQ(history.Current().root, "/again");
}

TEST(History, BackStopsAtTheStartAndResetBeginsAFreshChain) {
    History history(Visit{"My Computer/", PlacesOfSpec("My Computer/")});
    history.Push(At("/home"));
    EXPECT_TRUE(history.Back());
    EXPECT_TRUE(history.AtStart());
    EXPECT_FALSE(history.Back());
    EXPECT_EQ(history.Current().root, "My Computer/");
    EXPECT_TRUE(history.Current().places.myComputer);
    history.Push(At("/a"));
    history.Reset(At("/b/"));
    EXPECT_TRUE(history.AtStart());
    EXPECT_EQ(history.Current().root, "/b/");
}
