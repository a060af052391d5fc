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
#include <cstring>

#include "tests/support/ordinary_user.h"
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

TEST(ReportBytes, TextLinesEndInALineFeedOnLinuxAndCommaFileLinesInCrLf) {
    EXPECT_EQ(ReportBytes({"a", ""}, ReportKind::Text), QByteArray("a\n\n"));
    EXPECT_EQ(ReportBytes({QString::fromUtf8("\xc3\xa9")}, ReportKind::Text),
              QByteArray("\xc3\xa9\n"));
    EXPECT_EQ(ReportBytes({"a,b", ""}, ReportKind::Csv), QByteArray("a,b\r\n\r\n"));
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

// As an ordinary user: a read-only report is kept; in a folder that takes no new file, a
// writable report is written in place.
TEST(WriteReportFile, ReadOnlyTargetsAreKeptAndWritableOnesInLockedFoldersWrittenInPlace) {
    QTemporaryDir folder;
    const QString readOnly = folder.path() + "/open/report.csv";
    const QString locked = folder.path() + "/locked/report.csv";
    for (const QString& path : {readOnly, locked}) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        WriteReportFile(path, "kept");
    }
    chmod(QFile::encodeName(folder.path()), 0755);
    chmod(QFile::encodeName(QFileInfo(readOnly).path()), 0777);
    chmod(QFile::encodeName(readOnly), 0444);
    chmod(QFile::encodeName(QFileInfo(locked).path()), 0555);
    chmod(QFile::encodeName(locked), 0666);
    const QByteArray outcome = AsOrdinaryUser([&] {
        return QByteArray(WriteReportFile(readOnly, "lost").has_value() ? "refused" : "written") +
               (WriteReportFile(locked, "new").has_value() ? " refused" : " written");
    });
    EXPECT_EQ(outcome, "refused written");
    EXPECT_EQ(ReadAll(readOnly), "kept");
    EXPECT_EQ(ReadAll(locked), "new");
    chmod(QFile::encodeName(QFileInfo(locked).path()), 0755);
}

TEST(WriteReportFile, AReplacedReportKeepsItsModeAndOwner) {
    QTemporaryDir folder;
    const QString path = folder.path() + "/report.txt";
    WriteReportFile(path, "old");
    const QByteArray name = QFile::encodeName(path);
    chmod(name, 0440);
    const uid_t owner = geteuid() == 0 ? 65534 : geteuid();  // root gives it away first
    ASSERT_EQ(chown(name, owner, static_cast<gid_t>(-1)), 0);
    EXPECT_FALSE(WriteReportFile(path, "new").has_value());
    struct stat status {};
    ASSERT_EQ(stat(name, &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0440u);
    EXPECT_EQ(status.st_uid, owner);
    EXPECT_EQ(ReadAll(path), "new");
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
        const std::optional<QString> reason = WriteReportFile(path, QByteArray(1 << 16, 'x'));
        _exit(reason == QString::fromLocal8Bit(std::strerror(EFBIG)) ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the system's reason";
    EXPECT_EQ(ReadAll(path), "kept");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"report.txt"});
}
