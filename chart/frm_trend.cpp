#include "chart/frm_trend.h"

#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

namespace {

constexpr double kGigabyte = 1024.0 * 1024 * 1024;

// A line of Points in gigabytes against milliseconds since 1970, as the date axis counts.
QLineSeries* Line(const QString& name, const std::vector<TrendPoint>& points) {
    auto* line = new QLineSeries;
    line->setName(name);
    for (const TrendPoint& point : points)
        line->append(static_cast<double>(point.time) * 1000, point.bytes / kGigabyte);
    return line;
}

QChart* TrendChart(const TrendModel& trend) {
    auto* chart = new QChart;
    auto* dates = new QDateTimeAxis;
    dates->setFormat(QStringLiteral("d MMM yyyy"));
    dates->setTitleText(QStringLiteral("Date"));
    auto* space = new QValueAxis;
    space->setTitleText(QStringLiteral("GB"));
    space->setLabelFormat(QStringLiteral("%.1f"));
    chart->addAxis(dates, Qt::AlignBottom);
    chart->addAxis(space, Qt::AlignLeft);
    QLineSeries* fitted = Line(QStringLiteral("Forecast"), trend.fitted);
    QPen dashed = fitted->pen();
    dashed.setStyle(Qt::DashLine);
    fitted->setPen(dashed);
    for (QLineSeries* line : {Line(QStringLiteral("Used"), trend.used), fitted,
                              Line(QStringLiteral("Size"), trend.size)}) {
        chart->addSeries(line);
        line->attachAxis(dates);
        line->attachAxis(space);
    }
    space->setMin(0);
    return chart;
}

}  // namespace

frmTrend::frmTrend(const TrendModel& trend, QWidget* parent) : QDialog(parent) {
    setWindowTitle(trend.caption);
    CreateControls(trend);
    resize(800, 560);
}

void frmTrend::CreateControls(const TrendModel& trend) {
    chtTrend = new QChartView(TrendChart(trend), this);
    chtTrend->setObjectName(QStringLiteral("chtTrend"));
    chtTrend->setRenderHint(QPainter::Antialiasing);
    lblForecast = new QLabel(trend.forecast, this);
    lblForecast->setObjectName(QStringLiteral("lblForecast"));
    lblForecast->setWordWrap(true);
    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    connect(cmdClose, &QPushButton::clicked, this, &frmTrend::cmdClose_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblForecast, 1);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chtTrend, 1);
    layout->addLayout(buttons);
}

void frmTrend::cmdClose_Click() {
    accept();
}
