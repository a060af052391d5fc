#include "census/command_line.h"

#include <gtest/gtest.h>

namespace {

Words W(std::initializer_list<const char*> words) {
    Words result;
    for (const char* word : words)
        result.emplace_back(word);
    return result;
}

}  // namespace

TEST(ParseStartPath, NormalisesTheStartDirectories) {
    const QByteArray cwd = "/home/ann/work";
    EXPECT_EQ(ParseStartPath(W({"/srv/data"}), cwd).Spec, "/srv/data/");
    EXPECT_EQ(ParseStartPath(W({"/srv/data"}), cwd).CurrentRoot, "/srv/data");
    EXPECT_EQ(ParseStartPath(W({"/"}), cwd).Spec, "/");
    EXPECT_EQ(ParseStartPath(W({"/"}), cwd).CurrentRoot, "/");
    EXPECT_EQ(ParseStartPath(W({"."}), cwd).Spec, "/home/ann/work/");
    EXPECT_EQ(ParseStartPath(W({"\"/srv/Program Files\"", "-d3"}), cwd).Spec,
              "/srv/Program Files/");
    EXPECT_EQ(ParseStartPath(W({"  /srv/a  "}), cwd).Spec, "/srv/a/");
}

TEST(ParseStartPath, NothingOrSwitchesOnlyMeanEveryLocalVolume) {
    EXPECT_EQ(ParseStartPath(W({}), "/").Spec, "My Computer/");
    EXPECT_EQ(ParseStartPath(W({}), "/").CurrentRoot, "My Computer");
    EXPECT_EQ(ParseStartPath(W({"-a3"}), "/").Spec, "My Computer/");
    EXPECT_EQ(ParseStartPath(W({"/a3"}), "/").Spec, "My Computer/");
}

TEST(ParseStartPath, AfterTheEndOfSwitchesOnlyADotAloneIsTheCurrentDirectory) {
    EXPECT_EQ(ParseStartPath(W({"--", ".", " .", ". "}), "/cwd").places.directories,
              (std::vector<QByteArray>{"/cwd/", " ./", ". /"}));
}

TEST(ParseStartPath, EmptyFieldsAreLeftOutAndSeparatorsAloneMeanEveryLocalVolume) {
    EXPECT_EQ(ParseStartPath(W({"/tmp/t1;"}), "/").places.directories,
              (std::vector<QByteArray>{"/tmp/t1/"}));
    EXPECT_EQ(ParseStartPath(W({"/a;;/b", ";"}), "/").places.directories,
              (std::vector<QByteArray>{"/a/", "/b/"}));
    for (const char* separators : {";", " ; ;", ";;"}) {
        const StartPath start = ParseStartPath(W({separators}), "/");
        EXPECT_TRUE(start.places.myComputer) << separators;
        EXPECT_EQ(start.Spec, "My Computer/");
    }
    EXPECT_EQ(PlacesOfSpec("a; ;b").directories, (std::vector<QByteArray>{"a/", "b/"}));
}

TEST(ParseStartPath, SeveralDirectoriesStayWholeInTheCaption) {
    EXPECT_EQ(ParseStartPath(W({"/a;/b"}), "/").CurrentRoot, "/a;/b");
    EXPECT_EQ(ParseStartPath(W({"/a", "/b"}), "/").Spec, "/a;/b/");
    EXPECT_EQ(ParseStartPath(W({"/a", "."}), "/cwd").Spec, "/a;/cwd/");
}

TEST(ParseStartPath, DirectoryNamesThatLookLikeSwitchesStayDirectories) {
    const Words words = W({"build-system", "-data", "-xfiles", "/home", "--", "-s"});
    EXPECT_EQ(ParseStartPath(words, "/").Spec, "build-system;-data;-xfiles;/home;-s/");
    EXPECT_EQ(ParseStartPath(words, "/").places.directories,
              (Words{"build-system/", "-data/", "-xfiles/", "/home/", "-s/"}));
    EXPECT_FALSE(CheckExitOptions(words).has_value());
}

TEST(ParseStartPath, WordsAfterTheEndOfSwitchesAreDirectoriesExactlyAsGiven) {
    const StartPath start = ParseStartPath(W({"/a;/b", "--", "/srv/x;y", " \"q\" ", "."}), "/cwd");
    EXPECT_EQ(start.places.directories, (Words{"/a/", "/b/", "/srv/x;y/", " \"q\" /", "/cwd/"}));
    EXPECT_FALSE(start.places.myComputer);
    EXPECT_TRUE(ParseStartPath(W({}), "/").places.myComputer);
    EXPECT_TRUE(ParseStartPath(W({"my computer"}), "/").places.myComputer);
}

TEST(ParseSwitches, ReadsSortAndPosition) {
    const Switches s = ParseSwitches(W({"/srv/Program Files", "-d3", "-x1200,900"}));
    EXPECT_EQ(s.SortColumn, 3);
    EXPECT_FALSE(s.SortAscending);
    EXPECT_EQ(s.Left, "1200");
    EXPECT_EQ(s.Top, "900");
    const Switches windows = ParseSwitches(W({"/A2", "/x10,20"}));
    EXPECT_EQ(windows.SortColumn, 2);
    EXPECT_TRUE(windows.SortAscending);
    EXPECT_EQ(windows.Left, "10");
}

TEST(ParseSwitches, ReadsTwoCharactersAsANumberAndTheLastSortWins) {
    EXPECT_EQ(ParseSwitches(W({"-a"})).SortColumn, 0);
    EXPECT_EQ(ParseSwitches(W({"-a11"})).SortColumn, 11);
    EXPECT_EQ(ParseSwitches(W({"-a-1"})).SortColumn, -1);
    EXPECT_EQ(ParseSwitches(W({"-a9x"})).SortColumn, 9);
    EXPECT_EQ(ParseSwitches(W({"-a1."})).SortColumn, 1);
    const Switches last = ParseSwitches(W({"-a2", "-d7"}));
    EXPECT_EQ(last.SortColumn, 7);
    EXPECT_FALSE(last.SortAscending);
    EXPECT_EQ(ParseSwitches(W({})).SortColumn, 1);
    EXPECT_TRUE(ParseSwitches(W({})).SortAscending);
}

TEST(ParseSwitches, WindowsSpellingsNeedDigits) {
    EXPECT_EQ(ParseSwitches(W({"/ax"})).SortColumn, 1);
    EXPECT_EQ(ParseSwitches(W({"/xa,b"})).Left, "");
    EXPECT_EQ(ParseStartPath(W({"/ax"}), "/").Spec, "/ax/");
}

TEST(CheckExitOptions, WholeWordsOnlyAndLogOffWins) {
    EXPECT_EQ(CheckExitOptions(W({"-s"})), SessionAction::ShutDown);
    EXPECT_EQ(CheckExitOptions(W({"-S", "-r"})), SessionAction::Restart);
    EXPECT_EQ(CheckExitOptions(W({"/tmp", "-L"})), SessionAction::LogOff);
    EXPECT_EQ(CheckExitOptions(W({"-s", "-r", "-l"})), SessionAction::LogOff);
    EXPECT_FALSE(CheckExitOptions(W({"build-system", "/srv/x-r", "-lx"})).has_value());
}
