#include "drives/disk_reports.h"
#include "table/report_text.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include "drives/disk_report_mode.h"
#include "drives/drive_survey.h"
#include "table/text_fields.h"
#include "tests/support/fakes.h"
#include "tests/support/qt_print.h"

namespace {

const QString kTitle = "host Disk Utilization as of 07/12/2026 05:13:28";

// "/" labelled Label with 1,234,567,890 bytes free of 4,000,000,000, and with a Mapping the
// network column and a share mapped to it.
CellGrid SurveyedGrid(const QString& label, const QString& mapping = {}) {
    FakeVolumeSource volumes;
    volumes.Add(MakeVolume("/"), SpaceReport(4e9, 1234567890.0, label));
    Settings settings;
    settings.CheckNetwork = !mapping.isEmpty();
    VolumeReport share = SpaceReport(0, 0);
    share.networkName = mapping;
    volumes.Add(MakeVolume("/net", DriveKind::Network, "nfs4"), share);
    CellGrid grid;
    SurveyMemory memory;
    SurveyDrives(grid, volumes, settings, memory, {});
    return grid;
}

TEST(DiskReports, TextReportLinesAre93Or113Wide) {
    const QStringList lines = DiskTextReport(SurveyedGrid("system"), kTitle);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], PadField(kTitle, "c", 100));
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2],
              " Drive  Volume Name      Type    Avail MB   Used MB % Used  Total MB "
              " Cluster Size   Changed ");
    EXPECT_EQ(lines[3], QString("   /    system           ext4     1,177.4   2,637.3     69   "
                                "3,814.7         4,096        .0 "));
    EXPECT_TRUE(lines[4].startsWith("        ---- Total ----"));
    EXPECT_EQ(ReportBytes(lines).count('\n'), 5);

    const QStringList wide = DiskTextReport(SurveyedGrid("", "server:/export/a/long/path"), kTitle);
    ASSERT_EQ(wide.size(), 6);
    for (int i = 2; i < wide.size(); ++i)
        EXPECT_EQ(wide[i].size(), 113);
    EXPECT_TRUE(wide[4].endsWith("server:/export/a/lon"));
}

TEST(DiskReports, TheDriveColumnWidensToTheLongestMountPoint) {
    FakeVolumeSource volumes;
    volumes.Add(MakeVolume("/"), SpaceReport(4e9, 1e9));
    volumes.Add(MakeVolume("/srv/nested/deep"), SpaceReport(2e9, 1e9));
    CellGrid grid;
    SurveyMemory memory;
    SurveyDrives(grid, volumes, Settings{}, memory, {});
    const QStringList lines = DiskTextReport(grid, kTitle);
    ASSERT_EQ(lines.size(), 6);
    for (int i = 2; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].size(), 93 - 8 + 16) << i;
    EXPECT_TRUE(lines[4].startsWith("/srv/nested/deep"));
    EXPECT_EQ(lines[3].indexOf("ext4"), lines[4].indexOf("ext4"));
}

TEST(DiskReports, CsvQuotesCommasAndClipboardTakesEveryCell) {
    const QStringList csv = CsvLines(SurveyedGrid("Data, old"));
    ASSERT_EQ(csv.size(), 3);
    EXPECT_EQ(csv[1], "/,\"Data, old\",ext4,\"1,177.4\",\"2,637.3\",69,\"3,814.7\",\"4,096\",.0");
    for (const QString& line : csv)
        EXPECT_FALSE(line.endsWith(u','));

    const QStringList rows = ClipboardText(SurveyedGrid("", "srv:/x")).split(u'\n');
    ASSERT_EQ(rows.size(), 5);  // four rows, each ended by a line feed
    EXPECT_EQ(rows[0],
              "Drive\tVolume Name\tType\tAvail MB\tUsed MB\t% Used\tTotal MB\t"
              "Cluster Size\tChanged\tNetwork MAP\t");
    EXPECT_TRUE(rows[2].endsWith("\tsrv:/x\t"));
    EXPECT_EQ(rows[4], "");
}

TEST(DiskReports, PrintedPageAlignsColumnsAndCentresANarrowTable) {
    const PrintedPage page = DiskPrintedPage(SurveyedGrid("system"), kTitle);
    ASSERT_EQ(page.size(), 6u);
    EXPECT_EQ(page[0].text, QString(15, u' ') + kTitle);
    EXPECT_EQ(page[1].text, "");
    EXPECT_EQ(page[4].text, QString("      /        system       ext4   1,177.4  2,637.3    69    "
                                    " 3,814.7         4,096       .0  "));
    for (std::size_t i = 0; i < page.size(); ++i) {
        EXPECT_EQ(page[i].pointSize, i < 3 ? 12 : 8);
        EXPECT_TRUE(page[i].bold);
    }
    const PrintedPage wide =
        DiskPrintedPage(SurveyedGrid("", "server:/export/a/long/path"), kTitle);
    EXPECT_TRUE(wide[3].text.startsWith("Drive  "));
}

TEST(DiskReportMode, ReadsItsCommandLine) {
    const auto parse = [](const QStringList& words) {
        return ParseDiskCommandLine(QStringList{"quorvane32"} + words);
    };
    using enum DiskCommandLine::Action;
    EXPECT_EQ(parse({}).action, Window);
    const DiskCommandLine csv = parse({"--report=csv", "--output=/tmp/disks.csv"});
    EXPECT_EQ(std::tuple(csv.action, csv.kind, csv.output),
              std::tuple(Report, ReportKind::Csv, QString("/tmp/disks.csv")));
    EXPECT_EQ(parse({"--report", "txt"}).kind, ReportKind::Text);
    EXPECT_EQ(parse({"-h"}).action, Help);
    EXPECT_EQ(parse({"--version"}).action, Version);
    for (const char* wrong : {"--report=pdf", "--output=x", "--report"})
        EXPECT_EQ(parse({wrong}).action, Mistake) << wrong;
    EXPECT_TRUE(parse({"--report=pdf"}).mistake.contains("pdf"));
    const DiskCommandLine stray = parse({"/home", "--bogus", "--report=txt", "-x"});
    EXPECT_EQ(stray.action, Report);
    EXPECT_EQ(stray.ignored, QStringList({"/home", "--bogus", "-x"}));
    EXPECT_EQ(parse({"stray"}).action, Window);
}

TEST(DiskReportMode, WritesOneSurveysReportWithOrWithoutReadableSettings) {
    QTemporaryDir folder;
    FakeSettingsStore store;
    store.values["CheckNetwork"] = "true";
    FakeVolumeSource volumes;
    volumes.Add(MakeVolume("/"), SpaceReport(4e9, 1234567890.0));
    ASSERT_EQ(RunDiskReport(ReportKind::Text, folder.filePath("disks.txt"), store, volumes), 0);
    QFile text(folder.filePath("disks.txt"));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = text.readAll().split('\n');
    ASSERT_EQ(lines.size(), 6);  // five lines, each ended by CR LF
    EXPECT_TRUE(lines[0].contains(" Disk Utilization as of "));
    EXPECT_EQ(lines[2].size(), 114);
    EXPECT_TRUE(lines[4].contains(kTotalsLabel));

    store.available = false;  // the first-run values serve: no network column
    EXPECT_EQ(RunDiskReport(ReportKind::Csv, folder.filePath("disks.csv"), store, volumes), 0);
    QFile csv(folder.filePath("disks.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_FALSE(csv.readLine().contains("Network MAP"));
}

}  // namespace
