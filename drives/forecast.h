#pragma once
// When a volume will be full: a least-squares line of used bytes against time over its recent
// surveys, carried forward to the day it meets the volume's size.

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

// One survey of one volume, as the history keeps it.
struct VolumeSample {
    std::int64_t time = 0;  // Unix seconds, UTC
    std::uint64_t totalBytes = 0;
    std::uint64_t availBytes = 0;  // what the user may still write
    std::uint64_t usedBytes = 0;
};

struct Forecast {
    double growthBytesPerDay = 0;         // the line's slope
    std::optional<double> daysUntilFull;  // only while the volume fills
    int surveys = 0;                      // how many the line was fitted to
    std::int64_t fittedFrom = 0;          // the first of them (Unix seconds)
    double usedAtFirst = 0;               // the line's used bytes at fittedFrom

    // The line's used bytes at Time.
    double UsedAt(std::int64_t time) const;
};

inline constexpr std::int64_t kSecondsPerDay = 86400;
// Surveys older than this take no part in a forecast.
inline constexpr std::int64_t kForecastWindow = 30 * kSecondsPerDay;

// The forecast from Samples (in time order, the newest last: the volume as it is now), or
// none when fewer than 3 surveys of the last 30 days before Now, spanning at least a day,
// measure the volume at its present size: a change of size starts the line again.
std::optional<Forecast> ForecastOf(const std::vector<VolumeSample>& samples, std::int64_t now);

// The samples of several volumes added up at each moment a survey measured them all, in
// time order: the trend of the totals row.
std::vector<VolumeSample> SumOfVolumes(const std::vector<std::vector<VolumeSample>>& volumes);

// "23 days", "9 months", "> 2 years"; "" without a date of filling.
QString FullInText(const std::optional<Forecast>& forecast);
