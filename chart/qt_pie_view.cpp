// The Qt Charts renderer of PieView.
#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QLegendMarker>
#include <QPieSeries>
#include <QVBoxLayout>

#include "chart/pie_view.h"

namespace {

// Neighbouring wedges get hues far apart (the golden angle), so even thin wedges side by side
// stay told apart; the theme's shades of one hue do not.
QColor WedgeColor(int index) {
    return QColor::fromHsv(index * 137 % 360, 140 + index * 47 % 80, 225 - index * 31 % 60);
}

class QtChartsPieView final : public PieView {
  public:
    explicit QtChartsPieView(QWidget* parent) : PieView(parent), view_(new QChartView(this)) {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view_);
        view_->setRenderHint(QPainter::Antialiasing);
        // The legend is placed by Arrange rather than by the chart's own layout.
        view_->chart()->legend()->detachFromChart();
        view_->chart()->legend()->setAlignment(Qt::AlignLeft);
        view_->chart()->legend()->setShowToolTips(true);
    }

    void ShowPie(const PieModel& pie) override {
        QChart* chart = view_->chart();
        auto* series = new QPieSeries(chart);
        for (const PieWedge& wedge : pie.wedges)
            series->append(wedge.label, wedge.value)->setColor(WedgeColor(series->count() - 1));
        chart->addSeries(series);
        chart->setTitle(pie.pieLabel);
        ReportClicks(series);
    }

    // Margins rather than a fixed plot area, so the chart still places the pie's label.
    void Arrange(const QRect& plot, const QRect& legend) override {
        view_->chart()->setMargins(QMargins(plot.left(), plot.top(), width() - plot.right() - 1,
                                            height() - plot.bottom() - 1));
        view_->chart()->legend()->setGeometry(legend);
        view_->chart()->legend()->update();
    }

  private:
    // A wedge and its legend entry both report the wedge's index.
    void ReportClicks(QPieSeries* series) {
        const QList<QPieSlice*> slices = series->slices();
        const QList<QLegendMarker*> markers = view_->chart()->legend()->markers(series);
        for (int index = 0; index < slices.size(); ++index) {
            const auto report = [this, index] { emit WedgeClicked(index); };
            connect(slices[index], &QPieSlice::clicked, this, report);
            if (index < markers.size())
                connect(markers[index], &QLegendMarker::clicked, this, report);
        }
    }

    QChartView* view_;
};

}  // namespace

PieView* MakePieView(QWidget* parent) {
    return new QtChartsPieView(parent);
}
