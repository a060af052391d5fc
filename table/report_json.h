#pragma once
// What every JSON report shares: its opening fields and names written without loss.

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QString>

// Program, its version and When (ISO 8601, UTC) as the report's first fields.
QJsonObject JsonReportHead(const QString& program, const QDateTime& when);

// Name under Key as a JSON string. A name that is not valid UTF-8 (Linux names are bytes) shows
// there with replacement characters, and its exact bytes go under Key + "_bytes" in base64.
void PutName(QJsonObject& object, const QString& key, const QByteArray& name);

// The report as indented JSON text ending with a line feed.
QByteArray JsonReportBytes(const QJsonObject& report);
