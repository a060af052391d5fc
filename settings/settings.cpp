#include "settings/settings.h"

#include "table/number_mask.h"

namespace {

struct UnitFacts {
    SizeUnit unit;
    const char* word;
    double divisor;
    QStringView mask;
};
constexpr UnitFacts kUnits[] = {{SizeUnit::Bytes, "Bytes", 1, kCountMask},
                                {SizeUnit::KB, "KB", 1024, kSizeDecimalMask},
                                {SizeUnit::MB, "MB", 1048576, kSizeDecimalMask}};

const UnitFacts& FactsOf(SizeUnit unit) {
    return kUnits[static_cast<int>(unit)];
}

}  // namespace

std::optional<SizeUnit> UnitOf(const QString& word) {
    for (const UnitFacts& facts : kUnits)
        if (word == QLatin1String(facts.word)) return facts.unit;
    return std::nullopt;
}

QString UnitWord(SizeUnit unit) {
    return QString::fromLatin1(FactsOf(unit).word);
}

double Divisor(SizeUnit unit) {
    return FactsOf(unit).divisor;
}

QString SizeMask(SizeUnit unit) {
    return FactsOf(unit).mask.toString();
}

bool FlagOf(const QString& text) {
    return text.toLower() == u"true";
}
