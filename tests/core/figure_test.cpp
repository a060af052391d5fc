#include "table/figure.h"

#include <gtest/gtest.h>

TEST(FigureDigits, WritesEveryDigitOfWideFigures) {
    EXPECT_EQ(FigureDigits(0), "0");
    EXPECT_EQ(FigureDigits(9007199254740993ULL), "9007199254740993");  // 2^53 + 1
    EXPECT_EQ(FigureDigits(kMost64), "18446744073709551615");
    EXPECT_EQ(FigureDigits(kMost64 + 1), "18446744073709551616");
    EXPECT_EQ(FigureDigits(~Figure{0}), "340282366920938463463374607431768211455");
}
