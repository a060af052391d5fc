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

TEST(FormatFigure, WideFiguresKeepEveryDigit) {
    const Figure above53 = (Figure{1} << 53) + 1;
    EXPECT_EQ(FormatFigure(above53, kCountMask), "9,007,199,254,740,993");
    EXPECT_EQ(FormatFigure(kMost64, kCountMask), "18,446,744,073,709,551,615");
    EXPECT_EQ(FormatFigure(Figure{1} << 63, kCountMask), "9,223,372,036,854,775,808");
    EXPECT_EQ(FormatFigure(kMost64 * 3, kCountMask), "55,340,232,221,128,654,845");
    EXPECT_EQ(FormatFigure(0, kCountMask), "");
    // 2^64 - 1 bytes in KB and MB, rounded at the last shown place.
    EXPECT_EQ(FormatFigure(kMost64, kSizeDecimalMask, 1024), "18,014,398,509,481,984.0");
    EXPECT_EQ(FormatFigure(kMost64, kSizeDecimalMask, 1048576), "17,592,186,044,416.0");
    EXPECT_EQ(FormatFigure(above53 * 10, kDecimalMask, 10), "9,007,199,254,740,993.0");
}

TEST(FormatFigure, RoundsAndShowsZeroAsTheDoubleMasksDo) {
    for (const QStringView mask : {kCountMask, kSizeDecimalMask, kDecimalMask}) {
        for (const Figure divisor : {Figure{1}, Figure{1024}, Figure{1048576}}) {
            for (const Figure value : {0, 1, 51, 52, 307, 512, 1536, 4096, 1048575, 123456789}) {
                const double shown = static_cast<double>(value) / static_cast<double>(divisor);
                EXPECT_EQ(FormatFigure(value, mask, divisor), FormatMask(shown, mask))
                    << static_cast<double>(value) << " / " << static_cast<double>(divisor);
            }
        }
    }
}
