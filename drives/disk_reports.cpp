#include "drives/disk_reports.h"

#include "drives/disk_columns.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

constexpr int kRowPoints = 8;
constexpr int kCentringWidth = 80;
constexpr int kPieceGap = 2;

// Half of Count rounded to the nearest whole number, halves to even.
int HalfToEven(int count) {
    return static_cast<int>(std::nearbyint(count / 2.0));
}

std::vector<int> LongestPerColumn(const CellGrid& grid) {
    std::vector<int> longest;
    for (int col = 0; col < grid.Cols(); ++col)
        longest.push_back(LongestText(grid, col));
    return longest;
}

QString PrintedPiece(const QString& text, int width, CellAlign align) {
    const int spare = width - static_cast<int>(text.size());
    switch (align) {
        case CellAlign::Right:
            return QString(spare, u' ') + text;
        case CellAlign::Left:
            return text + QString(spare, u' ');
        case CellAlign::Center:
            break;
    }
    const int lead = HalfToEven(spare);
    return QString(lead, u' ') + text + QString(spare - lead, u' ');
}

QString PrintedRow(const CellGrid& grid, int row, const std::vector<int>& longest, int indent) {
    QString line(indent, u' ');
    for (int col = 0; col < grid.Cols(); ++col) {
        line += PrintedPiece(grid.TextMatrix(row, col), longest[col], grid.ColAlignment(col));
        line += QString(kPieceGap, u' ');
    }
    return line;
}

}  // namespace

QString DiskReportTitle(const QString& computerName, const QDateTime& when) {
    return ReportTitle(computerName, QString::fromLatin1(kDiskUtilizationCaption), when);
}

std::vector<ReportColumn> DiskReportLayout(const DiskColumns& columns) {
    std::vector<ReportColumn> layout = {
        {8, QStringLiteral("c"), 0},  {15, QStringLiteral("l"), 0}, {8, QStringLiteral("c"), 0},
        {10, QStringLiteral("r"), 0}, {10, QStringLiteral("r"), 0}, {7, QStringLiteral("r"), 0},
        {10, QStringLiteral("r"), 1}, {13, QStringLiteral("r"), 0}, {10, QStringLiteral("r"), 1},
    };
    if (columns.perDay) layout.push_back({10, QStringLiteral("r"), 1});
    if (columns.fullIn) layout.push_back({10, QStringLiteral("r"), 1});
    if (columns.networkMap) layout.push_back({20, QStringLiteral("l"), 0});
    return layout;
}

QStringList DiskTextReport(const CellGrid& grid, const DiskColumns& columns, const QString& title) {
    std::vector<ReportColumn> layout = DiskReportLayout(columns);
    layout[kDriveCol].widens = true;
    return TextReportLines(grid, title, std::move(layout));
}

PrintedPage DiskPrintedPage(const CellGrid& grid, const QString& title) {
    PrintedPage page = TitleLines(title);
    const std::vector<int> longest = LongestPerColumn(grid);
    const int tableWidth = std::accumulate(longest.begin(), longest.end(), 0);
    const int indent = tableWidth <= kCentringWidth ? HalfToEven(kCentringWidth - tableWidth) : 0;
    for (int row = 0; row < grid.Rows(); ++row)
        page.push_back({PrintedRow(grid, row, longest, indent), kRowPoints, true});
    return page;
}
