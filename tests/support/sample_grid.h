#pragma once
// A small summary grid for report tests: a heading, one directory row and the total.

#include "table/cell_grid.h"

CellGrid SampleGrid();
