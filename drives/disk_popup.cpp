#include "drives/disk_popup.h"

std::vector<QByteArray> SummaryArguments(const QByteArray& mountPoint) {
    return {mountPoint, QByteArrayLiteral("-d1")};
}
