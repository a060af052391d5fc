#pragma once
// A modal list to pick one row from: the rows of a table, its heading row as the headings.

#include <QString>
#include <optional>

#include "table/cell_grid.h"

class QWidget;

// Shows Grid's rows below its heading row in a dialog headed Title over Parent. The row picked
// (1 the first below the heading), or none when the user cancelled or there was nothing to pick.
std::optional<int> PickGridRow(QWidget* parent, const QString& title, const CellGrid& grid);
