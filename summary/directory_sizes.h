#pragma once
// The summary's folders as the pie chart shows them.

#include <vector>

#include "census/summary_table.h"
#include "chart/pie_model.h"

// The total size of each directory row as FillGrid wrote Data into Grid, in display order: the
// row's name and size as shown, and the size in the unit of Settings as a number.
std::vector<PieFigure> DirectorySizes(const CellGrid& grid, const SummaryData& data,
                                      const Settings& settings);
