#include "drives/disk_json.h"

#include <cmath>

#include "table/report_json.h"

namespace {

// Bytes under Key, or null when the volume's space is unknown.
void PutBytes(JsonObjectText& object, const QString& key, bool known, std::uint64_t bytes) {
    if (known) {
        object.PutNumber(key, bytes);
    } else {
        object.PutNull(key);
    }
}

// Text under Key, or null when it is empty.
void PutTextOrNull(JsonObjectText& object, const QString& key, const QString& text) {
    if (text.isEmpty()) {
        object.PutNull(key);
    } else {
        object.PutText(key, text);
    }
}

// The forecast's fields, present for every volume: null (and 0 surveys) without one.
void PutForecast(JsonObjectText& object, const std::optional<Forecast>& forecast) {
    if (forecast) {
        object.PutInteger(QStringLiteral("growth_bytes_per_day"),
                          static_cast<qint64>(std::llround(forecast->growthBytesPerDay)));
    } else {
        object.PutNull(QStringLiteral("growth_bytes_per_day"));
    }
    if (forecast && forecast->daysUntilFull) {
        object.PutDecimal(QStringLiteral("days_until_full"), *forecast->daysUntilFull, 1);
    } else {
        object.PutNull(QStringLiteral("days_until_full"));
    }
    object.PutInteger(QStringLiteral("surveys"), forecast ? forecast->surveys : 0);
}

JsonObjectText VolumeObject(const Volume& volume, const VolumeReport& report) {
    JsonObjectText object;
    PutName(object, QStringLiteral("mount_point"), volume.mountPoint);
    object.PutText(QStringLiteral("label"), report.label);
    object.PutText(QStringLiteral("type"), volume.fsType);
    PutTextOrNull(object, QStringLiteral("network_source"), report.networkName);
    const bool known = report.spaceKnown;
    PutBytes(object, QStringLiteral("avail_bytes"), known, report.availBytes);
    PutBytes(object, QStringLiteral("free_bytes"), known, report.freeBytes);
    PutBytes(object, QStringLiteral("used_bytes"), known, report.totalBytes - report.availBytes);
    PutBytes(object, QStringLiteral("total_bytes"), known, report.totalBytes);
    PutBytes(object, QStringLiteral("cluster_size"), known, report.clusterSize);
    object.PutNumber(QStringLiteral("change_bytes"), 0);
    PutTextOrNull(object, QStringLiteral("fault"), report.fault);
    return object;
}

}  // namespace

QByteArray DiskJson(const DiskRows& rows, const QDateTime& when) {
    std::vector<JsonObjectText> listed;
    for (const VolumeRecord& record : rows.volumes) {
        listed.push_back(VolumeObject(record.volume, record.report));
        PutForecast(listed.back(), record.forecast);
    }
    JsonObjectText report = JsonReportHead(QStringLiteral("quorvane32"), when);
    report.PutList(QStringLiteral("volumes"), listed);
    return JsonReportBytes(report);
}
