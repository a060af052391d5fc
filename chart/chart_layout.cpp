#include "chart/chart_layout.h"

#include <algorithm>

namespace {

constexpr int kChartLeft = 350;
constexpr int kChartTop = 240;
constexpr int kSideMargins = 700;  // left and right of the chart together
constexpr int kBelowChart = 1500;  // the chart's height is the window's less this
constexpr int kButtonFromBottom = 1000;

}  // namespace

ChartLayout ChartLayoutFor(const QSize& window, const QSize& button, int legendHeight) {
    const int width = std::max(window.width() - kSideMargins, 0);
    const int height = std::max(window.height() - kBelowChart, 0);
    const int pieHeight = height - std::clamp(legendHeight, 0, height / 2);
    ChartLayout layout;
    layout.chart = QRect(kChartLeft, kChartTop, width, height);
    layout.plot = QRect(0, 0, width, pieHeight);
    layout.legend = QRect(0, pieHeight, width, height - pieHeight);
    layout.button = QPoint((window.width() - button.width()) / 2,
                           std::max(window.height() - kButtonFromBottom, 0));
    return layout;
}
