#include "table/report_json.h"

#include <QJsonDocument>

#include "table/version.h"

QJsonObject JsonReportHead(const QString& program, const QDateTime& when) {
    return QJsonObject{{QStringLiteral("program"), program},
                       {QStringLiteral("version"), QString::fromLatin1(kProgramVersion)},
                       {QStringLiteral("time"), when.toUTC().toString(Qt::ISODate)}};
}

void PutName(QJsonObject& object, const QString& key, const QByteArray& name) {
    const QString text = QString::fromUtf8(name);
    object.insert(key, text);
    if (text.toUtf8() != name)
        object.insert(key + QStringLiteral("_bytes"), QString::fromLatin1(name.toBase64()));
}

QByteArray JsonReportBytes(const QJsonObject& report) {
    return QJsonDocument(report).toJson(QJsonDocument::Indented);
}
