#include "drives/disk_popup.h"

std::vector<QByteArray> SummaryArguments(const QByteArray& mountPoint) {
    return {QByteArrayLiteral("-d1"), QByteArrayLiteral("--"), mountPoint};
}
