#include <gtest/gtest.h>

#include "help/context_ids.h"
#include "tests/support/qt_print.h"

TEST(HelpPaths, TheManualLiesBesideTheProgramJoinedWithOneSeparator) {
    EXPECT_EQ(HelpFileSetting("/opt/tools"), "/opt/tools/Tallmere32.HLP");
    EXPECT_EQ(ContentsPath("/opt/tools"), "/opt/tools/Tallmere32.HLP");
    EXPECT_EQ(HelpFileSetting("/opt/tools/"), "/opt/tools/Tallmere32.HLP");
}

TEST(HelpPaths, AProgramInTheRootKeepsOneSeparatorInTheSettingButContentsJoinsAnother) {
    EXPECT_EQ(HelpFileSetting("/"), "/Tallmere32.HLP");
    EXPECT_EQ(ContentsPath("/"), "//Tallmere32.HLP");
}

TEST(HelpPaths, BlanksAroundThePathDecideTheSeparatorButStayInThePath) {
    EXPECT_EQ(HelpFileSetting("/opt/x/ "), "/opt/x/ Tallmere32.HLP");
    EXPECT_EQ(HelpFileSetting(" /opt/x"), " /opt/x/Tallmere32.HLP");
}
