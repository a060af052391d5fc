#include "chart/pie_model.h"

#include <gtest/gtest.h>

#include "chart/chart_layout.h"
#include "chart/wedge_colors.h"
#include "tests/support/qt_print.h"

namespace {

// A table as the windows show it: a heading row, the given rows, then a totals row.
CellGrid Table(std::initializer_list<QStringList> rows, int cols) {
    CellGrid grid(1, cols);
    for (const QStringList& cells : rows) {
        grid.SetRows(grid.Rows() + 1);
        for (int col = 0; col < cells.size(); ++col)
            grid.SetTextMatrix(grid.Rows() - 1, col, cells[col]);
    }
    grid.SetRows(grid.Rows() + 1);
    grid.SetTextMatrix(grid.Rows() - 1, 0, "Total");
    grid.SetTextMatrix(grid.Rows() - 1, 2, "9,999");
    grid.SetTextMatrix(grid.Rows() - 1, 3, "9,999.0");
    return grid;
}

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

// Drive rows: drive, label, type, avail, used, percent, total.
CellGrid Disks() {
    return Table({{"/", "system", "ext4", "1,177.4", "822.6", "41", "2,000.0"},
                  {"/home", "", "xfs", "", " ", "", "5.0"},
                  {"/srv", "", "btrfs", ".0", "-3.5", "100", "3.5"}},
                 9);
}

TEST(PieModel, SummaryChartsEveryDirectoryInTheUnitWordShown) {
    const CellGrid grid = Table({{"/data/a", "3", "1,177", "0"}, {"/data/b", "1", "", "0"}}, 4);
    const PieModel pie = BuildPie(grid, kChartDirectories, 0, "kb", "host");
    EXPECT_EQ(pie.caption, "Tallmere32 Pie Chart");
    EXPECT_EQ(pie.pieLabel, "host Disk Usage");
    EXPECT_EQ(Labels(pie), QStringList({"/data/a (1,177 kb)", "/data/b (0 kb)"}));
    EXPECT_EQ(Values(pie), (std::vector<double>{1177, 0}));
}

TEST(PieModel, DiskColumnsChartEveryDriveButNeverTheTotals) {
    const CellGrid grid = Disks();
    const PieModel avail = BuildPie(grid, kChartDiskColumn, 3, "Bytes", "host");
    EXPECT_EQ(avail.caption, "Quorvane32 -  Available Space");
    EXPECT_EQ(avail.pieLabel, "host Disk Usage");
    EXPECT_EQ(Labels(avail), QStringList({"/ (1,177.4 MB)", "/home (0 MB)", "/srv (.0 MB)"}));
    EXPECT_EQ(Values(avail), (std::vector<double>{1177.4, 0, 0}));

    const PieModel used = BuildPie(grid, kChartDiskColumn, 4, "Bytes", "host");
    EXPECT_EQ(used.caption, "Quorvane32 -  Used Space");
    EXPECT_EQ(Labels(used)[1], "/home (0 MB)");
    EXPECT_EQ(Values(used), (std::vector<double>{822.6, 0, -3.5}));

    const PieModel total = BuildPie(grid, kChartDiskColumn, 6, "Bytes", "host");
    EXPECT_EQ(total.caption, "Quorvane32 -  Total Space");
    EXPECT_EQ(Values(total), (std::vector<double>{2000, 5, 3.5}));
}

TEST(PieModel, SelectedDiskShowsUsedSpaceFirst) {
    CellGrid grid = Disks();
    grid.SetRowSel(1);
    const PieModel pie = BuildPie(grid, kChartSelectedDisk, 6, "KB", "host");
    EXPECT_EQ(pie.caption, "Quorvane32 - Selected Disk");
    EXPECT_EQ(pie.pieLabel, "host - / Disk Usage");
    EXPECT_EQ(Labels(pie), QStringList({"Used MB = 822.6", "Available MB = 1,177.4"}));
    EXPECT_EQ(Values(pie), (std::vector<double>{822.6, 1177.4}));
    grid.SetRowSel(2);
    EXPECT_EQ(Labels(BuildPie(grid, kChartSelectedDisk, 0, "", "host")),
              QStringList({"Used MB = 0", "Available MB = 0"}));
}

TEST(PieModel, NoDataRowGivesAnEmptyPieWithItsLabels) {
    const CellGrid empty = Table({}, 11);
    const PieModel summary = BuildPie(empty, kChartDirectories, 0, "MB", "host");
    EXPECT_TRUE(summary.wedges.empty());
    EXPECT_EQ(summary.pieLabel, "host Disk Usage");
    EXPECT_TRUE(BuildPie(CellGrid(0, 0), kChartDiskColumn, 3, "", "host").wedges.empty());

    CellGrid grid = Disks();
    for (int row : {0, grid.Rows() + 5}) {
        grid.SetRowSel(row);
        const PieModel pie = BuildPie(grid, kChartSelectedDisk, 0, "", "host");
        EXPECT_TRUE(pie.wedges.empty()) << row;
        EXPECT_EQ(pie.pieLabel, "host -  Disk Usage") << row;
    }
}

TEST(PieModel, TheTotalsRowSelectedChartsAllUsedAndAvailableSpace) {
    CellGrid grid = Disks();
    const int totals = grid.Rows() - 1;
    grid.SetTextMatrix(totals, 0, "");  // the totals row has no drive
    grid.SetTextMatrix(totals, 4, "819.1");
    grid.SetRowSel(totals);
    const PieModel pie = BuildPie(grid, kChartSelectedDisk, 0, "", "host");
    EXPECT_EQ(pie.pieLabel, "host -  Disk Usage");
    EXPECT_EQ(Labels(pie), QStringList({"Used MB = 819.1", "Available MB = 9,999.0"}));
    EXPECT_EQ(Values(pie), (std::vector<double>{819.1, 9999}));
}

TEST(PieModel, CellsReadAsGroupedNumbers) {
    EXPECT_DOUBLE_EQ(CellValue("1,177.4"), 1177.4);
    EXPECT_DOUBLE_EQ(CellValue("123,456,789,012"), 123456789012.0);
    EXPECT_DOUBLE_EQ(CellValue(".3"), 0.3);
    EXPECT_DOUBLE_EQ(CellValue("-1,024.5"), -1024.5);
    EXPECT_DOUBLE_EQ(CellValue(""), 0);
    EXPECT_DOUBLE_EQ(CellValue(" "), 0);
    EXPECT_DOUBLE_EQ(CellValue("n/a"), 0);
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
