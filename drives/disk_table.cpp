#include "drives/disk_table.h"

#include <algorithm>
#include <array>

namespace {

// Characters added to each heading's length to give its set-up width, up to Changed.
constexpr std::array<int, kChangedCol + 1> kExtraChars = {0, 0, 2, 0, 0, 0, 0, -4, 0};
// "Full In" takes "11 months" and "> 2 years" with room to spare.
constexpr int kFullInExtraChars = 3;

// Margins of the grid inside the window and of the window around its controls.
constexpr int kGridBorder = 80;
constexpr int kWindowSides = 600;
constexpr int kButtonGap = 150;
constexpr int kBelowButton = 1200;
// The least a shrunk grid keeps: the heading, a row and a scroll bar.
constexpr int kSmallestGrid = 1000;

int SumOfColWidths(const CellGrid& grid) {
    int sum = 0;
    for (int col = 0; col < grid.Cols(); ++col)
        sum += grid.ColWidth(col);
    return sum;
}

int SumOfRowHeights(const CellGrid& grid) {
    int sum = 0;
    for (int row = 0; row < grid.Rows(); ++row)
        sum += grid.RowHeight(row);
    return sum;
}

// The window around a grid of GridWidth by GridHeight twips.
DiskGeometry AroundGrid(int gridWidth, int gridHeight) {
    DiskGeometry geometry;
    geometry.gridWidth = gridWidth;
    geometry.windowWidth = geometry.gridWidth + kWindowSides;
    geometry.lineX2 = geometry.windowWidth;
    geometry.gridHeight = gridHeight;
    geometry.buttonTop = geometry.gridTop + geometry.gridHeight + kButtonGap;
    geometry.windowHeight = geometry.buttonTop + kBelowButton;
    geometry.buttonLeft = (geometry.windowWidth - geometry.buttonWidth) / 2;
    return geometry;
}

// The headings and alignments of a table with Columns, as a format string.
QString DiskFormatString(const DiskColumns& columns) {
    QString format = QStringLiteral(
        "^Drive|^Volume Name|^Type|>Avail MB|>Used MB|^% Used|>Total MB|>Cluster Size|>Changed");
    if (columns.perDay) format += QStringLiteral("|>Per Day");
    if (columns.fullIn) format += QStringLiteral("|>Full In");
    if (columns.networkMap) format += QStringLiteral("|<Network MAP");
    return format;
}

}  // namespace

int SetupDiskGrid(CellGrid& grid, const DiskColumns& columns) {
    grid.SetFormatString(DiskFormatString(columns));
    grid.SetCol(0);
    grid.SetRow(0);
    for (int col = 0; col < grid.Cols(); ++col) {
        int chars = static_cast<int>(grid.TextMatrix(0, col).size());
        if (col <= kChangedCol) chars += kExtraChars[col];
        if (col == columns.FullInCol()) chars += kFullInExtraChars;
        grid.SetColWidth(col, chars * charsize);
    }
    return columns.networkMap ? static_cast<int>(grid.TextMatrix(0, columns.MapCol()).size()) : 0;
}

void WidenColumn(CellGrid& grid, int col, int chars) {
    grid.SetColWidth(col, std::max(grid.ColWidth(col), chars * charsize));
}

DiskGeometry DiskWindowGeometry(const CellGrid& grid) {
    return AroundGrid(SumOfColWidths(grid) + kGridBorder, SumOfRowHeights(grid) + kGridBorder);
}

DiskGeometry FitDiskGeometry(const DiskGeometry& geometry, int maxWidth, int maxHeight) {
    const int width = geometry.gridWidth - std::max(geometry.windowWidth - maxWidth, 0);
    const int height = geometry.gridHeight - std::max(geometry.windowHeight - maxHeight, 0);
    return AroundGrid(std::max(width, kSmallestGrid), std::max(height, kSmallestGrid));
}
