#include "drives/drive_survey.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <set>

#include "drives/disk_table.h"
#include "tests/support/fakes.h"
#include "tests/support/qt_print.h"

namespace {

constexpr double kMB = 1048576.0;

class DriveSurvey : public ::testing::Test {
  protected:
    void Survey() { SurveyDrives(grid, volumes, settings, memory, sink); }
    QStringList Column(int col) const {
        QStringList texts;
        for (int row = 1; row < grid.Rows(); ++row)
            texts << grid.TextMatrix(row, col);
        return texts;
    }
    QString Cell(int row, int col) const { return grid.TextMatrix(row, col); }
    int TotalsRow() const { return grid.Rows() - 1; }

    FakeVolumeSource volumes;
    Settings settings;
    CellGrid grid;
    SurveyMemory memory;
    DiagnosticSink sink;
};

TEST_F(DriveSurvey, SettingsNarrowTheKindsListed) {
    Volume floppy = MakeVolume("/media/floppy", DriveKind::Removable, "vfat");
    floppy.floppy = true;
    volumes.Add(MakeVolume("/", DriveKind::Fixed), SpaceReport(100 * kMB, 50 * kMB));
    volumes.Add(MakeVolume("/media/cd", DriveKind::CdRom, "iso9660"), SpaceReport(kMB, 0));
    volumes.Add(floppy, SpaceReport(kMB, 0));
    volumes.Add(MakeVolume("/media/usb", DriveKind::Removable, "vfat"), SpaceReport(kMB, 0));
    volumes.Add(MakeVolume("/net/share", DriveKind::Network, "nfs4"), SpaceReport(kMB, 0));
    volumes.Add(MakeVolume("/run/ram", DriveKind::Other, "tmpfs"), SpaceReport(kMB, 0));

    Survey();
    EXPECT_EQ(Column(kDriveCol), QStringList({"/", ""}));

    const std::vector<std::pair<bool Settings::*, QString>> options = {
        {&Settings::CheckCDROM, "/media/cd"},
        {&Settings::CheckFloppy, "/media/floppy"},
        {&Settings::CheckRemovable, "/media/usb"},
        {&Settings::CheckNetwork, "/net/share"},
    };
    for (const auto& [flag, mountPoint] : options) {
        settings = Settings{};
        settings.*flag = true;
        Survey();
        EXPECT_EQ(Column(kDriveCol), QStringList({"/", mountPoint, ""}))
            << mountPoint.toStdString();
    }
}

TEST_F(DriveSurvey, NetworkColumnFollowsTheSetting) {
    volumes.Add(MakeVolume("/", DriveKind::Fixed), SpaceReport(kMB, 0));
    VolumeReport share = SpaceReport(kMB, 0);
    share.networkName = "fileserver.example.org:/export/home";
    volumes.Add(MakeVolume("/net", DriveKind::Network, "nfs4"), share);

    Survey();
    EXPECT_EQ(grid.Cols(), 9);
    EXPECT_EQ(Cell(0, 8), "Changed");

    settings.CheckNetwork = true;
    Survey();
    ASSERT_EQ(grid.Cols(), 10);
    EXPECT_EQ(Cell(0, kMapCol), "Network MAP");
    EXPECT_EQ(Column(kMapCol), QStringList({"", share.networkName, ""}));
    EXPECT_EQ(memory.MaxMapCol, share.networkName.size());
    EXPECT_EQ(grid.ColWidth(kMapCol), share.networkName.size() * charsize);
    EXPECT_EQ(DiskWindowGeometry(grid).windowWidth,
              10690 + (share.networkName.size() - 11) * charsize);
}

TEST_F(DriveSurvey, VolumesThatDoNotAnswerAreLeftOutSilently) {
    int diagnostics = 0;
    sink = [&](const QString&) { ++diagnostics; };
    volumes.Add(MakeVolume("/", DriveKind::Fixed), SpaceReport(kMB, 0));
    volumes.Add(MakeVolume("/net/dead", DriveKind::Fixed), std::nullopt);
    volumes.Add(MakeVolume("/srv", DriveKind::Fixed), SpaceReport(2 * kMB, kMB));

    Survey();
    EXPECT_EQ(Column(kDriveCol), QStringList({"/", "/srv", ""}));
    EXPECT_EQ(diagnostics, 2);
    EXPECT_EQ(memory.LastUsedMB.count("/net/dead"), 0u);
    EXPECT_EQ(memory.HaveCnt, 4);
}

TEST_F(DriveSurvey, ChangesAreZeroFirstThenMeasuredAgainstThePreviousSurvey) {
    volumes.Add(MakeVolume("/", DriveKind::Fixed), SpaceReport(1000 * kMB, 600 * kMB));
    Survey();
    EXPECT_FALSE(memory.FirstPass);
    EXPECT_EQ(Column(kChangedCol), QStringList({".0", ".0"}));
    EXPECT_EQ(Cell(1, kUsedCol), "400.0");

    volumes.ReportOf("/")->freeBytes -= 12.3 * kMB;
    volumes.Add(MakeVolume("/srv", DriveKind::Fixed), SpaceReport(50 * kMB, 20 * kMB));
    Survey();
    EXPECT_EQ(Column(kChangedCol), QStringList({"12.3", "30.0", "42.3"}));

    volumes.ReportOf("/")->freeBytes += 2 * kMB;
    Survey();
    EXPECT_EQ(Column(kChangedCol), QStringList({"-2.0", ".0", "-2.0"}));
}

TEST_F(DriveSurvey, FiguresAreShownWithTheMasks) {
    volumes.Add(MakeVolume("/", DriveKind::Fixed, "ext4"),
                SpaceReport(4000000000.0, 1234567890.0, "system"));
    Survey();
    EXPECT_EQ(RowTexts(grid, 1), QStringList({"/", "system", "ext4", "1,177.4", "2,637.3", "69",
                                              "3,814.7", "4,096", ".0"}));
    EXPECT_EQ(RowTexts(grid, 2),
              QStringList({"", kTotalsLabel, "", "1,177.4", "2,637.3", "69", "3,814.7", "", ".0"}));
}

TEST_F(DriveSurvey, UnknownFiguresStayEmpty) {
    volumes.Add(MakeVolume("/", DriveKind::Fixed), SpaceReport(100 * kMB, 43 * kMB));
    volumes.Add(MakeVolume("/empty", DriveKind::Fixed), SpaceReport(0, 0));
    VolumeReport noSpace;
    noSpace.label = "stale";
    volumes.Add(MakeVolume("/stale", DriveKind::Fixed, "cifs"), noSpace);

    Survey();
    EXPECT_EQ(Cell(1, kPercentCol), "57");
    EXPECT_EQ(Cell(2, kPercentCol), "");
    EXPECT_EQ(RowTexts(grid, 3), QStringList({"/stale", "stale", "cifs", "", "", "", "", "", ""}));
    EXPECT_EQ(Cell(TotalsRow(), kTotalCol), "100.0");
}

TEST_F(DriveSurvey, NoVolumeGivesHeadingAndTotalsOnly) {
    Survey();
    ASSERT_EQ(grid.Rows(), 2);
    EXPECT_EQ(RowTexts(grid, 1),
              QStringList({"", kTotalsLabel, "", ".0", ".0", "", ".0", "", ".0"}));
}

TEST_F(DriveSurvey, DriveColumnWidensToTheLongestMountPoint) {
    volumes.Add(MakeVolume("/", DriveKind::Fixed), SpaceReport(kMB, 0));
    Survey();
    EXPECT_EQ(grid.ColWidth(kDriveCol), 5 * charsize);

    volumes.Add(MakeVolume("/media/backup disk", DriveKind::Fixed), SpaceReport(kMB, 0));
    Survey();
    EXPECT_EQ(grid.ColWidth(kDriveCol), 18 * charsize);
    EXPECT_EQ(Cell(2, kDriveCol), "/media/backup disk");
}

TEST_F(DriveSurvey, DiagnosticNamesTheVolumeItsKindAndRawFigures) {
    QStringList shown;
    sink = [&](const QString& text) { shown << text; };
    VolumeReport report = SpaceReport(kMB, 0);
    report.rawFigures =
        ", FragmentSize : 4096, BlockSize : 4096, FreeBlocks : 0, TotalBlocks : 256";
    volumes.Add(MakeVolume("/", DriveKind::Fixed), report);
    Survey();
    EXPECT_EQ(shown, QStringList({"Drive : /, Type : 3" + report.rawFigures}));
}

// The machine's own volumes, whatever they are: the survey must list them in order, once each,
// and end with the totals row.
TEST(SystemVolumes, SurveyOfThisMachine) {
    const std::unique_ptr<VolumeSource> source = MakeSystemVolumeSource();
    const std::vector<Volume> volumes = source->ListVolumes();
    QByteArrayList points;
    for (const Volume& volume : volumes)
        points << volume.mountPoint;
    EXPECT_TRUE(std::is_sorted(points.begin(), points.end()));
    EXPECT_EQ(std::set<QByteArray>(points.begin(), points.end()).size(), volumes.size());
    for (const Volume& volume : volumes)
        EXPECT_NE(volume.kind, DriveKind::Other) << volume.mountPoint.toStdString();

    Settings everything;
    everything.CheckFloppy = everything.CheckRemovable = true;
    everything.CheckNetwork = everything.CheckCDROM = true;
    CellGrid grid;
    SurveyMemory memory;
    SurveyDrives(grid, *source, everything, memory, {});
    EXPECT_LE(grid.Rows(), static_cast<int>(volumes.size()) + 2);
    EXPECT_EQ(grid.TextMatrix(grid.Rows() - 1, 1), kTotalsLabel);
}

TEST(DiskTable, SetUpWidthsGiveRuleAAndRuleB) {
    CellGrid grid;
    EXPECT_EQ(SetupDiskGrid(grid, false), 0);
    DiskGeometry geometry = DiskWindowGeometry(grid);
    EXPECT_EQ(geometry.gridWidth, 8660);
    EXPECT_EQ(geometry.windowWidth, 9260);
    EXPECT_EQ(geometry.lineX2, 9260);

    EXPECT_EQ(SetupDiskGrid(grid, true), 11);
    grid.SetRows(4);
    geometry = DiskWindowGeometry(grid);
    EXPECT_EQ(geometry.gridWidth, 10090);
    EXPECT_EQ(geometry.windowWidth, 10690);
    EXPECT_EQ(geometry.gridHeight, 4 * 240 + 80);
    EXPECT_EQ(geometry.buttonTop, 240 + geometry.gridHeight + 150);
    EXPECT_EQ(geometry.windowHeight, geometry.buttonTop + 1200);
    EXPECT_EQ(geometry.buttonLeft, (10690 - 1335) / 2);
}

}  // namespace
