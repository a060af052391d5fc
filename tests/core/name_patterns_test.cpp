#include "platform/name_patterns.h"

#include <gtest/gtest.h>

TEST(MatchesPattern, NamesAndWholePaths) {
    EXPECT_TRUE(MatchesPattern("node_modules", "node_modules", false));
    EXPECT_TRUE(MatchesPattern("*.iso", "disc.iso", false));
    EXPECT_TRUE(MatchesPattern("*.iso", ".hidden.iso", false));
    EXPECT_FALSE(MatchesPattern("*.iso", "disc.iso.part", false));
    EXPECT_TRUE(MatchesPattern("caf\xe9?", "caf\xe9s", false));  // bytes, not characters
    EXPECT_TRUE(MatchesPattern("[ab]\\*", "b*", false));
    EXPECT_TRUE(MatchesPattern("/home/*/Downloads", "/home/ann/Downloads", true));
    EXPECT_FALSE(MatchesPattern("/home/*/Downloads", "/home/ann/x/Downloads", true));
    EXPECT_FALSE(MatchesPattern("/home/a?b", "/home/a/b", true));
}
