#pragma once
// Which grid row a pointer position falls on.

#include <functional>

// The row of First..Last whose band holds Y (twips from the grid's top):
// RowPos(r) <= Y < RowPos(r + 1). Data rows above TopRow are scrolled out of sight behind the
// heading and never match. -1 when no row does.
int RowUnder(int first, int last, int topRow, const std::function<double(int)>& rowPos, double y);
