#include "platform/volumes.h"

std::vector<std::optional<VolumeReport>> VolumeSource::SurveyAll(
    const std::vector<Volume>& volumes) {
    std::vector<std::optional<VolumeReport>> reports;
    for (const Volume& volume : volumes)
        reports.push_back(Survey(volume));
    return reports;
}
