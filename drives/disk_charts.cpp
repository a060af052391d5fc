#include "drives/disk_charts.h"

#include <QFile>

#include "table/number_mask.h"

namespace {

const QString kCaption = QStringLiteral("Quorvane32 - ");

// The figure of Column; none when the space is unknown.
std::optional<double> FigureOf(const std::optional<SpaceFigures>& figures, DiskColumn column) {
    if (!figures) return std::nullopt;
    switch (column) {
        case kAvailCol:
            return figures->availMB;
        case kUsedCol:
            return figures->usedMB;
        case kTotalCol:
            return figures->totalMB;
        default:
            return std::nullopt;
    }
}

// The figure as the table shows it: empty when unknown.
QString Shown(std::optional<double> megaBytes) {
    return megaBytes ? FormatMask(*megaBytes, kDecimalMask) : QString();
}

QString ColumnCaption(DiskColumn column) {
    switch (column) {
        case kAvailCol:
            return kCaption + QStringLiteral(" Available Space");
        case kUsedCol:
            return kCaption + QStringLiteral(" Used Space");
        case kTotalCol:
            return kCaption + QStringLiteral(" Total Space");
        default:
            return kCaption;
    }
}

PieWedge Wedge(const QString& name, std::optional<double> megaBytes) {
    return {name + ChartedText(Shown(megaBytes)), megaBytes.value_or(0)};
}

}  // namespace

PieModel DiskColumnPie(const DiskRows& rows, DiskColumn column, const QString& computerName) {
    std::vector<PieFigure> figures;
    for (const VolumeRecord& record : rows.volumes) {
        const std::optional<double> value = FigureOf(record.figures, column);
        figures.push_back(
            {QFile::decodeName(record.volume.mountPoint), Shown(value), value.value_or(0)});
    }
    return {ColumnCaption(column), DiskUsageLabel(computerName),
            RowWedges(figures, QStringLiteral("MB"))};
}

PieModel SelectedDiskPie(const DiskRows& rows, int gridRow, const QString& computerName) {
    const auto volumes = static_cast<int>(rows.volumes.size());
    const bool chartable = gridRow >= 1 && gridRow <= volumes + 1;
    const VolumeRecord* record =
        gridRow <= volumes && chartable ? &rows.volumes[gridRow - 1] : nullptr;
    const QString drive = record ? QFile::decodeName(record->volume.mountPoint) : QString();
    PieModel pie{kCaption + QStringLiteral("Selected Disk"),
                 computerName + QStringLiteral(" - ") + drive + QStringLiteral(" Disk Usage"),
                 {}};
    if (!chartable) return pie;
    const std::optional<SpaceFigures> figures = record ? record->figures : rows.totals;
    pie.wedges.push_back(Wedge(QStringLiteral("Used MB = "), FigureOf(figures, kUsedCol)));
    pie.wedges.push_back(Wedge(QStringLiteral("Available MB = "), FigureOf(figures, kAvailCol)));
    return pie;
}
