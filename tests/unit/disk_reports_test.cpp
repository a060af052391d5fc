#include "drives/disk_reports.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include "common/text_fields.h"
#include "drives/disk_report_mode.h"
#include "drives/disk_table.h"
#include "drives/drive_survey.h"
#include "tests/support/fakes.h"
#include "tests/support/qt_print.h"

namespace {

const QString kTitle = "host Disk Utilization as of 07/12/2026 05:13:28";

// One fixed volume ("/", labelled Label, 1,234,567,890 bytes free of 4,000,000,000) and, with
// the network column, a share mapped to Mapping.
class DiskReports : public ::testing::Test {
  protected:
    void Survey(const QString& label = "system", const QString& mapping = {}) {
        volumes.Add(MakeVolume("/", DriveKind::Fixed), SpaceReport(4e9, 1234567890.0, label));
        settings.CheckNetwork = !mapping.isEmpty();
        if (settings.CheckNetwork) {
            VolumeReport share = SpaceReport(0, 0);
            share.networkName = mapping;
            volumes.Add(MakeVolume("/net", DriveKind::Network, "nfs4"), share);
        }
        SurveyDrives(grid, volumes, settings, memory, {});
    }

    FakeVolumeSource volumes;
    Settings settings;
    SurveyMemory memory;
    CellGrid grid;
};

TEST_F(DiskReports, TextReportPadsEveryColumn) {
    Survey();
    const QStringList lines = DiskTextReport(grid, kTitle);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], PadField(kTitle, "c", 100));
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2],
              " Drive  Volume Name      Type    Avail MB   Used MB % Used  Total MB "
              " Cluster Size   Changed ");
    EXPECT_EQ(lines[3], QString("   /    ") + "system         " + "  ext4  " + "   1,177.4" +
                            "   2,637.3" + "     69" + "   3,814.7 " + "        4,096" +
                            "        .0 ");
    EXPECT_TRUE(lines[4].startsWith("        ---- Total ----"));
    for (int i = 2; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].size(), 93) << i;

    const QByteArray bytes = ReportBytes(lines);
    EXPECT_TRUE(bytes.endsWith(" \r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 5);
}

TEST_F(DiskReports, TextReportWithTheNetworkColumnIs113Wide) {
    Survey("system", "server:/export/a/very/long/path");
    const QStringList lines = DiskTextReport(grid, kTitle);
    ASSERT_EQ(lines.size(), 6);
    for (int i = 2; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].size(), 113) << i;
    EXPECT_TRUE(lines[2].endsWith("Network MAP         "));
    EXPECT_TRUE(lines[4].endsWith("server:/export/a/ver"));
}

TEST_F(DiskReports, CsvQuotesTextsWithCommas) {
    Survey("Data, old");
    EXPECT_EQ(
        CsvLines(grid),
        QStringList({"Drive,Volume Name,Type,Avail MB,Used MB,% Used,Total MB,Cluster "
                     "Size,Changed",
                     "/,\"Data, old\",ext4,\"1,177.4\",\"2,637.3\",69,\"3,814.7\",\"4,096\",.0",
                     ",---- Total ----,,\"1,177.4\",\"2,637.3\",69,\"3,814.7\",,.0"}));
}

TEST_F(DiskReports, ClipboardHoldsEveryCellOfEveryRow) {
    Survey("system", "server:/export");
    const QString text = DiskClipboardText(grid);
    const QStringList rows = text.split(u'\r');
    ASSERT_EQ(rows.size(), 5);  // four rows, each ended by a CR
    EXPECT_EQ(rows[0],
              "Drive\tVolume Name\tType\tAvail MB\tUsed MB\t% Used\tTotal MB\t"
              "Cluster Size\tChanged\tNetwork MAP\t");
    EXPECT_TRUE(rows[2].endsWith("\tserver:/export\t"));
    EXPECT_EQ(rows[4], "");
    EXPECT_FALSE(text.contains(u'\n'));
}

TEST_F(DiskReports, PrintedPageCentresANarrowTable) {
    Survey();
    const PrintedPage page = DiskPrintedPage(grid, kTitle);
    ASSERT_EQ(page.size(), 6u);
    EXPECT_EQ(page[0].text, QString(15, u' ') + kTitle);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(page[i].pointSize, 12);
        EXPECT_TRUE(page[i].bold);
    }
    EXPECT_EQ(page[1].text, "");
    EXPECT_EQ(page[4].text, QString("    ") + "  /    " + "    system       " + "ext4  " +
                                " 1,177.4  " + "2,637.3  " + "  69    " + " 3,814.7  " +
                                "       4,096  " + "     .0  ");
    for (std::size_t i = 3; i < page.size(); ++i) {
        EXPECT_EQ(page[i].pointSize, 8);
        EXPECT_TRUE(page[i].bold);
    }
}

TEST_F(DiskReports, PrintedPageOfAWideTableStartsAtTheMargin) {
    Survey("system", "server:/export/with/a/long/path/name");
    const PrintedPage page = DiskPrintedPage(grid, kTitle);
    EXPECT_TRUE(page[3].text.startsWith("Drive  "));
}

TEST(DiskReportMode, ReadsItsCommandLine) {
    const auto parse = [](const QStringList& words) {
        return ParseDiskCommandLine(QStringList{"quorvane32"} + words);
    };
    using Action = DiskCommandLine::Action;
    EXPECT_EQ(parse({}).action, Action::Window);
    const DiskCommandLine csv = parse({"--report=csv", "--output=/tmp/disks.csv"});
    EXPECT_EQ(csv.action, Action::Report);
    EXPECT_EQ(csv.kind, ReportKind::Csv);
    EXPECT_EQ(csv.output, "/tmp/disks.csv");
    EXPECT_EQ(parse({"--report", "txt"}).kind, ReportKind::Text);
    EXPECT_EQ(parse({"--help"}).action, Action::Help);
    EXPECT_EQ(parse({"-h"}).action, Action::Help);
    EXPECT_EQ(parse({"--version"}).action, Action::Version);
    for (const QStringList& wrong : {QStringList{"--bogus"}, QStringList{"--report=pdf"},
                                     QStringList{"/home"}, QStringList{"--output=x"}}) {
        EXPECT_EQ(parse(wrong).action, Action::Mistake) << wrong.join(' ').toStdString();
    }
    EXPECT_TRUE(parse({"--bogus"}).mistake.contains("bogus"));
}

TEST(DiskReportMode, WritesTheReportOfOneSurvey) {
    QTemporaryDir folder;
    FakeSettingsStore store;
    store.values["CheckNetwork"] = "true";
    FakeVolumeSource volumes;
    volumes.Add(MakeVolume("/", DriveKind::Fixed), SpaceReport(4e9, 1234567890.0));

    const QString text = folder.filePath("disks.txt");
    ASSERT_EQ(RunDiskReport(ReportKind::Text, text, store, volumes), 0);
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 6);  // title, empty, heading, volume, totals, and after the last CR LF
    EXPECT_TRUE(lines[0].contains(" Disk Utilization as of "));
    EXPECT_EQ(lines[2].size(), 114);  // 113 characters and the CR
    EXPECT_TRUE(lines[4].contains(kTotalsLabel));

    const QString csv = folder.filePath("disks.csv");
    ASSERT_EQ(RunDiskReport(ReportKind::Csv, csv, store, volumes), 0);
    QFile csvFile(csv);
    ASSERT_TRUE(csvFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(csvFile.readAll().startsWith("Drive,Volume Name,"));
}

TEST(DiskReportMode, FailsWithoutASettingsStore) {
    QTemporaryDir folder;
    FakeSettingsStore store;
    store.available = false;
    FakeVolumeSource volumes;
    const QString path = folder.filePath("disks.txt");
    EXPECT_EQ(RunDiskReport(ReportKind::Text, path, store, volumes), 1);
    EXPECT_FALSE(QFile::exists(path));
}

}  // namespace
