#include "chart/frm_chart.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QChartView>
#include <QLegendMarker>
#include <QPieSeries>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "chart/pie_view.h"
#include "drives/disk_charts.h"
#include "tests/support/disk_window.h"
#include "tests/support/modal.h"
#include "tests/support/qt_print.h"
#include "tests/support/summary_window.h"
#include "tests/support/temp_tree.h"
#include "ui/app_context.h"

namespace {

// Three drives, the last of unknown space, and their totals.
DiskRows ThreeDrives() {
    DiskRows rows;
    const QByteArrayList drives = {"/", "/home", "/srv"};
    for (const QByteArray& drive : drives)
        rows.volumes.push_back({MakeVolume(drive), {}, std::nullopt, std::nullopt});
    rows.volumes[0].figures = SpaceFigures{1177.4, 10, 1187.4, 0, 1};
    rows.volumes[1].figures = SpaceFigures{20, 0, 20, 0, 0};
    rows.totals = SpaceFigures{1197.4, 10, 1207.4, 0, 1};
    return rows;
}

QPieSeries* SeriesOf(frmChart& chart) {
    auto* view = chart.findChild<QChartView*>();
    if (!view || view->chart()->series().isEmpty()) return nullptr;
    return qobject_cast<QPieSeries*>(view->chart()->series().first());
}

QString ChartTip(frmChart& chart) {
    return chart.findChild<PieView*>("MSChart1")->toolTip();
}

class ChartWindow : public ::testing::Test {
  protected:
    DiskRows rows = ThreeDrives();
    PieModel avail = DiskColumnPie(rows, kAvailCol, "host");
};

TEST_F(ChartWindow, DrawsTheTableAsTallAsTheWorkArea) {
    frmChart chart(avail);
    chart.show();
    EXPECT_EQ(chart.windowTitle(), "Quorvane32 -  Available Space");
    EXPECT_EQ(ChartTip(chart), kChartHint);
    QPieSeries* series = SeriesOf(chart);
    ASSERT_NE(series, nullptr);
    ASSERT_EQ(series->count(), 3);
    EXPECT_EQ(series->slices()[0]->label(), "/ (1,177.4 MB)");
    EXPECT_DOUBLE_EQ(series->slices()[0]->value(), 1177.4);
    EXPECT_EQ(series->slices()[2]->label(), "/srv (0 MB)");
    EXPECT_EQ(chart.findChild<QChartView*>()->chart()->title(), "host Disk Usage");

    const QRect area = chart.screen()->availableGeometry();
    EXPECT_EQ(chart.frameGeometry().height(), area.height());
    EXPECT_EQ(chart.frameGeometry().top(), area.top());
    auto* close = chart.findChild<QPushButton*>("cmdClose");
    EXPECT_EQ(close->text(), "&Close");
    EXPECT_LE(std::abs(close->geometry().center().x() - chart.width() / 2), 1);
    EXPECT_LT(chart.findChild<PieView*>("MSChart1")->geometry().bottom(), close->y());
}

TEST_F(ChartWindow, AClickedWedgeOrLegendEntryBecomesTheTooltip) {
    frmChart chart(avail);
    chart.show();
    QPieSeries* series = SeriesOf(chart);
    ASSERT_NE(series, nullptr);
    emit series->slices()[1]->clicked();
    EXPECT_EQ(ChartTip(chart), "/home (20.0 MB)");
    const QList<QLegendMarker*> markers =
        chart.findChild<QChartView*>()->chart()->legend()->markers(series);
    ASSERT_EQ(markers.size(), 3);
    emit markers[0]->clicked();
    EXPECT_EQ(ChartTip(chart), "/ (1,177.4 MB)");
}

// The pie's diameter in pixels as the chart draws it.
double PieDiameter(frmChart& chart) {
    QCoreApplication::sendPostedEvents();  // the chart lays itself out in posted events
    QCoreApplication::processEvents();
    const QRectF plot = chart.findChild<QChartView*>()->chart()->plotArea();
    return std::min(plot.width(), plot.height()) * SeriesOf(chart)->pieSize();
}

TEST_F(ChartWindow, ThePieGrowsWithItsWindowAndTheLegendKeepsToItsEntries) {
    frmChart chart(avail);
    chart.show();
    chart.resize(640, 400);
    const double small = PieDiameter(chart);
    chart.resize(640, 580);
    const double large = PieDiameter(chart);
    EXPECT_GE(large - small, 120) << small << " then " << large;
    const QRectF plot = chart.findChild<QChartView*>()->chart()->plotArea();
    EXPECT_GE(plot.height(), chart.height() / 2);
}

// The third drive shows no size: its wedge takes no room, and its colour and legend entry
// would only crowd the others.
TEST_F(ChartWindow, EmptyWedgesLeaveTheLegendAndNeighboursDifferInColour) {
    frmChart chart(avail);
    chart.show();
    QPieSeries* series = SeriesOf(chart);
    ASSERT_NE(series, nullptr);
    const QList<QLegendMarker*> markers =
        chart.findChild<QChartView*>()->chart()->legend()->markers(series);
    ASSERT_EQ(markers.size(), 3);
    EXPECT_TRUE(markers[0]->isVisible());
    EXPECT_TRUE(markers[1]->isVisible());
    EXPECT_FALSE(markers[2]->isVisible());
    const QColor first = series->slices()[0]->color();
    const QColor second = series->slices()[1]->color();
    const int apart = std::abs(first.hsvHue() - second.hsvHue());
    EXPECT_GE(std::min(apart, 360 - apart), 60);
}

TEST_F(ChartWindow, ATableWithoutDataRowsGivesAnEmptyPie) {
    frmChart chart(DirectoriesPie({}, "KB", "host"));
    chart.show();
    EXPECT_EQ(chart.windowTitle(), "Tallmere32 Pie Chart");
    ASSERT_NE(SeriesOf(chart), nullptr);
    EXPECT_EQ(SeriesOf(chart)->count(), 0);
    frmChart heading(SelectedDiskPie(rows, 0, "host"));
    EXPECT_EQ(SeriesOf(heading)->count(), 0);
    frmChart totals(SelectedDiskPie(rows, 4, "host"));  // all used and available space
    EXPECT_EQ(SeriesOf(totals)->count(), 2);
}

// What a chart request showed: its caption and wedge labels.
struct Shown {
    QString caption;
    QStringList labels;
};

Shown ChartOf(frmChart& chart) {
    Shown shown{chart.windowTitle(), {}};
    for (const PieWedge& wedge : chart.Pie().wedges)
        shown.labels << wedge.label;
    chart.findChild<QPushButton*>("cmdClose")->click();
    return shown;
}

// Runs Request and returns the chart it showed.
Shown ChartShownBy(const std::function<void()>& request) {
    Shown shown;
    OnModal<frmChart>([&](frmChart& chart) { shown = ChartOf(chart); });
    request();
    return shown;
}

class DiskWindowCharts : public ::testing::Test {
  protected:
    DiskWindowCharts() { disk.window.Open(); }
    Shown Choose(const char* item) {
        return ChartShownBy([&] { disk.window.findChild<QAction*>(item)->trigger(); });
    }

    DiskWindow disk;
};

TEST_F(DiskWindowCharts, EachColumnChartShowsItsColumnForEveryDrive) {
    const Shown avail = Choose("mnuChartAvailable");
    EXPECT_EQ(avail.caption, "Quorvane32 -  Available Space");
    EXPECT_EQ(avail.labels, QStringList({"/ (40.0 MB)", "/home (150.0 MB)"}));
    EXPECT_EQ(Choose("mnuChartUsed").labels, QStringList({"/ (60.0 MB)", "/home (50.0 MB)"}));
    EXPECT_EQ(Choose("mnuChartTotal").labels, QStringList({"/ (100.0 MB)", "/home (200.0 MB)"}));
}

TEST_F(DiskWindowCharts, SelectionChartsTheSelectedDrive) {
    auto* grid = disk.window.findChild<FlexGrid*>("flxDisks");
    grid->selectRow(1);  // the second drive row, /home
    const Shown selected = Choose("mnuSelection");
    EXPECT_EQ(selected.caption, "Quorvane32 - Selected Disk");
    EXPECT_EQ(selected.labels, QStringList({"Used MB = 50.0", "Available MB = 150.0"}));
}

TEST_F(DiskWindowCharts, CtrlAChartsTheAvailableSpace) {
    disk.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&disk.window));
    const Shown shown = ChartShownBy([&] {
        QTest::keyClick(disk.window.findChild<FlexGrid*>("flxDisks"), Qt::Key_A,
                        Qt::ControlModifier);
    });
    EXPECT_EQ(shown.caption, "Quorvane32 -  Available Space");
}

TEST(SummaryChart, ChartsEveryDirectoryOfTheTableInItsUnit) {
    TempTree tree;
    tree.File("big/a", 3000);
    tree.File("small/a", 10);
    SummaryWindow summary(StartOn(tree.Path(), {"-d3"}));
    summary.store.exists = true;
    summary.store.values = {{"Display", "Bytes"}};
    ASSERT_NO_FATAL_FAILURE(summary.Load());
    const Shown shown = ChartShownBy([&] { summary.Trigger("mnuChart"); });
    EXPECT_EQ(shown.caption, "Tallmere32 Pie Chart");
    ASSERT_EQ(shown.labels.size(), 3);
    EXPECT_TRUE(shown.labels[0].endsWith("big (3,000 Bytes)")) << shown.labels[0].toStdString();
    EXPECT_TRUE(shown.labels[2].endsWith(" (0 Bytes)")) << shown.labels[2].toStdString();
}

}  // namespace
