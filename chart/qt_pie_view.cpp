// The Qt Charts renderer of PieView.
#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QLegendMarker>
#include <QPieSeries>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "chart/pie_view.h"
#include "chart/wedge_colors.h"

namespace {

constexpr double kPieSize = 0.9;  // of the plot's smaller side

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

    // Empty wedges take no room in the pie: they get no colour and no legend entry, so the
    // colours of the wedges that show stay far apart.
    void ShowPie(const PieModel& pie) override {
        QChart* chart = view_->chart();
        auto* series = new QPieSeries(chart);
        series->setPieSize(kPieSize);
        const auto shown = std::count_if(pie.wedges.begin(), pie.wedges.end(),
                                         [](const PieWedge& wedge) { return wedge.value > 0; });
        const std::vector<QColor> colors = WedgeColors(static_cast<int>(shown));
        std::size_t next = 0;
        for (const PieWedge& wedge : pie.wedges) {
            QPieSlice* slice = series->append(wedge.label, wedge.value);
            if (wedge.value > 0) slice->setColor(colors[next++]);
        }
        chart->addSeries(series);
        chart->setTitle(pie.pieLabel);
        const QList<QLegendMarker*> markers = chart->legend()->markers(series);
        for (int index = 0; index < markers.size(); ++index)
            markers[index]->setVisible(pie.wedges[index].value > 0);
        ReportClicks(series);
    }

    int PreferredLegendHeight() const override {
        QLegend* legend = view_->chart()->legend();
        return static_cast<int>(std::ceil(legend->effectiveSizeHint(Qt::PreferredSize).height()));
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
