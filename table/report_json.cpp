#include "table/report_json.h"

#include <QJsonArray>
#include <QJsonDocument>

#include "table/version.h"

namespace {

constexpr char kIndent[] = "    ";

// Text as a JSON string, escaped as Qt escapes it.
QByteArray QuotedText(const QString& text) {
    const QByteArray list = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return list.mid(1, list.size() - 2);  // without the "[" and "]"
}

// A member's value one level deeper: a string never holds a raw line feed, so every line feed
// of Value starts one of its own lines.
QByteArray Nested(const QByteArray& value) {
    return QByteArray(value).replace("\n", QByteArray("\n") + kIndent);
}

}  // namespace

void JsonObjectText::PutNumber(const QString& key, Figure number) {
    members_.emplace_back(key, FigureDigits(number));
}

void JsonObjectText::PutInteger(const QString& key, qint64 number) {
    members_.emplace_back(key, QByteArray::number(number));
}

void JsonObjectText::PutDecimal(const QString& key, double number, int decimals) {
    members_.emplace_back(key, QByteArray::number(number, 'f', decimals));
}

void JsonObjectText::PutText(const QString& key, const QString& text) {
    members_.emplace_back(key, QuotedText(text));
}

void JsonObjectText::PutFlag(const QString& key, bool flag) {
    members_.emplace_back(key, flag ? QByteArrayLiteral("true") : QByteArrayLiteral("false"));
}

void JsonObjectText::PutNull(const QString& key) {
    members_.emplace_back(key, QByteArrayLiteral("null"));
}

void JsonObjectText::PutObject(const QString& key, const JsonObjectText& object) {
    members_.emplace_back(key, object.Text());
}

void JsonObjectText::PutList(const QString& key, const std::vector<JsonObjectText>& objects) {
    QByteArray list = "[";
    for (std::size_t i = 0; i < objects.size(); ++i)
        list += (i == 0 ? "\n" : ",\n") + (kIndent + Nested(objects[i].Text()));
    members_.emplace_back(key, list + "\n]");
}

QByteArray JsonObjectText::Text() const {
    QByteArray text = "{";
    for (std::size_t i = 0; i < members_.size(); ++i) {
        const auto& [key, value] = members_[i];
        text += (i == 0 ? "\n" : ",\n") + (kIndent + QuotedText(key)) + ": " + Nested(value);
    }
    return text + "\n}";
}

JsonObjectText JsonReportHead(const QString& program, const QDateTime& when) {
    JsonObjectText head;
    head.PutText(QStringLiteral("program"), program);
    head.PutText(QStringLiteral("version"), QString::fromLatin1(kProgramVersion));
    head.PutText(QStringLiteral("time"), when.toUTC().toString(Qt::ISODate));
    return head;
}

void PutName(JsonObjectText& object, const QString& key, const QByteArray& name) {
    const QString text = QString::fromUtf8(name);
    object.PutText(key, text);
    if (text.toUtf8() != name)
        object.PutText(key + QStringLiteral("_bytes"), QString::fromLatin1(name.toBase64()));
}

QByteArray JsonReportBytes(const JsonObjectText& report) {
    return report.Text() + '\n';
}
