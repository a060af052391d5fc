#include "summary/grid_actions.h"

#include <algorithm>

#include "census/command_line.h"

namespace {

// Whether the command line takes Directory, standing before the switches, as exactly that
// directory: not split at ";", unquoted, trimmed, read as a switch or as "My Computer".
bool ReadsAsGiven(const QByteArray& directory) {
    return ParseStartPath(Words{directory}, "/").places == PlacesOfDirectory(directory);
}

}  // namespace

std::vector<QByteArray> NewWindowArguments(const QByteArray& directory, int sortColumn,
                                           bool ascending, int leftTwips, int topTwips) {
    const QByteArray sort = (ascending ? "-a" : "-d") + QByteArray::number(sortColumn);
    const QByteArray position = "-x" + QByteArray::number(leftTwips + kNewWindowOffset) + ',' +
                                QByteArray::number(topTwips + kNewWindowOffset);
    if (!ReadsAsGiven(directory)) return {sort, position, "--", directory};
    return {directory, sort, position};
}

QByteArray AbsoluteDirectory(const QByteArray& directory, const QByteArray& currentDir) {
    if (directory.startsWith('/')) return directory;
    return currentDir.endsWith('/') ? currentDir + directory : currentDir + '/' + directory;
}
