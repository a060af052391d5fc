#include "chart/pie_model.h"

#include <gtest/gtest.h>

#include "chart/chart_layout.h"
#include "chart/wedge_colors.h"
#include "drives/disk_charts.h"
#include "tests/support/fake_system.h"
#include "tests/support/qt_print.h"

namespace {

QStringList Labels(const PieModel& pie) {
    QStringList labels;
    for (const PieWedge& wedge : pie.wedges)
        labels << wedge.label;
    return labels;
}

std::vector<double> Values(const PieModel& pie) {
    std::vector<double> values;
    for (const PieWedge& wedge : pie.wedges)
        values.push_back(wedge.value);
    return values;
}

// Three drives: "/" with figures, "/home" of unknown space, "/srv" shrunk since the last look.
DiskRows Disks() {
    DiskRows rows;
    for (const char* drive : {"/", "/home", "/srv"})
        rows.volumes.push_back({MakeVolume(drive), {}, std::nullopt, std::nullopt});
    rows.volumes[0].figures = SpaceFigures{1177.4, 822.6, 2000, 0, 41};
    rows.volumes[2].figures = SpaceFigures{0, -3.5, 3.5, 0, 100};
    rows.totals = SpaceFigures{9999, 819.1, 2003.5, 0, 41};
    return rows;
}

TEST(PieModel, SummaryChartsEveryDirectoryInTheUnitWordShown) {
    const PieModel pie =
        DirectoriesPie({{"/data/a", "1,177", 1177}, {"/data/b", "", 0}}, "kb", "host");
    EXPECT_EQ(pie.caption, "Tallmere32 Pie Chart");
    EXPECT_EQ(pie.pieLabel, "host Disk Usage");
    EXPECT_EQ(Labels(pie), QStringList({"/data/a (1,177 kb)", "/data/b (0 kb)"}));
    EXPECT_EQ(Values(pie), (std::vector<double>{1177, 0}));
    EXPECT_TRUE(DirectoriesPie({}, "MB", "host").wedges.empty());
}

TEST(PieModel, DiskColumnsChartEveryDriveButNeverTheTotals) {
    const DiskRows rows = Disks();
    const PieModel avail = DiskColumnPie(rows, kAvailCol, "host");
    EXPECT_EQ(avail.caption, "Quorvane32 -  Available Space");
    EXPECT_EQ(avail.pieLabel, "host Disk Usage");
    EXPECT_EQ(Labels(avail), QStringList({"/ (1,177.4 MB)", "/home (0 MB)", "/srv (.0 MB)"}));
    EXPECT_EQ(Values(avail), (std::vector<double>{1177.4, 0, 0}));

    const PieModel used = DiskColumnPie(rows, kUsedCol, "host");
    EXPECT_EQ(used.caption, "Quorvane32 -  Used Space");
    EXPECT_EQ(Labels(used)[1], "/home (0 MB)");
    EXPECT_EQ(Values(used), (std::vector<double>{822.6, 0, -3.5}));

    const PieModel total = DiskColumnPie(rows, kTotalCol, "host");
    EXPECT_EQ(total.caption, "Quorvane32 -  Total Space");
    EXPECT_EQ(Values(total), (std::vector<double>{2000, 0, 3.5}));
    EXPECT_TRUE(DiskColumnPie(DiskRows{}, kAvailCol, "host").wedges.empty());
}

TEST(PieModel, SelectedDiskShowsUsedSpaceFirst) {
    const DiskRows rows = Disks();
    const PieModel pie = SelectedDiskPie(rows, 1, "host");
    EXPECT_EQ(pie.caption, "Quorvane32 - Selected Disk");
    EXPECT_EQ(pie.pieLabel, "host - / Disk Usage");
    EXPECT_EQ(Labels(pie), QStringList({"Used MB = 822.6", "Available MB = 1,177.4"}));
    EXPECT_EQ(Values(pie), (std::vector<double>{822.6, 1177.4}));
    EXPECT_EQ(Labels(SelectedDiskPie(rows, 2, "host")),
              QStringList({"Used MB = 0", "Available MB = 0"}));
}

TEST(PieModel, NoDriveRowGivesAnEmptyPieWithItsLabels) {
    const DiskRows rows = Disks();
    for (int row : {0, 5, 99, -1}) {
        const PieModel pie = SelectedDiskPie(rows, row, "host");
        EXPECT_TRUE(pie.wedges.empty()) << row;
        EXPECT_EQ(pie.pieLabel, "host -  Disk Usage") << row;
    }
}

TEST(PieModel, TheTotalsRowSelectedChartsAllUsedAndAvailableSpace) {
    const PieModel pie = SelectedDiskPie(Disks(), 4, "host");
    EXPECT_EQ(pie.pieLabel, "host -  Disk Usage");
    EXPECT_EQ(Labels(pie), QStringList({"Used MB = 819.1", "Available MB = 9,999.0"}));
    EXPECT_EQ(Values(pie), (std::vector<double>{819.1, 9999}));
}

TEST(ChartLayout, TheLegendTakesWhatItNeedsUpToHalfAndThePieTheRest) {
    const ChartLayout layout = ChartLayoutFor(QSize(9600, 16200), QSize(1215, 375), 3000);
    EXPECT_EQ(layout.chart, QRect(350, 240, 8900, 14700));
    EXPECT_EQ(layout.plot, QRect(0, 0, 8900, 11700));
    EXPECT_EQ(layout.legend, QRect(0, 11700, 8900, 3000));
    EXPECT_EQ(layout.button, QPoint(4192, 15200));
    EXPECT_LE(layout.chart.bottom(), layout.button.y());

    const ChartLayout taller = ChartLayoutFor(QSize(9600, 24200), QSize(1215, 375), 3000);
    EXPECT_EQ(taller.plot.height(), 19700) << "the pie grows with the window";
    const ChartLayout crowded = ChartLayoutFor(QSize(9600, 16200), QSize(1215, 375), 90000);
    EXPECT_EQ(crowded.legend, QRect(0, 7350, 8900, 7350));
    EXPECT_EQ(crowded.plot, QRect(0, 0, 8900, 7350));

    const ChartLayout tiny = ChartLayoutFor(QSize(500, 900), QSize(1215, 375), 3000);
    EXPECT_TRUE(tiny.chart.isEmpty());
    EXPECT_GE(tiny.plot.height(), 0);
    EXPECT_GE(tiny.legend.height(), 0);
    EXPECT_GE(tiny.button.y(), 0);
}

// Hue distance round the colour wheel, 0 to 180 degrees.
int HueDistance(const QColor& a, const QColor& b) {
    const int apart = std::abs(a.hsvHue() - b.hsvHue()) % 360;
    return std::min(apart, 360 - apart);
}

TEST(WedgeColors, NeighboursRoundThePieStandFarApart) {
    EXPECT_TRUE(WedgeColors(0).empty());
    EXPECT_EQ(WedgeColors(1).size(), 1u);
    EXPECT_EQ(HueDistance(WedgeColors(2)[0], WedgeColors(2)[1]), 180);
    for (int count = 3; count <= 80; ++count) {
        const std::vector<QColor> colors = WedgeColors(count);
        ASSERT_EQ(static_cast<int>(colors.size()), count);
        for (int i = 0; i < count; ++i) {
            const QColor& next = colors[(i + 1) % count];  // the last one's neighbour is the first
            EXPECT_GE(HueDistance(colors[i], next), 60) << count << " wedges, at " << i;
            EXPECT_NE(colors[i].value(), next.value()) << count << " wedges, at " << i;
        }
    }
}

}  // namespace
