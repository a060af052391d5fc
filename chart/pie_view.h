#pragma once
// The drawing of a pie, kept apart from the chart window so that another renderer can take
// the place of Qt Charts.

#include <QWidget>

#include "chart/pie_model.h"

class PieView : public QWidget {
    Q_OBJECT
  public:
    using QWidget::QWidget;

    // Draws Pie: its label, one wedge per entry and a legend entry per wedge that is not empty.
    virtual void ShowPie(const PieModel& pie) = 0;
    // The height in pixels the legend asks for to list every entry.
    virtual int PreferredLegendHeight() const = 0;
    // Places the pie and the legend inside the view, in pixels.
    virtual void Arrange(const QRect& plot, const QRect& legend) = 0;

  signals:
    // The user clicked wedge Index (counted from 0) or its legend entry.
    void WedgeClicked(int index);
};

// The renderer of the programs: a QPieSeries in a QChartView.
PieView* MakePieView(QWidget* parent);
