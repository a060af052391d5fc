#include "drives/survey_history.h"

#include <algorithm>

namespace {

qint64 Stored(std::uint64_t bytes) {
    return static_cast<qint64>(std::min<std::uint64_t>(bytes, INT64_MAX));
}

std::vector<SurveyRow> RowsOf(const DiskRows& rows, std::int64_t now) {
    std::vector<SurveyRow> surveys;
    for (const VolumeRecord& record : rows.volumes) {
        const VolumeReport& report = record.report;
        if (!report.spaceKnown) continue;
        surveys.push_back(
            {now, record.volume.mountPoint, Stored(report.totalBytes), Stored(report.availBytes),
             Stored(report.freeBytes),
             Stored(report.totalBytes - std::min(report.availBytes, report.totalBytes)),
             record.volume.source, record.volume.fsType.toUtf8()});
    }
    return surveys;
}

// Rows inserted by hand may hold anything: a negative figure counts as none.
std::uint64_t Bytes(qint64 stored) {
    return static_cast<std::uint64_t>(std::max<qint64>(stored, 0));
}

}  // namespace

std::vector<VolumeSample> SamplesOf(const std::vector<SurveyRow>& surveys) {
    std::vector<VolumeSample> samples;
    for (const SurveyRow& survey : surveys) {
        samples.push_back({survey.time, Bytes(survey.totalBytes), Bytes(survey.availBytes),
                           Bytes(survey.usedBytes)});
    }
    return samples;
}

std::vector<VolumeSample> SamplesOf(HistoryStore& store, const VolumeRecord& record) {
    return SamplesOf(store.Surveys(record.volume.mountPoint));
}

std::vector<VolumeSample> TotalsSamplesOf(HistoryStore& store, const DiskRows& rows) {
    std::vector<std::vector<VolumeSample>> volumes;
    for (const VolumeRecord& record : rows.volumes)
        if (record.report.spaceKnown) volumes.push_back(SamplesOf(store, record));
    return SumOfVolumes(volumes);
}

void KeepSurvey(HistoryStore& store, DiskRows& rows, std::int64_t now, QString* warning) {
    if (!store.AddSurveys(RowsOf(rows, now))) {
        *warning = store.Warning();
        return;
    }
    std::vector<std::vector<VolumeSample>> known;  // read once for the volumes and the totals
    for (VolumeRecord& record : rows.volumes) {
        if (!record.report.spaceKnown) continue;
        known.push_back(SamplesOf(store, record));
        record.forecast = ForecastOf(known.back(), now);
    }
    rows.totalsForecast = ForecastOf(SumOfVolumes(known), now);
}
