#include "table/report_text.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>

#include "tests/support/sample_grid.h"

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

}  // namespace

TEST(KindOfReportFile, LooksAtTheFileNamesOwnExtensionInAnyCase) {
    EXPECT_EQ(KindOfReportFile("/home/ann/report.TXT"), ReportKind::Text);
    EXPECT_EQ(KindOfReportFile("/home/ann/report.Csv"), ReportKind::Csv);
    EXPECT_EQ(KindOfReportFile("/home/ann/.config/dirs.txt"), ReportKind::Text);
    EXPECT_EQ(KindOfReportFile("/srv/reports.old/dirs.2024.txt"), ReportKind::Text);
    EXPECT_EQ(KindOfReportFile("/srv/reports.txt/dirs"), ReportKind::Unknown);
    EXPECT_EQ(KindOfReportFile("/srv/dirs"), ReportKind::Unknown);
    EXPECT_EQ(KindOfReportFile("/srv/dirs.pdf"), ReportKind::Unknown);
}

TEST(CsvLines, QuotesCellsWithCommasQuotesAndLineBreaksAndNeverEndsWithAComma) {
    EXPECT_EQ(
        CsvLines(SampleGrid()),
        (QStringList{"Directory Name,Total Files,Total Bytes,Total Dirs",
                     "\"/srv/a \"\"quoted\"\" dir\",\"1,234\",,7", "Grand Total,\"1,234\",,7"}));
    EXPECT_EQ(CsvLine({"a\nb", "c\rd", "tab\there", "plain"}), "\"a\nb\",\"c\rd\",tab\there,plain");
}

TEST(ReportBytes, EndsEveryLineWithCrLf) {
    EXPECT_EQ(ReportBytes({"a", ""}), QByteArray("a\r\n\r\n"));
    EXPECT_EQ(ReportBytes({QString::fromUtf8("\xc3\xa9")}), QByteArray("\xc3\xa9\r\n"));
}

TEST(ClipboardText, PutsATabAfterEveryCellAndALineFeedAfterEveryRow) {
    EXPECT_EQ(ClipboardText(SampleGrid()),
              "Directory Name\tTotal Files\tTotal Bytes\tTotal Dirs\t\n"
              "/srv/a \"quoted\" dir\t1,234\t\t7\t\n"
              "Grand Total\t1,234\t\t7\t\n");
}

TEST(WriteReportFile, ReplacesTheTargetOnlyWhenComplete) {
    QTemporaryDir folder;
    const QString path = folder.path() + "/report.txt";
    EXPECT_FALSE(WriteReportFile(path, "first\r\n").has_value());
    EXPECT_FALSE(WriteReportFile(path, "second\r\n").has_value());
    EXPECT_EQ(ReadAll(path), "second\r\n");
    const std::optional<QString> missing = WriteReportFile(folder.path() + "/none/r.txt", "x");
    ASSERT_TRUE(missing.has_value());
    EXPECT_FALSE(missing->isEmpty());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"report.txt"});
}

TEST(WriteReportFile, LeavesAReadOnlyTargetAsItWas) {
    if (geteuid() == 0) GTEST_SKIP() << "root may write read-only files";
    QTemporaryDir folder;
    const QString path = folder.path() + "/report.csv";
    WriteReportFile(path, "kept");
    chmod(QFile::encodeName(path), 0444);
    EXPECT_TRUE(WriteReportFile(path, "lost").has_value());
    EXPECT_EQ(ReadAll(path), "kept");
}

TEST(WriteReportFile, DevicesAreWrittenInPlaceAndTheirErrorsReported) {
    if (!QFileInfo("/dev/full").exists() || QFileInfo("/dev/full").isFile()) GTEST_SKIP();
    EXPECT_TRUE(WriteReportFile("/dev/full", QByteArray(1 << 16, 'x')).has_value());
    EXPECT_FALSE(QFileInfo("/dev/full").isFile());
    EXPECT_FALSE(WriteReportFile("/dev/null", "x").has_value());
}

TEST(WriteReportFile, AFolderIsNoTarget) {
    QTemporaryDir folder;
    EXPECT_TRUE(WriteReportFile(folder.path(), "x").has_value());
    EXPECT_TRUE(QFileInfo(folder.path()).isDir());
}

TEST(WriteReportFile, AFullDiskKeepsTheOldFile) {
    QTemporaryDir folder;
    const QString path = folder.path() + "/report.txt";
    WriteReportFile(path, "kept");
    // A child process whose files may not grow past 4 KiB stands for a full disk.
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(WriteReportFile(path, QByteArray(1 << 16, 'x')).has_value() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadAll(path), "kept");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"report.txt"});
}
