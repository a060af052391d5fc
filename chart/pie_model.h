#pragma once
// What a chart shows, read from the cells of the table that asked for it: the window's
// caption, the label of the pie and one wedge per charted cell.

#include <QString>
#include <vector>

#include "table/cell_grid.h"

// The charts a window can ask for.
enum ChartModes {
    kChartDirectories = 1,   // the summary table's directories by total size
    kChartDiskColumn = 2,    // one disk-table column over every drive row
    kChartSelectedDisk = 3,  // used and available space of the disk table's selected row
};

struct PieWedge {
    QString label;  // legend text and tooltip: the name, the cell as shown and its unit
    double value = 0;
};

struct PieModel {
    QString caption;
    QString pieLabel;
    std::vector<PieWedge> wedges;
};

// Builds the chart of Mode from Grid: row 0 is its heading row and its last row the totals.
// Column is the disk-table column of mode 2; Display the summary's unit word, used in mode 1
// (the disk charts are in MB). A request that finds no data row gives a pie with no wedges.
PieModel BuildPie(const CellGrid& grid, int mode, int column, const QString& display,
                  const QString& computerName);

// The value of a cell as the tables show numbers: "1,177.4" is 1177.4; a zero shown as ""
// or " " and a text that is no number are 0.
double CellValue(const QString& text);
