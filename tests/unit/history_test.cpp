#include "summary/history.h"

#include <gtest/gtest.h>

TEST(History, HoldsTheStartAndAHundredDrillDownsAndNoMore) {
    History history("/start/");
    for (int level = 1; level <= 100; ++level)
        ASSERT_TRUE(history.Push("/d" + QByteArray::number(level)));
    EXPECT_FALSE(history.Push("/too-deep"));
    EXPECT_EQ(history.Index(), 100);
    EXPECT_EQ(history.Current(), "/d100");
    EXPECT_TRUE(history.Back());
    EXPECT_TRUE(history.Push("/again"));
    EXPECT_EQ(history.Current(), "/again");
}

TEST(History, BackStopsAtTheStartAndResetBeginsAFreshChain) {
    History history("My Computer/");
    history.Push("/home");
    EXPECT_TRUE(history.Back());
    EXPECT_TRUE(history.AtStart());
    EXPECT_FALSE(history.Back());
    EXPECT_EQ(history.Current(), "My Computer/");
    history.Push("/a");
    history.Reset("/b/");
    EXPECT_TRUE(history.AtStart());
    EXPECT_EQ(history.Current(), "/b/");
}
