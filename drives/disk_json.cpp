#include "drives/disk_json.h"

#include "drives/drive_survey.h"
#include "table/report_json.h"

namespace {

// Bytes under Key, or null when the volume's space is unknown.
void PutBytes(JsonObjectText& object, const QString& key, bool known, double bytes) {
    if (known) {
        object.PutNumber(key, static_cast<Figure>(bytes));
    } else {
        object.PutNull(key);
    }
}

JsonObjectText VolumeObject(const Volume& volume, const VolumeReport& report) {
    JsonObjectText object;
    PutName(object, QStringLiteral("mount_point"), volume.mountPoint);
    object.PutText(QStringLiteral("label"), report.label);
    object.PutText(QStringLiteral("type"), volume.fsType);
    if (report.networkName.isEmpty()) {
        object.PutNull(QStringLiteral("network_source"));
    } else {
        object.PutText(QStringLiteral("network_source"), report.networkName);
    }
    const bool known = report.spaceKnown;
    PutBytes(object, QStringLiteral("free_bytes"), known, report.freeBytes);
    PutBytes(object, QStringLiteral("used_bytes"), known, report.totalBytes - report.freeBytes);
    PutBytes(object, QStringLiteral("total_bytes"), known, report.totalBytes);
    PutBytes(object, QStringLiteral("cluster_size"), known,
             static_cast<double>(report.clusterSize));
    object.PutNumber(QStringLiteral("change_bytes"), 0);
    return object;
}

}  // namespace

QByteArray DiskJson(VolumeSource& volumes, const Settings& settings, const QDateTime& when) {
    std::vector<JsonObjectText> listed;
    for (const auto& [volume, answer] : SurveyIncluded(volumes, settings))
        listed.push_back(VolumeObject(volume, answer));
    JsonObjectText report = JsonReportHead(QStringLiteral("quorvane32"), when);
    report.PutList(QStringLiteral("volumes"), listed);
    return JsonReportBytes(report);
}
