#pragma once
// What the trend window shows of a volume: its surveys, the forecast's line and the forecast in
// words.

#include <QString>
#include <vector>

#include "chart/trend_model.h"
#include "drives/forecast.h"

// The trend of the volume Name from its Samples (time order, the newest last), as of Now.
TrendModel TrendOf(const QString& name, const std::vector<VolumeSample>& samples, std::int64_t now);

// The forecast in a sentence: how fast the volume grows and when it will be full.
QString ForecastWords(const std::optional<Forecast>& forecast, std::int64_t now);
