#include "drives/disk_popup.h"

int PopupRow(int haveCnt, int y, const std::function<double(int)>& rowPos) {
    for (int row = 0; row <= haveCnt - 2; ++row) {
        const double top = rowPos(row);
        if (top >= 0 && top <= y && y < rowPos(row + 1)) return row;
    }
    return -1;
}

std::vector<QByteArray> SummaryArguments(const QByteArray& mountPoint) {
    return {mountPoint, QByteArrayLiteral("-d1")};
}
