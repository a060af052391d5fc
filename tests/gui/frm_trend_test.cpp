#include "chart/frm_trend.h"

#include <gtest/gtest.h>
#include <QChartView>
#include <QDateTimeAxis>
#include <QLabel>
#include <QLineSeries>

TEST(frmTrend, DrawsTheSurveysTheLineAndTheSizeOnADateAxis) {
    const qint64 day = 86400;
    const double gb = 1 << 30;
    TrendModel trend{QStringLiteral("Trend of /srv"),
                     {{10 * day, gb}, {11 * day, 2 * gb}, {12 * day, 3 * gb}},
                     {{10 * day, gb}, {14 * day, 5 * gb}},
                     {{10 * day, 5 * gb}, {14 * day, 5 * gb}},
                     QStringLiteral("Growing by 1.0 GB a day")};
    frmTrend window(trend);
    EXPECT_EQ(window.windowTitle(), "Trend of /srv");
    const auto* view = window.findChild<QChartView*>("chtTrend");
    ASSERT_TRUE(view);
    const QList<QAbstractSeries*> series = view->chart()->series();
    ASSERT_EQ(series.size(), 3);
    const auto* used = qobject_cast<QLineSeries*>(series[0]);
    ASSERT_TRUE(used);
    EXPECT_EQ(used->name(), "Used");
    ASSERT_EQ(used->count(), 3);
    EXPECT_EQ(used->at(2), QPointF(12 * day * 1000.0, 3.0));
    EXPECT_EQ(qobject_cast<QLineSeries*>(series[1])->at(1), QPointF(14 * day * 1000.0, 5.0));
    EXPECT_EQ(series[2]->name(), "Size");
    EXPECT_FALSE(view->chart()->axes(Qt::Horizontal, series[0]).isEmpty());
    EXPECT_TRUE(qobject_cast<QDateTimeAxis*>(view->chart()->axes(Qt::Horizontal).front()));
    EXPECT_EQ(window.findChild<QLabel*>("lblForecast")->text(), "Growing by 1.0 GB a day");
}
