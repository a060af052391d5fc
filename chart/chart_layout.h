#pragma once
// Where the chart window puts its pie, legend and Close button, in twips. The legend sits below
// the pie and takes the height its entries ask for, up to half the chart; the pie takes the
// rest, so it grows with the window.

#include <QPoint>
#include <QRect>
#include <QSize>

struct ChartLayout {
    QRect chart;    // the chart within the window
    QRect plot;     // the pie within the chart
    QRect legend;   // the legend within the chart
    QPoint button;  // top-left corner of the Close button within the window
};

// The layout of a window of Window's inside size with a Close button of Button's size and a
// legend that asks for LegendHeight. A window smaller than the margins gives empty
// rectangles, never negative ones.
ChartLayout ChartLayoutFor(const QSize& window, const QSize& button, int legendHeight);
