#pragma once
// A volume's used space over time and where its fitted line leads: what the trend window
// draws, as numbers.

#include <QString>
#include <QtGlobal>
#include <vector>

struct TrendPoint {
    qint64 time = 0;  // Unix seconds, UTC
    double bytes = 0;
};

struct TrendModel {
    QString caption;                 // the window's title
    std::vector<TrendPoint> used;    // one per survey, in time order
    std::vector<TrendPoint> fitted;  // the fitted line, carried to the day it meets the size
    std::vector<TrendPoint> size;    // the volume's size, level over the whole span
    QString forecast;                // the forecast in words, under the chart
};
