#pragma once
// The trend window: a volume's used space over time on a date axis, the fitted line carried
// forward to the day it meets the volume's size, and the forecast in words under it.

#include <QDialog>

#include "chart/trend_model.h"

class QChartView;
class QLabel;
class QPushButton;

class frmTrend : public QDialog {
    Q_OBJECT
  public:
    explicit frmTrend(const TrendModel& trend, QWidget* parent = nullptr);

    void cmdClose_Click();

  private:
    void CreateControls(const TrendModel& trend);

    QChartView* chtTrend = nullptr;
    QLabel* lblForecast = nullptr;
    QPushButton* cmdClose = nullptr;
};
