#include "settings/settings.h"

#include "table/number_mask.h"

bool UnitOf(const QString& display, double* divisor, QString* sizeFormat) {
    if (display == u"Bytes") {
        *divisor = 1;
        *sizeFormat = kCountMask.toString();
    } else if (display == u"KB") {
        *divisor = 1024;
        *sizeFormat = kSizeDecimalMask.toString();
    } else if (display == u"MB") {
        *divisor = 1048576;
        *sizeFormat = kSizeDecimalMask.toString();
    } else {
        return false;
    }
    return true;
}

bool FlagOf(const QString& text) {
    return text.toLower() == u"true";
}
