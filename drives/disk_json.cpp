#include "drives/disk_json.h"

#include <QJsonArray>
#include <QJsonObject>

#include "drives/drive_survey.h"
#include "table/report_json.h"

namespace {

QJsonValue Bytes(bool known, double bytes) {
    return known ? QJsonValue(static_cast<qint64>(bytes)) : QJsonValue();
}

QJsonObject VolumeObject(const Volume& volume, const VolumeReport& report) {
    QJsonObject object{
        {QStringLiteral("label"), report.label},
        {QStringLiteral("type"), volume.fsType},
        {QStringLiteral("network_source"),
         report.networkName.isEmpty() ? QJsonValue() : QJsonValue(report.networkName)},
        {QStringLiteral("free_bytes"), Bytes(report.spaceKnown, report.freeBytes)},
        {QStringLiteral("used_bytes"),
         Bytes(report.spaceKnown, report.totalBytes - report.freeBytes)},
        {QStringLiteral("total_bytes"), Bytes(report.spaceKnown, report.totalBytes)},
        {QStringLiteral("cluster_size"),
         report.spaceKnown ? QJsonValue(static_cast<qint64>(report.clusterSize)) : QJsonValue()},
        {QStringLiteral("change_bytes"), 0}};
    PutName(object, QStringLiteral("mount_point"), volume.mountPoint);
    return object;
}

}  // namespace

QByteArray DiskJson(VolumeSource& volumes, const Settings& settings, const QDateTime& when) {
    QJsonArray listed;
    for (const auto& [volume, answer] : SurveyIncluded(volumes, settings))
        listed.append(VolumeObject(volume, answer));
    QJsonObject report = JsonReportHead(QStringLiteral("quorvane32"), when);
    report.insert(QStringLiteral("volumes"), listed);
    return JsonReportBytes(report);
}
