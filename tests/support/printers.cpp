#include "tests/support/printers.h"

void PrintTo(const Counts& counts, std::ostream* out) {
    for (int field = kPathField + 1; field <= kLastField; ++field) {
        *out << (field == kPathField + 1 ? "{" : ", ") << FieldOf(field).jsonName << ' '
             << FigureDigits(FieldValue(counts, field)).constData();
    }
    *out << '}';
}
