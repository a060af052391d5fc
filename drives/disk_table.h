#pragma once
// The disk table's columns and the disk window's size arithmetic, all in twips.

#include <QString>

#include "drives/disk_columns.h"
#include "table/cell_grid.h"

// Twips per character of the table's column widths (`charsize`).
inline constexpr int charsize = 130;

// Sets the column count (9, and one more for each of Columns), the headings, the alignments
// and the set-up widths. Returns the width of the map column in characters (`MaxMapCol`), 0
// when there is none.
int SetupDiskGrid(CellGrid& grid, const DiskColumns& columns);

// Widens column Col to Chars characters when it is narrower.
void WidenColumn(CellGrid& grid, int col, int chars);

// Where the controls sit and how large the window is.
struct DiskGeometry {
    int gridLeft = 240;
    int gridTop = 240;
    int gridWidth = 0;
    int gridHeight = 0;
    int windowWidth = 0;   // the outer width, frame included
    int windowHeight = 0;  // the outer height, frame, title and menu bar included
    int buttonWidth = 1335;
    int buttonTop = 0;
    int buttonLeft = 0;
    int lineX2 = 0;  // the right end of the line along the top edge
};

// Rule A: the widths follow the columns; rule B: the height and the Refresh button follow
// the rows.
DiskGeometry DiskWindowGeometry(const CellGrid& grid);

// Geometry made to fit a window of at most MaxWidth by MaxHeight (outer size, frame included):
// the grid gives up the room and scrolls what no longer shows, keeping at least a row and a
// column's width; the Refresh button and the line follow it.
DiskGeometry FitDiskGeometry(const DiskGeometry& geometry, int maxWidth, int maxHeight);
