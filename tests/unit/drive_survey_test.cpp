#include "drives/drive_survey.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <set>

#include "drives/disk_table.h"
#include "tests/support/fakes.h"
#include "tests/support/qt_print.h"

namespace {

class DriveSurvey : public ::testing::Test {
  protected:
    // The columns of a report without forecasts: the network map as Settings say.
    DiskColumns Columns() const { return {.networkMap = settings.CheckNetwork}; }
    void Survey() { SurveyDrives(grid, volumes, settings, Columns(), memory, sink); }
    QStringList Column(int col) const {
        QStringList texts;
        for (int row = 1; row < grid.Rows(); ++row)
            texts << grid.TextMatrix(row, col);
        return texts;
    }

    FakeVolumeSource volumes;
    Settings settings;
    CellGrid grid;
    SurveyMemory memory;
    DiagnosticSink sink;
};

TEST_F(DriveSurvey, SettingsNarrowTheKindsListed) {
    Volume floppy = MakeVolume("/m/floppy", DriveKind::Removable, "vfat");
    floppy.floppy = true;
    volumes.Add(MakeVolume("/", DriveKind::Fixed), SpaceReport(kMB, 0));
    volumes.Add(MakeVolume("/m/cd", DriveKind::CdRom, "iso9660"), SpaceReport(kMB, 0));
    volumes.Add(floppy, SpaceReport(kMB, 0));
    volumes.Add(MakeVolume("/m/usb", DriveKind::Removable, "vfat"), SpaceReport(kMB, 0));
    volumes.Add(MakeVolume("/n/share", DriveKind::Network, "nfs4"), SpaceReport(kMB, 0));
    volumes.Add(MakeVolume("/ram", DriveKind::Other, "tmpfs"), SpaceReport(kMB, 0));
    Survey();
    EXPECT_EQ(Column(kDriveCol), QStringList({"/", ""}));

    for (const auto& [flag, mountPoint] : {std::pair{&Settings::CheckCDROM, "/m/cd"},
                                           {&Settings::CheckFloppy, "/m/floppy"},
                                           {&Settings::CheckRemovable, "/m/usb"},
                                           {&Settings::CheckNetwork, "/n/share"}}) {
        settings = Settings{};
        settings.*flag = true;
        Survey();
        EXPECT_EQ(Column(kDriveCol), QStringList({"/", mountPoint, ""}));
    }
}

TEST_F(DriveSurvey, NetworkColumnFollowsTheSettingAndColumnsWidenToTheirTexts) {
    volumes.Add(MakeVolume("/", DriveKind::Fixed), SpaceReport(kMB, 0));
    VolumeReport share = SpaceReport(kMB, 0);
    share.networkName = "fileserver.example.org:/export/home";
    volumes.Add(MakeVolume("/media/home share", DriveKind::Network, "nfs4"), share);
    Survey();
    EXPECT_EQ(grid.Cols(), 9);
    EXPECT_EQ(grid.ColWidth(kDriveCol), 5 * charsize);

    settings.CheckNetwork = true;
    Survey();
    ASSERT_EQ(grid.Cols(), 10);
    EXPECT_EQ(grid.TextMatrix(0, 9), "Network MAP");
    EXPECT_EQ(Column(9), QStringList({"", share.networkName, ""}));
    EXPECT_EQ(memory.MaxMapCol, 35);
    EXPECT_EQ(grid.ColWidth(kDriveCol), 17 * charsize);
    EXPECT_EQ(DiskWindowGeometry(grid).windowWidth, 10690 + (35 - 11 + 17 - 5) * charsize);
}

TEST_F(DriveSurvey, VolumesThatDoNotAnswerAreLeftOutSilently) {
    QStringList diagnostics;
    sink = [&](const QString& text) { diagnostics << text; };
    VolumeReport root = SpaceReport(kMB, 0);
    root.rawFigures = ", FragmentSize : 4096";
    volumes.Add(MakeVolume("/", DriveKind::Fixed), root);
    volumes.Add(MakeVolume("/net/dead", DriveKind::Fixed), std::nullopt);
    Survey();
    EXPECT_EQ(Column(kDriveCol), QStringList({"/", ""}));
    EXPECT_EQ(diagnostics, QStringList({"Drive : /, Type : 3, FragmentSize : 4096"}));
    EXPECT_EQ(memory.LastUsedMB.count("/net/dead"), 0u);
}

TEST_F(DriveSurvey, ChangesAreZeroFirstThenMeasuredAgainstThePreviousSurvey) {
    volumes.Add(MakeVolume("/", DriveKind::Fixed), SpaceReport(1000 * kMB, 600 * kMB));
    Survey();
    EXPECT_EQ(Column(kChangedCol), QStringList({".0", ".0"}));

    volumes.ReportOf("/")->availBytes -= 12.3 * kMB;
    volumes.Add(MakeVolume("/srv", DriveKind::Fixed), SpaceReport(50 * kMB, 20 * kMB));
    Survey();
    EXPECT_EQ(Column(kChangedCol), QStringList({"12.3", "30.0", "42.3"}));

    volumes.ReportOf("/")->availBytes += 2 * kMB;
    Survey();
    EXPECT_EQ(Column(kChangedCol), QStringList({"-2.0", ".0", "-2.0"}));
}

TEST_F(DriveSurvey, FiguresFollowTheMasksAndUnknownOnesStayEmpty) {
    volumes.Add(MakeVolume("/"), SpaceReport(4e9, 1234567890.0, "system"));
    volumes.Add(MakeVolume("/empty"), SpaceReport(0, 0));
    VolumeReport stale;
    stale.label = "stale";
    volumes.Add(MakeVolume("/stale", DriveKind::Fixed, "cifs"), stale);
    Survey();
    EXPECT_EQ(RowTexts(grid, 1), QStringList({"/", "system", "ext4", "1,177.4", "2,637.3", "69",
                                              "3,814.7", "4,096", ".0"}));
    EXPECT_EQ(grid.TextMatrix(2, kPercentCol), "");
    EXPECT_EQ(RowTexts(grid, 3), QStringList({"/stale", "stale", "cifs", "", "", "", "", "", ""}));
    EXPECT_EQ(RowTexts(grid, 4),
              QStringList({"", kTotalsLabel, "", "1,177.4", "2,637.3", "69", "3,814.7", "", ".0"}));
}

// 1000 MB of which 600 MB are free, 50 MB of them kept back for the administrator.
TEST_F(DriveSurvey, AvailIsWhatTheUserMayWriteAndUsedTheRest) {
    VolumeReport reserved = SpaceReport(1000 * kMB, 550 * kMB);
    reserved.freeBytes = 600 * kMB;
    volumes.Add(MakeVolume("/"), reserved);
    const DiskRows rows = SurveyDrives(grid, volumes, settings, Columns(), memory, sink);
    EXPECT_EQ(RowTexts(grid, 1),
              QStringList({"/", "", "ext4", "550.0", "450.0", "45", "1,000.0", "4,096", ".0"}));
    EXPECT_EQ(RowTexts(grid, 2),
              QStringList({"", kTotalsLabel, "", "550.0", "450.0", "45", "1,000.0", "", ".0"}));
    ASSERT_EQ(rows.volumes.size(), 1u);
    EXPECT_EQ(rows.volumes[0].figures->usedMB, 450);
    EXPECT_EQ(rows.totals.availMB, 550);

    volumes.ReportOf("/")->freeBytes -= 10 * kMB;  // the reserve shrank, nothing was written
    Survey();
    EXPECT_EQ(Column(kChangedCol), QStringList({".0", ".0"}));
    volumes.ReportOf("/")->availBytes -= 10 * kMB;
    Survey();
    EXPECT_EQ(Column(kChangedCol), QStringList({"10.0", "10.0"}));
}

TEST_F(DriveSurvey, AVolumeThatCouldNotBeSurveyedKeepsItsRowWithAMarkAndItsReason) {
    volumes.Add(MakeVolume("/"), SpaceReport(kMB, 0));
    VolumeReport locked;
    locked.fault = "Permission denied";
    volumes.Add(MakeVolume("/home/locked/disk"), locked);
    const DiskRows rows = SurveyDrives(grid, volumes, settings, Columns(), memory, sink);
    EXPECT_EQ(Column(kDriveCol), QStringList({"/", "/home/locked/disk", ""}));
    EXPECT_EQ(RowTexts(grid, 2),
              QStringList({"/home/locked/disk", "", "ext4", "", "", "", "", "", ""}));
    EXPECT_EQ(grid.RowNote(2), "/home/locked/disk could not be surveyed: Permission denied");
    EXPECT_EQ(grid.RowNote(1), "");
    EXPECT_EQ(RowTexts(grid, 3),
              QStringList({"", kTotalsLabel, "", ".0", "1.0", "100", "1.0", "", ".0"}));
    EXPECT_FALSE(rows.volumes[1].figures.has_value());
}

TEST_F(DriveSurvey, NoVolumeLeavesHeadingAndTotals) {
    Survey();
    EXPECT_EQ(memory.HaveCnt, 2);
    EXPECT_EQ(RowTexts(grid, 1),
              QStringList({"", kTotalsLabel, "", ".0", ".0", "", ".0", "", ".0"}));
}

// Per Day and Full In come after Changed and before the network map, blank without a forecast;
// without them the table is the one it always was.
TEST_F(DriveSurvey, ForecastColumnsComeBetweenChangedAndTheNetworkMap) {
    volumes.Add(MakeVolume("/"), SpaceReport(1000 * kMB, 600 * kMB));
    VolumeReport share = SpaceReport(kMB, 0);
    share.networkName = "srv:/x";
    volumes.Add(MakeVolume("/n", DriveKind::Network, "nfs4"), share);
    settings.CheckNetwork = true;
    DiskRows rows = SurveyVolumes(volumes, settings, memory);
    rows.volumes[0].forecast.emplace().growthBytesPerDay = 1.5 * kMB;
    rows.volumes[0].forecast->daysUntilFull = 23.5;
    rows.totalsForecast.emplace().growthBytesPerDay = -2 * kMB;
    const DiskColumns all{.perDay = true, .fullIn = true, .networkMap = true};
    FillDiskGrid(grid, rows, all, memory);
    const auto trendCells = [&](int row) { return RowTexts(grid, row).mid(kChangedCol); };
    EXPECT_EQ(trendCells(0), QStringList({"Changed", "Per Day", "Full In", "Network MAP"}));
    EXPECT_EQ(trendCells(1), QStringList({".0", "1.5", "23 days", ""}));
    EXPECT_EQ(trendCells(2), QStringList({".0", "", "", "srv:/x"}));
    EXPECT_EQ(trendCells(3), QStringList({".0", "-2.0", "", ""}));
    EXPECT_EQ(grid.ColAlignment(all.FullInCol()), CellAlign::Right);
    EXPECT_EQ(grid.ColWidth(all.FullInCol()), 10 * charsize);
    EXPECT_EQ(memory.MaxMapCol, 11);

    CellGrid plain;
    FillDiskGrid(plain, rows, Columns(), memory);
    FillDiskGrid(grid, rows, Columns(), memory);
    EXPECT_EQ(grid.Cols(), 10);
    for (int row = 0; row < grid.Rows(); ++row)
        EXPECT_EQ(RowTexts(grid, row), RowTexts(plain, row));
    EXPECT_EQ(DiskWindowGeometry(grid).windowWidth, DiskWindowGeometry(plain).windowWidth);
}

TEST(DiskTable, AWindowTallerOrWiderThanTheScreenShrinksItsGridToFit) {
    CellGrid grid;
    SetupDiskGrid(grid, {});
    grid.SetRows(200);
    const DiskGeometry full = DiskWindowGeometry(grid);
    const DiskGeometry fitted = FitDiskGeometry(full, 6000, 12000);
    EXPECT_EQ(fitted.windowHeight, 12000);
    EXPECT_EQ(fitted.windowWidth, 6000);
    EXPECT_EQ(fitted.gridHeight, full.gridHeight - (full.windowHeight - 12000));
    EXPECT_EQ(fitted.gridWidth, 6000 - 600);
    EXPECT_EQ(fitted.buttonTop, fitted.gridTop + fitted.gridHeight + 150);
    EXPECT_EQ(fitted.buttonLeft, (6000 - fitted.buttonWidth) / 2);
    EXPECT_EQ(fitted.lineX2, 6000);

    const DiskGeometry roomy = FitDiskGeometry(full, 100000, 100000);
    EXPECT_EQ(std::tie(roomy.windowWidth, roomy.windowHeight, roomy.gridHeight),
              std::tie(full.windowWidth, full.windowHeight, full.gridHeight));
    const DiskGeometry tiny = FitDiskGeometry(full, 10, 10);
    EXPECT_GT(tiny.gridHeight, 0);
    EXPECT_GT(tiny.gridWidth, 0);
}

TEST(DiskTable, SetUpWidthsGiveRuleAAndRuleB) {
    CellGrid grid;
    EXPECT_EQ(SetupDiskGrid(grid, {}), 0);
    EXPECT_EQ(DiskWindowGeometry(grid).windowWidth, 9260);
    EXPECT_EQ(SetupDiskGrid(grid, {.networkMap = true}), 11);
    grid.SetRows(4);
    const DiskGeometry geometry = DiskWindowGeometry(grid);
    EXPECT_EQ(geometry.gridWidth, 10090);
    EXPECT_EQ(geometry.windowWidth, 10690);
    EXPECT_EQ(geometry.lineX2, 10690);
    EXPECT_EQ(geometry.gridHeight, 4 * 240 + 80);
    EXPECT_EQ(geometry.buttonTop, 240 + geometry.gridHeight + 150);
    EXPECT_EQ(geometry.windowHeight, geometry.buttonTop + 1200);
    EXPECT_EQ(geometry.buttonLeft, (10690 - 1335) / 2);
}

// This machine's volumes, whatever they are: listed in order, once each, ending in totals.
TEST(SystemVolumes, SurveyOfThisMachine) {
    const std::unique_ptr<VolumeSource> source = MakeSystemVolumeSource();
    std::set<QByteArray> points;
    for (const Volume& volume : source->ListVolumes()) {
        EXPECT_TRUE(points.empty() || *points.rbegin() < volume.mountPoint);
        EXPECT_NE(volume.kind, DriveKind::Other);
        points.insert(volume.mountPoint);
    }
    Settings everything;
    everything.CheckFloppy = everything.CheckRemovable = true;
    everything.CheckNetwork = everything.CheckCDROM = true;
    CellGrid grid;
    SurveyMemory memory;
    SurveyDrives(grid, *source, everything, WindowColumns(everything), memory, {});
    EXPECT_LE(grid.Rows(), static_cast<int>(points.size()) + 2);
    EXPECT_EQ(grid.TextMatrix(grid.Rows() - 1, kLabelCol), kTotalsLabel);
}

}  // namespace
