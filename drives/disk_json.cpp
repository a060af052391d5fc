#include "drives/disk_json.h"

#include <QJsonArray>
#include <QJsonObject>

#include "table/report_json.h"

namespace {

QJsonValue Bytes(bool known, std::uint64_t bytes) {
    return known ? QJsonValue(static_cast<qint64>(bytes)) : QJsonValue();
}

QJsonObject VolumeObject(const Volume& volume, const VolumeReport& report) {
    QJsonObject object{
        {QStringLiteral("label"), report.label},
        {QStringLiteral("type"), volume.fsType},
        {QStringLiteral("network_source"),
         report.networkName.isEmpty() ? QJsonValue() : QJsonValue(report.networkName)},
        {QStringLiteral("avail_bytes"), Bytes(report.spaceKnown, report.availBytes)},
        {QStringLiteral("free_bytes"), Bytes(report.spaceKnown, report.freeBytes)},
        {QStringLiteral("used_bytes"),
         Bytes(report.spaceKnown, report.totalBytes - report.availBytes)},
        {QStringLiteral("total_bytes"), Bytes(report.spaceKnown, report.totalBytes)},
        {QStringLiteral("cluster_size"), Bytes(report.spaceKnown, report.clusterSize)},
        {QStringLiteral("change_bytes"), 0},
        {QStringLiteral("fault"), report.fault.isEmpty() ? QJsonValue() : report.fault}};
    PutName(object, QStringLiteral("mount_point"), volume.mountPoint);
    return object;
}

}  // namespace

QByteArray DiskJson(const DiskRows& rows, const QDateTime& when) {
    QJsonArray listed;
    for (const VolumeRecord& record : rows.volumes)
        listed.append(VolumeObject(record.volume, record.report));
    QJsonObject report = JsonReportHead(QStringLiteral("quorvane32"), when);
    report.insert(QStringLiteral("volumes"), listed);
    return JsonReportBytes(report);
}
