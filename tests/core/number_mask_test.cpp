#include "table/number_mask.h"

#include <gtest/gtest.h>

TEST(FormatMask, WholeNumbersGroupAndShowZeroAsNothing) {
    EXPECT_EQ(FormatMask(1234567, kCountMask), "1,234,567");
    EXPECT_EQ(FormatMask(0, kCountMask), "");
    EXPECT_EQ(FormatMask(999, kCountMask), "999");
    EXPECT_EQ(FormatMask(1000, kCountMask), "1,000");
    EXPECT_EQ(FormatMask(1234567890123456.0, kCountMask), "1,234,567,890,123,456");
    EXPECT_EQ(FormatMask(4096, kCountMask), "4,096");
}

TEST(FormatMask, SizeMaskShowsOneDecimalAndZeroAsABlank) {
    EXPECT_EQ(FormatMask(1536 / 1024.0, kSizeDecimalMask), "1.5");
    EXPECT_EQ(FormatMask(307 / 1024.0, kSizeDecimalMask), ".3");
    EXPECT_EQ(FormatMask(1.0, kSizeDecimalMask), "1.0");
    EXPECT_EQ(FormatMask(2048000 / 1024.0, kSizeDecimalMask), "2,000.0");
    EXPECT_EQ(FormatMask(0, kSizeDecimalMask), " ");
}

TEST(FormatMask, DecimalMaskShowsZeroAndNegatives) {
    EXPECT_EQ(FormatMask(0, kDecimalMask), ".0");
    EXPECT_EQ(FormatMask(1234567890 / 1048576.0, kDecimalMask), "1,177.4");
    EXPECT_EQ(FormatMask(-12.34, kDecimalMask), "-12.3");
    EXPECT_EQ(FormatMask(0.3, kDecimalMask), ".3");
    EXPECT_EQ(FormatMask(-0.01, kDecimalMask), ".0");
}
