#include "table/number_mask.h"

#include <cmath>
#include <cstdint>

namespace {

// Digits of a non-negative whole number grouped by three with ","; 0 gives "".
QString GroupedDigits(std::uint64_t value) {
    if (value == 0) return {};
    QString digits = QString::number(value);
    for (qsizetype pos = digits.size() - 3; pos > 0; pos -= 3)
        digits.insert(pos, u',');
    return digits;
}

// Value rounded to Decimals places, as a whole number of the last place.
std::uint64_t ScaledMagnitude(double value, int decimals) {
    const double scaled = std::round(std::fabs(value) * std::pow(10.0, decimals));
    return scaled >= 1.8e19 ? UINT64_MAX : static_cast<std::uint64_t>(scaled);
}

QString FormatWhole(double value) {
    const std::uint64_t magnitude = ScaledMagnitude(value, 0);
    const QString digits = GroupedDigits(magnitude);
    return (value < 0 && magnitude != 0) ? u'-' + digits : digits;
}

QString FormatOneDecimal(double value) {
    const std::uint64_t tenths = ScaledMagnitude(value, 1);
    const QString text = GroupedDigits(tenths / 10) + u'.' + QString::number(tenths % 10);
    return (value < 0 && tenths != 0) ? u'-' + text : text;
}

}  // namespace

QString FormatMask(double value, QStringView mask) {
    if (mask == kDecimalMask) return FormatOneDecimal(value);
    if (mask == kSizeDecimalMask) return value == 0 ? QStringLiteral(" ") : FormatOneDecimal(value);
    return FormatWhole(value);
}
