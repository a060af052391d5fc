#include "table/grid_hit.h"

int RowUnder(int first, int last, int topRow, const std::function<double(int)>& rowPos, double y) {
    for (int row = first; row <= last; ++row) {
        if (row >= 1 && row < topRow) continue;
        if (rowPos(row) <= y && y < rowPos(row + 1)) return row;
    }
    return -1;
}
