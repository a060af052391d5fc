#pragma once
// Every survey kept in the history store, and each volume's forecast read back from it.

#include <QString>
#include <optional>
#include <vector>

#include "drives/forecast.h"
#include "drives/volume_rows.h"
#include "history/history_store.h"

// Adds the survey of Rows, made at Now (Unix seconds), to Store and gives each of Rows' volumes
// and their totals the forecast from the surveys kept. When the store cannot serve, the
// forecasts are none and Warning says why; the survey itself is never lost for it.
void KeepSurvey(HistoryStore& store, DiskRows& rows, std::int64_t now, QString* warning);

// A volume's surveys as the forecast takes them.
std::vector<VolumeSample> SamplesOf(const std::vector<SurveyRow>& surveys);

// The surveys Store keeps of Record's volume.
std::vector<VolumeSample> SamplesOf(HistoryStore& store, const VolumeRecord& record);

// The surveys Store keeps of Rows' volumes whose space is known, added up: the totals row's.
std::vector<VolumeSample> TotalsSamplesOf(HistoryStore& store, const DiskRows& rows);
