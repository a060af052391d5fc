#pragma once
// Rendering of numbers with the tables' display masks.

#include <QString>
#include <QStringView>

#include "table/figure.h"

// Whole number, digits grouped by three; zero shows as "".
inline constexpr QStringView kCountMask = u"###,###,###,###";
// One decimal, grouped; zero shows as ".0", negatives carry a leading "-".
inline constexpr QStringView kDecimalMask = u"###,###,###,###.0";
// One decimal, grouped; zero shows as a single blank.
inline constexpr QStringView kSizeDecimalMask = u"###,###,###,###.0;; ";

// Renders Value with one of the three masks above; any other mask renders like kCountMask.
// Halves are rounded away from zero.
QString FormatMask(double value, QStringView mask);

// Renders Value / Divisor with one of the three masks as FormatMask does, computed on the
// whole numbers themselves so that no digit of a wide figure is lost on the way.
QString FormatFigure(Figure value, QStringView mask, Figure divisor = 1);
