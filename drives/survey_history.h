#pragma once
// Every survey kept in the history store, and each volume's forecast read back from it.

#include <QString>
#include <optional>
#include <vector>

#include "drives/forecast.h"
#include "drives/volume_rows.h"
#include "history/history_store.h"

// Adds the survey of Rows, made at Now (Unix seconds), to Store and gives the forecast of each
// of Rows' volumes, in their order. When the store cannot serve, the forecasts are none and
// Warning says why; the survey itself is never lost for it.
std::vector<std::optional<Forecast>> KeepSurvey(HistoryStore& store, const DiskRows& rows,
                                                std::int64_t now, QString* warning);

// A volume's surveys as the forecast takes them.
std::vector<VolumeSample> SamplesOf(const std::vector<SurveyRow>& surveys);
