#include "census/program_options.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

namespace {

ProgramOptions Parse(std::initializer_list<const char*> words) {
    Words arguments;
    for (const char* word : words)
        arguments.emplace_back(word);
    return ParseProgramOptions(arguments);
}

}  // namespace

TEST(ProgramOptions, ReportModeKeepsTheSummarysOwnWords) {
    const ProgramOptions options = Parse({"--report=csv", "/srv", "-d3", "--output=/tmp/r.csv"});
    EXPECT_EQ(options.mode, ProgramOptions::Mode::Report);
    EXPECT_EQ(options.reportKind, ReportKind::Csv);
    EXPECT_EQ(options.outputPath, "/tmp/r.csv");
    EXPECT_EQ(options.words, (Words{"/srv", "-d3"}));
}

TEST(ProgramOptions, WaysOfCountingGoWithReportsOnly) {
    const ProgramOptions report =
        Parse({"--report=json", "--disk-usage", "--count-links-once", "-x", "/srv", "--", "-x"});
    EXPECT_EQ(report.reportKind, ReportKind::Json);
    EXPECT_TRUE(report.diskUsage && report.linksOnce && report.oneFileSystem);
    EXPECT_EQ(report.words, (Words{"/srv", "--", "-x"}));
    EXPECT_TRUE(Parse({"--report=txt", "--one-file-system"}).oneFileSystem);
    for (const char* flag : {"--disk-usage", "--count-links-once", "-x", "--one-file-system"})
        EXPECT_EQ(Parse({flag, "/srv"}).mode, ProgramOptions::Mode::Error) << flag;
}

TEST(ProgramOptions, UnknownOrIncompleteOptionsAreErrorsNamingThem) {
    EXPECT_EQ(Parse({"--frobnicate"}).mode, ProgramOptions::Mode::Error);
    EXPECT_EQ(Parse({"--frobnicate"}).error, "unknown option --frobnicate");
    EXPECT_EQ(Parse({"--report=pdf"}).mode, ProgramOptions::Mode::Error);
    EXPECT_EQ(Parse({"--output=x.txt", "/srv"}).mode, ProgramOptions::Mode::Error);
    for (const char* threads : {"--threads=0", "--threads=65", "--threads=200000"}) {
        EXPECT_EQ(Parse({threads}).mode, ProgramOptions::Mode::Error) << threads;
        EXPECT_EQ(Parse({threads}).error, "--threads takes a number from 1 to 64");
    }
    EXPECT_EQ(Parse({"--threads=64"}).threads, 64);
    // An empty word after "--" names no directory at all, not "/".
    for (const auto& words : {Parse({"--report=csv", "--", ""}), Parse({"--", "/srv", ""})}) {
        EXPECT_EQ(words.mode, ProgramOptions::Mode::Error);
        EXPECT_EQ(words.error, "an empty start directory");
    }
}

TEST(ProgramOptions, HelpVersionAndTheEndOfOptions) {
    EXPECT_EQ(Parse({"/srv", "--help"}).mode, ProgramOptions::Mode::Help);
    EXPECT_EQ(Parse({"--version"}).mode, ProgramOptions::Mode::Version);
    const ProgramOptions ended = Parse({"--", "--help"});
    EXPECT_EQ(ended.mode, ProgramOptions::Mode::Window);
    EXPECT_EQ(ended.words, (Words{"--", "--help"}));
    EXPECT_EQ(Parse({"--threads=3"}).threads, 3);
}

TEST(ProgramOptions, ExcludesGoWithBothModesAndListFilesAddTheirPatterns) {
    QTemporaryDir folder;
    const QByteArray list = QFile::encodeName(folder.path()) + "/list";
    QFile file(QFile::decodeName(list));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("# build output\n\n*.o\r\n/srv/*/tmp\n  \nnode_modules\n");
    file.close();
    const QByteArray from = "--exclude-from=" + list;
    const ProgramOptions window =
        Parse({"--exclude=node_modules", from.constData(), "--exclude-caches", "/srv"});
    EXPECT_EQ(window.mode, ProgramOptions::Mode::Window);
    EXPECT_EQ(window.excludes.patterns,
              (std::vector<QByteArray>{"node_modules", "*.o", "/srv/*/tmp"}));
    EXPECT_TRUE(window.excludes.caches);
    EXPECT_EQ(window.words, (Words{"/srv"}));
    EXPECT_EQ(Parse({"--report=csv", "--exclude=caf\xe9*"}).excludes.patterns,
              (std::vector<QByteArray>{"caf\xe9*"}));  // bytes as given
    EXPECT_EQ(Parse({"--", "--exclude=x"}).words, (Words{"--", "--exclude=x"}));
    const ProgramOptions missing = Parse({"--exclude-from=/nonexistent/list"});
    EXPECT_EQ(missing.mode, ProgramOptions::Mode::Error);
    EXPECT_TRUE(missing.error.startsWith("cannot read the exclude list /nonexistent/list: "))
        << missing.error.toStdString();
}

TEST(ProgramOptions, ImportsGoToAReportOrToTheWindowsSnapshotView) {
    const ProgramOptions imported = Parse({"--report=prometheus", "--import=-", "/srv/www"});
    EXPECT_EQ(imported.mode, ProgramOptions::Mode::Report);
    EXPECT_EQ(imported.reportKind, ReportKind::Prometheus);
    EXPECT_EQ(imported.importPath, "-");
    EXPECT_EQ(imported.words, (Words{"/srv/www"}));
    EXPECT_EQ(Parse({"--import=scan.json"}).mode, ProgramOptions::Mode::Window);
    EXPECT_EQ(Parse({"--from-snapshot=3"}).mode, ProgramOptions::Mode::Window);
    EXPECT_EQ(Parse({"--report=txt", "--import="}).error,
              "--import takes a file name, or - for standard input");
}
