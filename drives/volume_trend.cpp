#include "drives/volume_trend.h"

#include <QDateTime>
#include <QLocale>
#include <algorithm>
#include <cmath>

namespace {

// A line carried further than this says no more than "> 2 years" does.
constexpr double kLongestForecastDays = 730;

QString Size(double bytes) {
    return QLocale().formattedDataSize(static_cast<qint64>(std::llround(std::fabs(bytes))), 1,
                                       QLocale::DataSizeTraditionalFormat);
}

QString DateOf(std::int64_t time) {
    return QLocale().toString(QDateTime::fromSecsSinceEpoch(time).date(), QLocale::LongFormat);
}

// The fitted line from its first survey to the day it meets the size, or to the last survey
// when the volume is not filling.
std::vector<TrendPoint> FittedLine(const Forecast& forecast, std::int64_t last) {
    const double days = std::min(forecast.daysUntilFull.value_or(0), kLongestForecastDays);
    const auto end = last + static_cast<std::int64_t>(days * kSecondsPerDay);
    return {{forecast.fittedFrom, forecast.UsedAt(forecast.fittedFrom)},
            {end, forecast.UsedAt(end)}};
}

}  // namespace

QString ForecastWords(const std::optional<Forecast>& forecast, std::int64_t now) {
    if (!forecast) {
        return QStringLiteral(
            "Too few surveys for a forecast: it takes 3 over at least a day "
            "within the last 30 days.");
    }
    const QString pace = QStringLiteral("%1 %2 a day over the last %3 surveys")
                             .arg(forecast->growthBytesPerDay < 0 ? "Shrinking by" : "Growing by",
                                  Size(forecast->growthBytesPerDay))
                             .arg(forecast->surveys);
    if (!forecast->daysUntilFull) return pace + QStringLiteral(": not filling up.");
    const double days = *forecast->daysUntilFull;
    if (days >= kLongestForecastDays) return pace + QStringLiteral(": full in more than 2 years.");
    return pace + QStringLiteral(": full in %1, on %2.")
                      .arg(FullInText(forecast),
                           DateOf(now + static_cast<std::int64_t>(days * kSecondsPerDay)));
}

TrendModel TrendOf(const QString& name, const std::vector<VolumeSample>& samples,
                   std::int64_t now) {
    TrendModel trend;
    trend.caption = QStringLiteral("Trend of %1").arg(name);
    const std::optional<Forecast> forecast = ForecastOf(samples, now);
    trend.forecast = ForecastWords(forecast, now);
    if (samples.empty()) return trend;
    for (const VolumeSample& sample : samples)
        trend.used.push_back({sample.time, static_cast<double>(sample.usedBytes)});
    if (forecast) trend.fitted = FittedLine(*forecast, samples.back().time);
    const std::int64_t end = trend.fitted.empty() ? samples.back().time : trend.fitted.back().time;
    const auto total = static_cast<double>(samples.back().totalBytes);
    trend.size = {{samples.front().time, total}, {end, total}};
    return trend;
}
