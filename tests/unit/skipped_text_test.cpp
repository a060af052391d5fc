#include "census/skipped_text.h"

#include <gtest/gtest.h>
#include <cerrno>

#include "tests/support/qt_print.h"

namespace {

Skipped Unread(int folders, std::int64_t unsized = 0) {
    Skipped skipped{{}, unsized};
    for (int i = 0; i < folders; ++i)
        skipped.unread.push_back({"/srv/d" + QByteArray::number(i), EACCES});
    return skipped;
}

}  // namespace

TEST(SkippedText, DoneSaysWhatWasLeftOutNamingALoneFolder) {
    EXPECT_EQ(DoneText(Skipped{}), "Done!");
    EXPECT_EQ(DoneText(Skipped{{{"/srv/dta", ENOENT}}, 0}),
              "Done! /srv/dta could not be read: No such file or directory.");
    EXPECT_EQ(DoneText(Unread(1234)), "Done! 1,234 folders could not be read.");
    EXPECT_EQ(DoneText(Unread(0, 1)), "Done! 1 entry could not be sized.");
    EXPECT_EQ(DoneText(Unread(2, 3)),
              "Done! 2 folders could not be read. 3 entries could not be sized.");
    EXPECT_EQ(TotalNote(Unread(1, 2)), "1 folder could not be read. 2 entries could not be sized.");
}

// What a clear-archive walk could not do is named, with reasons, as unread folders are.
TEST(SkippedText, ClearTextsNameWhatCouldNotBeChanged) {
    EXPECT_EQ(ClearDoneText({}, {}), "Done!");
    EXPECT_EQ(ClearDoneText({}, {{"/srv/f", EPERM}}),
              "Done! /srv/f could not be changed: Operation not permitted.");
    EXPECT_EQ(ClearDoneText(Unread(2).unread, Unread(3).unread),
              "Done! 2 folders could not be read. 3 entries could not be changed.");
    EXPECT_EQ(ClearNote({}, {}), "");
    const QStringList lines = ClearNote(Unread(1).unread, Unread(11).unread).split(u'\n');
    ASSERT_EQ(lines.size(), 14);
    EXPECT_EQ(lines[0], "Could not be changed:");
    EXPECT_EQ(lines[1], "/srv/d0: Permission denied");
    EXPECT_EQ(lines[11], "and 1 more");
    EXPECT_EQ(lines[12], "Could not be read:");
    EXPECT_EQ(lines[13], "/srv/d0: Permission denied");
}

TEST(SkippedText, RowNotesListTenFoldersAndCountTheRest) {
    EXPECT_EQ(RowNote(Skipped{}), "");
    const QStringList lines = RowNote(Unread(12, 4)).split(u'\n');
    ASSERT_EQ(lines.size(), 13);
    EXPECT_EQ(lines[0], "Could not be read:");
    EXPECT_EQ(lines[1], "/srv/d0: Permission denied");
    EXPECT_EQ(lines[10], "/srv/d9: Permission denied");
    EXPECT_EQ(lines[11], "and 2 more");
    EXPECT_EQ(lines[12], "4 entries could not be sized.");
}

TEST(SkippedText, ReportLinesQuoteEveryPathForAShell) {
    EXPECT_EQ(CannotReadLine({"/srv/plain", EACCES}),
              "cannot read '/srv/plain': Permission denied");
    EXPECT_EQ(CannotReadLine({"/srv/a\nb", ENOENT}),
              "cannot read '/srv/a'$'\\012''b': No such file or directory");
}

TEST(SkippedText, ExcludedEntriesAndAStoppedWalkAreTold) {
    EXPECT_EQ(DoneText(Skipped{}, 1), "Done! 1 entry excluded.");
    EXPECT_EQ(DoneText(Unread(2), 3000),
              "Done! 2 folders could not be read. 3,000 entries excluded.");
    Skipped stopped;
    stopped.unfinished = true;
    EXPECT_TRUE(stopped.Any());
    EXPECT_EQ(RowNote(stopped), "Not read whole: the walk was stopped.");
    Skipped total = Unread(1);
    total += stopped;
    EXPECT_TRUE(total.unfinished);
    EXPECT_EQ(TotalNote(total), "1 folder could not be read. Stopped: the figures are partial.");
}
