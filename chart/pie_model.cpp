#include "chart/pie_model.h"

QString ChartedText(const QString& shown) {
    return shown.isEmpty() || shown == u" " ? QStringLiteral("0") : shown;
}

QString DiskUsageLabel(const QString& computerName) {
    return computerName + QStringLiteral(" Disk Usage");
}

std::vector<PieWedge> RowWedges(const std::vector<PieFigure>& figures, const QString& unit) {
    std::vector<PieWedge> wedges;
    for (const PieFigure& figure : figures) {
        const QString label =
            figure.name + QStringLiteral(" (") + ChartedText(figure.shown) + u' ' + unit + u')';
        wedges.push_back({label, figure.value});
    }
    return wedges;
}

PieModel DirectoriesPie(const std::vector<PieFigure>& directories, const QString& unit,
                        const QString& computerName) {
    return {QStringLiteral("Tallmere32 Pie Chart"), DiskUsageLabel(computerName),
            RowWedges(directories, unit)};
}
