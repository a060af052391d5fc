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

TEST(ShellQuoted, QuotesForAShellWithControlCharactersInOctal) {
    EXPECT_EQ(ShellQuoted("it's"), "'it'\\''s'");
    EXPECT_EQ(ShellQuoted("a\nb\x7f"), "'a'$'\\012''b'$'\\177'");
    EXPECT_EQ(ShellQuoted("caf\xc3\xa9 \xff"), "'caf\xc3\xa9 \xff'");
    EXPECT_EQ(ShellQuoted(""), "''");
    // U+009B, which some terminals take as the start of a command, and a lone 0xc2 byte.
    EXPECT_EQ(ShellQuoted("x\xc2\x9b"
                          "2J\xc2"),
              "'x'$'\\302\\233''2J\xc2'");
    EXPECT_EQ(ShellQuoted("\x1b[2J"), "$'\\033''[2J'");
}

TEST(ReportSafeText, QuotesOnlyNamesThatHoldAControlCharacter) {
    EXPECT_EQ(ReportSafeText("/srv/it's caf\u00e9"), "/srv/it's caf\u00e9");
    EXPECT_EQ(ReportSafeText("/srv/a\nGrand Total"), "'/srv/a'$'\\012''Grand Total'");
    EXPECT_EQ(ReportSafeText("\x1b]0;title\x07"), "$'\\033'']0;title'$'\\007'");
    EXPECT_EQ(ReportSafeText(QString::fromUtf8("x\xc2\x9b"
                                               "1m")),
              "'x'$'\\302\\233''1m'");
    EXPECT_EQ(ReportSafeText(QString::fromUtf8("\xff\xfe")), QString::fromUtf8("\xff\xfe"));
}
