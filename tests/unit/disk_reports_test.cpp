#include "drives/disk_reports.h"
#include "table/report_text.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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
    SurveyDrives(grid, volumes, settings, {.networkMap = settings.CheckNetwork}, memory, {});
    return grid;
}

// The command line of quorvane32 with Words after its name.
DiskProgramOptions Report(const QStringList& words) {
    return ParseDiskProgramOptions(QStringList{"quorvane32"} + words);
}

TEST(DiskReports, TextReportLinesAre93Or113Wide) {
    const QStringList lines = DiskTextReport(SurveyedGrid("system"), {}, kTitle);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], PadField(kTitle, "c", 100));
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2],
              " Drive  Volume Name      Type    Avail MB   Used MB % Used  Total MB "
              " Cluster Size   Changed ");
    EXPECT_EQ(lines[3], QString("   /    system           ext4     1,177.4   2,637.3     69   "
                                "3,814.7         4,096        .0 "));
    EXPECT_TRUE(lines[4].startsWith("        ---- Total ----"));
    EXPECT_EQ(ReportBytes(lines, ReportKind::Text).count('\n'), 5);

    const QStringList wide = DiskTextReport(SurveyedGrid("", "server:/export/a/long/path"),
                                            {.networkMap = true}, kTitle);
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
    SurveyDrives(grid, volumes, Settings{}, {}, memory, {});
    const QStringList lines = DiskTextReport(grid, {}, kTitle);
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
    const auto parse = Report;
    using enum DiskProgramOptions::Mode;
    EXPECT_EQ(parse({}).mode, Window);
    const DiskProgramOptions csv = parse({"--report=csv", "--output=/tmp/disks.csv"});
    EXPECT_EQ(std::tuple(csv.mode, csv.reportKind, csv.outputPath),
              std::tuple(Report, ReportKind::Csv, QString("/tmp/disks.csv")));
    EXPECT_EQ(parse({"--report", "txt"}).reportKind, ReportKind::Text);
    EXPECT_EQ(parse({"-h"}).mode, Help);
    EXPECT_EQ(parse({"--version"}).mode, Version);
    EXPECT_FALSE(csv.trend);
    EXPECT_TRUE(parse({"--trend", "--report=json"}).trend);
    for (const char* wrong : {"--report=pdf", "--output=x", "--report", "--trend"})
        EXPECT_EQ(parse({wrong}).mode, Error) << wrong;
    EXPECT_EQ(parse({"--report=txt", "--trend=yes"}).error, "'--trend' takes no value.");
    EXPECT_TRUE(parse({"--report=pdf"}).error.contains("pdf"));
    const DiskProgramOptions stray = parse({"/home", "--bogus", "--report=txt", "-x"});
    EXPECT_EQ(stray.mode, Report);
    EXPECT_EQ(stray.ignored, QStringList({"/home", "--bogus", "-x"}));
    EXPECT_EQ(parse({"stray"}).mode, Window);
}

TEST(DiskReportMode, WritesOneSurveysReportWithOrWithoutReadableSettings) {
    QTemporaryDir folder;
    FakeSettingsStore store;
    store.values["CheckNetwork"] = "true";
    FakeVolumeSource volumes;
    volumes.Add(MakeVolume("/"), SpaceReport(4e9, 1234567890.0));
    ASSERT_EQ(RunDiskReport(Report({"--report=txt", "--output=" + folder.filePath("disks.txt")}),
                            store, volumes),
              0);
    QFile text(folder.filePath("disks.txt"));
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = text.readAll().split('\n');
    ASSERT_EQ(lines.size(), 6);  // five lines, each ended by LF
    EXPECT_TRUE(lines[0].contains(" Disk Utilization as of "));
    EXPECT_EQ(lines[2].size(), 113);
    EXPECT_TRUE(lines[4].contains(kTotalsLabel));

    store.available = false;  // the first-run values serve: no network column
    EXPECT_EQ(RunDiskReport(Report({"--report=csv", "--output=" + folder.filePath("disks.csv")}),
                            store, volumes),
              0);
    QFile csv(folder.filePath("disks.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_FALSE(csv.readLine().contains("Network MAP"));
}

// 1000 MB with 600 MB free, 50 MB of them kept for the administrator, and a volume below a
// folder the user may not search.
TEST(DiskReportMode, JsonTellsAvailableAndFreeApartAndAFaultEndsWithStatusOne) {
    QTemporaryDir folder;
    FakeSettingsStore store;
    FakeVolumeSource volumes;
    VolumeReport reserved = SpaceReport(1000 * kMB, 550 * kMB);
    reserved.freeBytes = 600 * kMB;
    volumes.Add(MakeVolume("/"), reserved);
    ASSERT_EQ(RunDiskReport(Report({"--report=json", "--output=" + folder.filePath("ok.json")}),
                            store, volumes),
              0);
    VolumeReport locked;
    locked.fault = "Permission denied";
    volumes.Add(MakeVolume("/locked/disk"), locked);
    ASSERT_EQ(RunDiskReport(Report({"--report=json", "--output=" + folder.filePath("disks.json")}),
                            store, volumes),
              1);

    QFile file(folder.filePath("disks.json"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonArray listed = QJsonDocument::fromJson(file.readAll())["volumes"].toArray();
    ASSERT_EQ(listed.size(), 2);
    const QJsonObject root = listed[0].toObject();
    EXPECT_EQ(root["avail_bytes"].toInteger(), 550 * 1048576LL);
    EXPECT_EQ(root["free_bytes"].toInteger(), 600 * 1048576LL);
    EXPECT_EQ(root["used_bytes"].toInteger(), 450 * 1048576LL);
    EXPECT_TRUE(root["fault"].isNull());
    const QJsonObject unreachable = listed[1].toObject();
    EXPECT_EQ(unreachable["mount_point"].toString(), "/locked/disk");
    EXPECT_EQ(unreachable["fault"].toString(), "Permission denied");
    EXPECT_TRUE(unreachable["avail_bytes"].isNull());
}

}  // namespace
