#include "summary/grid_actions.h"

#include <algorithm>

int PopupRow(int rowCount, int topRow, const std::function<double(int)>& rowPos, int popupY) {
    for (int row = std::max(topRow, 1); row <= rowCount; ++row) {
        if (rowPos(row) <= popupY && popupY < rowPos(row + 1)) return row;
    }
    return 0;
}

std::vector<QByteArray> NewWindowArguments(const QByteArray& directory, int sortColumn,
                                           bool ascending, int leftTwips, int topTwips) {
    const QByteArray sort = (ascending ? "-a" : "-d") + QByteArray::number(sortColumn);
    const QByteArray position = "-x" + QByteArray::number(leftTwips + kNewWindowOffset) + ',' +
                                QByteArray::number(topTwips + kNewWindowOffset);
    if (directory.startsWith('-')) return {sort, position, "--", directory};
    return {directory, sort, position};
}

QByteArray AbsoluteDirectory(const QByteArray& directory, const QByteArray& currentDir) {
    if (directory.startsWith('/')) return directory;
    return currentDir.endsWith('/') ? currentDir + directory : currentDir + '/' + directory;
}
