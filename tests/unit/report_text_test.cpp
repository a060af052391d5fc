#include "common/report_text.h"

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

#include "summary/summary_reports.h"

namespace {

CellGrid SampleGrid() {
    CellGrid grid(3, 4);
    grid.SetFormatString("<Directory Name|>Total Files|>Total Bytes|>Total Dirs");
    const QStringList row{"/srv/a \"quoted\" dir", "1,234", "", "7"};
    const QStringList total{"Grand Total", "1,234", "", "7"};
    for (int c = 0; c < 4; ++c) {
        grid.SetTextMatrix(1, c, row[c]);
        grid.SetTextMatrix(2, c, total[c]);
    }
    return grid;
}

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

TEST(CsvLines, QuotesCellsWithCommasOnlyAndNeverEndsWithAComma) {
    EXPECT_EQ(CsvLines(SampleGrid()),
              (QStringList{"Directory Name,Total Files,Total Bytes,Total Dirs",
                           "/srv/a \"quoted\" dir,\"1,234\",,7", "Grand Total,\"1,234\",,7"}));
}

TEST(ReportBytes, EndsEveryLineWithCrLf) {
    EXPECT_EQ(ReportBytes({"a", ""}), QByteArray("a\r\n\r\n"));
    EXPECT_EQ(ReportBytes({QString::fromUtf8("\xc3\xa9")}), QByteArray("\xc3\xa9\r\n"));
}

TEST(ClipboardText, PutsATabAfterEveryCellAndACrAfterEveryRow) {
    EXPECT_EQ(ClipboardText(SampleGrid()),
              "Directory Name\tTotal Files\tTotal Bytes\tTotal Dirs\t\r"
              "/srv/a \"quoted\" dir\t1,234\t\t7\t\r"
              "Grand Total\t1,234\t\t7\t\r");
}

TEST(SummaryTextReport, CentresTheTitleAndPadsEveryColumn) {
    const QStringList lines =
        SummaryTextReport(SampleGrid(), "host", QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0].size(), 100);
    EXPECT_TRUE(lines[0].trimmed().startsWith("host Disk Utilization as of "));
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2],
              "Directory Name                    Total Files    Total Bytes     Total Dirs");
    EXPECT_EQ(lines[3].size(), 75);
    EXPECT_EQ(lines[3].mid(30, 15), "          1,234");
    EXPECT_EQ(lines[3].mid(45, 15), QString(15, u' '));
}

TEST(SummaryTextReport, CutsLongNamesButWritesWideFiguresWhole) {
    CellGrid grid = SampleGrid();
    grid.SetTextMatrix(1, 0, QString(31, u'n') + "X");
    grid.SetTextMatrix(1, 1, "1,234,567,890,123,456");
    grid.SetTextMatrix(1, 2, "653,192,483,384");
    const QStringList lines = SummaryTextReport(grid, "host", QDateTime::currentDateTime());
    EXPECT_EQ(lines[3], QString(30, u'n') + " 1,234,567,890,123,456 653,192,483,384" +
                            QString(14, u' ') + "7");
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
