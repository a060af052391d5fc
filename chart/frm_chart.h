#pragma once
// The chart window: a pie of the table that asked for it, drawn once when the window is
// made. Only its tooltip changes afterwards, to the label of the wedge last clicked.

#include <QDialog>

#include "chart/pie_model.h"

class PieView;
class QPushButton;

inline constexpr const char* kChartHint = "Click a Legend or Wedge for ToolTip Details";

class frmChart : public QDialog {
    Q_OBJECT
  public:
    // Charts Pie. The window is as tall as the screen's work area.
    explicit frmChart(PieModel pie, QWidget* parent = nullptr);

    const PieModel& Pie() const { return pie_; }

    void MSChart1_SeriesSelected(int series);
    void cmdClose_Click();

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void CreateControls();
    void FitToWorkArea();
    void Form_Resize();

    PieModel pie_;
    PieView* MSChart1 = nullptr;
    QPushButton* cmdClose = nullptr;
};
