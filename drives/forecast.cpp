#include "drives/forecast.h"

#include <cmath>
#include <map>

namespace {

constexpr double kDaysPerMonth = 365.25 / 12;

// The samples the line is fitted to: those of the window, from the last change of size on.
std::vector<VolumeSample> FittedSamples(const std::vector<VolumeSample>& samples,
                                        std::int64_t now) {
    std::vector<VolumeSample> fitted;
    for (const VolumeSample& sample : samples) {
        if (sample.time < now - kForecastWindow) continue;
        if (!fitted.empty() && fitted.back().totalBytes != sample.totalBytes) fitted.clear();
        fitted.push_back(sample);
    }
    return fitted;
}

// The least-squares line through the samples, times counted from the first.
void FitLine(const std::vector<VolumeSample>& samples, Forecast& forecast) {
    const std::int64_t origin = samples.front().time;
    long double meanTime = 0;
    long double meanUsed = 0;
    for (const VolumeSample& sample : samples) {
        meanTime += sample.time - origin;
        meanUsed += sample.usedBytes;
    }
    meanTime /= samples.size();
    meanUsed /= samples.size();
    long double products = 0;
    long double squares = 0;
    for (const VolumeSample& sample : samples) {
        const long double dt = (sample.time - origin) - meanTime;
        products += dt * (static_cast<long double>(sample.usedBytes) - meanUsed);
        squares += dt * dt;
    }
    const long double slope = products / squares;  // bytes per second
    forecast.growthBytesPerDay = static_cast<double>(slope * kSecondsPerDay);
    forecast.fittedFrom = origin;
    forecast.usedAtFirst = static_cast<double>(meanUsed - slope * meanTime);
}

}  // namespace

double Forecast::UsedAt(std::int64_t time) const {
    return usedAtFirst +
           growthBytesPerDay * static_cast<double>(time - fittedFrom) / kSecondsPerDay;
}

std::optional<Forecast> ForecastOf(const std::vector<VolumeSample>& samples, std::int64_t now) {
    const std::vector<VolumeSample> fitted = FittedSamples(samples, now);
    if (fitted.size() < 3 || fitted.back().time - fitted.front().time < kSecondsPerDay)
        return std::nullopt;
    Forecast forecast;
    forecast.surveys = static_cast<int>(fitted.size());
    FitLine(fitted, forecast);
    if (forecast.growthBytesPerDay > 0)
        forecast.daysUntilFull = fitted.back().availBytes / forecast.growthBytesPerDay;
    return forecast;
}

std::vector<VolumeSample> SumOfVolumes(const std::vector<std::vector<VolumeSample>>& volumes) {
    std::map<std::int64_t, std::pair<VolumeSample, std::size_t>> moments;
    for (const std::vector<VolumeSample>& volume : volumes) {
        std::map<std::int64_t, VolumeSample> latest;  // two surveys in one second count once
        for (const VolumeSample& sample : volume)
            latest[sample.time] = sample;
        for (const auto& [time, sample] : latest) {
            auto& [sum, count] = moments[sample.time];
            sum.time = sample.time;
            sum.totalBytes += sample.totalBytes;
            sum.availBytes += sample.availBytes;
            sum.usedBytes += sample.usedBytes;
            ++count;
        }
    }
    std::vector<VolumeSample> sums;
    for (const auto& [time, moment] : moments) {
        if (moment.second == volumes.size()) sums.push_back(moment.first);
    }
    return sums;
}

QString FullInText(const std::optional<Forecast>& forecast) {
    if (!forecast || !forecast->daysUntilFull) return {};
    const double days = *forecast->daysUntilFull;
    if (days >= 730) return QStringLiteral("> 2 years");
    if (days >= 60) return QStringLiteral("%1 months").arg(std::lround(days / kDaysPerMonth));
    if (days < 1) return QStringLiteral("< 1 day");
    const long whole = std::lround(std::floor(days));
    return whole == 1 ? QStringLiteral("1 day") : QStringLiteral("%1 days").arg(whole);
}
