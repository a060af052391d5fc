#include "table/figure.h"

#include <algorithm>

QByteArray FigureDigits(Figure value) {
    QByteArray digits;
    do {
        digits += static_cast<char>('0' + static_cast<int>(value % 10));
        value /= 10;
    } while (value != 0);
    std::reverse(digits.begin(), digits.end());
    return digits;
}
