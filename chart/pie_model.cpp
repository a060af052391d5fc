#include "chart/pie_model.h"

#include "table/disk_columns.h"

namespace {

// The summary grid's total-size column.
constexpr int kSummarySizeCol = 2;

// Tables show a zero size as "" or " "; the chart shows it as 0.
QString ShownFigure(const QString& cell) {
    return cell.isEmpty() || cell == u" " ? QStringLiteral("0") : cell;
}

QString CaptionOf(int mode, int column) {
    if (mode == kChartDirectories) return QStringLiteral("Tallmere32 Pie Chart");
    QString caption = QStringLiteral("Quorvane32 - ");
    if (mode == kChartSelectedDisk) return caption + QStringLiteral("Selected Disk");
    switch (column) {
        case kAvailCol:
            return caption + QStringLiteral(" Available Space");
        case kUsedCol:
            return caption + QStringLiteral(" Used Space");
        case kTotalCol:
            return caption + QStringLiteral(" Total Space");
        default:
            return caption;
    }
}

bool IsDataRow(const CellGrid& grid, int row) {
    return row >= 1 && row <= grid.Rows() - 2;
}

PieWedge Wedge(const QString& name, const QString& cell) {
    const QString figure = ShownFigure(cell);
    return {name + figure, CellValue(figure)};
}

// Used space first, then available space, of a drive row or of the totals row.
void AddSelectedDisk(const CellGrid& grid, const QString& computerName, PieModel& pie) {
    const int row = grid.RowSel();
    const bool data = IsDataRow(grid, row) || (row >= 1 && row == grid.Rows() - 1);
    const QString drive = data ? grid.TextMatrix(row, 0) : QString();
    pie.pieLabel = computerName + QStringLiteral(" - ") + drive + QStringLiteral(" Disk Usage");
    if (!data) return;
    pie.wedges.push_back(Wedge(QStringLiteral("Used MB = "), grid.TextMatrix(row, kUsedCol)));
    pie.wedges.push_back(Wedge(QStringLiteral("Available MB = "), grid.TextMatrix(row, kAvailCol)));
}

// One wedge per data row: the name from column 0, the figure from Column.
void AddRows(const CellGrid& grid, int column, const QString& unit, PieModel& pie) {
    for (int row = 1; IsDataRow(grid, row); ++row) {
        const QString figure = ShownFigure(grid.TextMatrix(row, column));
        const QString label =
            grid.TextMatrix(row, 0) + QStringLiteral(" (") + figure + u' ' + unit + u')';
        pie.wedges.push_back({label, CellValue(figure)});
    }
}

}  // namespace

PieModel BuildPie(const CellGrid& grid, int mode, int column, const QString& display,
                  const QString& computerName) {
    PieModel pie;
    pie.caption = CaptionOf(mode, column);
    if (mode == kChartSelectedDisk) {
        AddSelectedDisk(grid, computerName, pie);
        return pie;
    }
    pie.pieLabel = computerName + QStringLiteral(" Disk Usage");
    if (mode == kChartDirectories) {
        AddRows(grid, kSummarySizeCol, display, pie);
    } else {
        AddRows(grid, column, QStringLiteral("MB"), pie);
    }
    return pie;
}

double CellValue(const QString& text) {
    bool ok = false;
    const double value = QString(text).remove(u',').trimmed().toDouble(&ok);
    return ok ? value : 0;
}
