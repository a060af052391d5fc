#pragma once
// What every JSON report shares: an object written as text by the reports themselves, its
// opening fields, and names written without loss.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <utility>
#include <vector>

#include "table/figure.h"

// A JSON object built member by member and written as indented text. Members keep the order
// they are put in. Whole numbers are written from their own digits: Qt's JSON keeps numbers as
// doubles or signed 64-bit integers, which would change a figure past 2^53 or 2^63.
class JsonObjectText {
  public:
    void PutNumber(const QString& key, Figure number);
    void PutInteger(const QString& key, qint64 number);                // signed
    void PutDecimal(const QString& key, double number, int decimals);  // finite
    void PutText(const QString& key, const QString& text);
    void PutFlag(const QString& key, bool flag);
    void PutNull(const QString& key);
    void PutObject(const QString& key, const JsonObjectText& object);
    void PutList(const QString& key, const std::vector<JsonObjectText>& objects);

    // The object as indented JSON, without a final line feed.
    QByteArray Text() const;

  private:
    std::vector<std::pair<QString, QByteArray>> members_;  // key and the value's JSON text
};

// Program, its version and When (ISO 8601, UTC) as the report's first fields.
JsonObjectText JsonReportHead(const QString& program, const QDateTime& when);

// Name under Key as a JSON string. A name that is not valid UTF-8 (Linux names are bytes) shows
// there with replacement characters, and its exact bytes go under Key + "_bytes" in base64.
void PutName(JsonObjectText& object, const QString& key, const QByteArray& name);

// The report as indented JSON text ending with a line feed.
QByteArray JsonReportBytes(const JsonObjectText& report);
