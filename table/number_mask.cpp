#include "table/number_mask.h"

#include <cmath>
#include <cstdint>

namespace {

// Digits of a non-negative whole number grouped by three with ","; 0 gives "".
QString GroupedDigits(Figure value) {
    if (value == 0) return {};
    QString digits = QString::fromLatin1(FigureDigits(value));
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

QString OneDecimalText(Figure tenths) {
    return GroupedDigits(tenths / 10) + u'.' + QChar(u'0' + static_cast<int>(tenths % 10));
}

QString FormatOneDecimal(double value) {
    const std::uint64_t tenths = ScaledMagnitude(value, 1);
    const QString text = OneDecimalText(tenths);
    return (value < 0 && tenths != 0) ? u'-' + text : text;
}

// Value / Divisor rounded half up to Decimals (0 or 1) places, as a whole number of the last
// place. The remainder is scaled, not the value, so nothing can overflow.
Figure RoundedQuotient(Figure value, Figure divisor, int decimals) {
    const Figure scale = decimals == 0 ? 1 : 10;
    const Figure remainder = value % divisor * scale;
    return value / divisor * scale + remainder / divisor + (remainder % divisor * 2 >= divisor);
}

}  // namespace

QString FormatMask(double value, QStringView mask) {
    if (mask == kDecimalMask) return FormatOneDecimal(value);
    if (mask == kSizeDecimalMask) return value == 0 ? QStringLiteral(" ") : FormatOneDecimal(value);
    return FormatWhole(value);
}

QString FormatFigure(Figure value, QStringView mask, Figure divisor) {
    if (mask == kDecimalMask) return OneDecimalText(RoundedQuotient(value, divisor, 1));
    if (mask == kSizeDecimalMask)
        return value == 0 ? QStringLiteral(" ")
                          : OneDecimalText(RoundedQuotient(value, divisor, 1));
    return GroupedDigits(RoundedQuotient(value, divisor, 0));
}
