#include "table/text_fields.h"

#include <gtest/gtest.h>

TEST(PadField, JustifiesToExactWidth) {
    EXPECT_EQ(PadField("abc", "c", 8), "  abc   ");
    EXPECT_EQ(PadField("abcdef", "r", 4), "cdef");
    EXPECT_EQ(PadField("abcdef", "l", 4), "abcd");
    EXPECT_EQ(PadField("abcdef", "c", 4), "abcd");
    EXPECT_EQ(PadField("abc", "R", 5), "  abc");
    EXPECT_EQ(PadField("abc", "x", 5), "");
    EXPECT_EQ(PadField("", "r", 15), QString(15, u' '));
}

TEST(GetField, PicksTrimmedFields) {
    EXPECT_EQ(GetField("a.b.c", ".", 2), "b");
    EXPECT_EQ(GetField("a.b.c", ".", 3), "c");
    EXPECT_EQ(GetField("a.b.c", ".", 4), "");
    EXPECT_EQ(GetField("abc", ".", 1), "abc");
    EXPECT_EQ(GetField("abc", ".", 2), "");
    EXPECT_EQ(GetField("a..b", ".", 2), "");
    EXPECT_EQ(GetField("  /srv/a ; /srv/b  ", ";", 2), "/srv/b");
    EXPECT_EQ(GetField("  /srv/a ; /srv/b  ", ";", 1), "/srv/a");
}

TEST(CountFields, CountsDelimitersOfTheTrimmedText) {
    EXPECT_EQ(CountFields("", ";"), 0);
    EXPECT_EQ(CountFields("   ", ";"), 0);
    EXPECT_EQ(CountFields("/a", ";"), 1);
    EXPECT_EQ(CountFields("/a;/b", ";"), 2);
    EXPECT_EQ(CountFields("/a;", ";"), 2);
}
