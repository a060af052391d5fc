#include "table/report_json.h"

#include <gtest/gtest.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

TEST(JsonObjectText, WritesWholeNumbersDigitForDigit) {
    JsonObjectText object;
    object.PutNumber("above53", (Figure{1} << 53) + 1);
    object.PutNumber("most64", kMost64);
    object.PutNumber("past64", kMost64 + 2);
    object.PutNumber("zero", 0);
    EXPECT_EQ(object.Text(),
              "{\n"
              "    \"above53\": 9007199254740993,\n"
              "    \"most64\": 18446744073709551615,\n"
              "    \"past64\": 18446744073709551617,\n"
              "    \"zero\": 0\n"
              "}");
}

TEST(JsonObjectText, NestsInOrderAndReadsBackAsQtReadsIt) {
    JsonObjectText inner;
    inner.PutText("name", QString::fromUtf8("line\nbreak \"quoted\" \\ \x01 caf\xc3\xa9"));
    inner.PutFlag("yes", true);
    inner.PutNull("none");
    JsonObjectText report = JsonReportHead("prog", QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
    report.PutObject("inner", inner);
    report.PutList("list", {inner, JsonObjectText{}});
    report.PutList("empty", {});
    const QByteArray text = JsonReportBytes(report);
    EXPECT_TRUE(text.endsWith("}\n"));
    EXPECT_TRUE(text.startsWith("{\n    \"program\": \"prog\",\n    \"version\": "));

    QJsonParseError error{};
    const QJsonObject read = QJsonDocument::fromJson(text, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << text.constData();
    const QJsonObject innerRead = read["inner"].toObject();
    EXPECT_EQ(innerRead["name"].toString(),
              QString::fromUtf8("line\nbreak \"quoted\" \\ \x01 caf\xc3\xa9"));
    EXPECT_EQ(innerRead["yes"], QJsonValue(true));
    EXPECT_TRUE(innerRead["none"].isNull());
    EXPECT_EQ(read["list"].toArray().size(), 2);
    EXPECT_EQ(read["list"].toArray()[0].toObject(), innerRead);
    EXPECT_TRUE(read["list"].toArray()[1].toObject().isEmpty());
    EXPECT_TRUE(read["empty"].toArray().isEmpty());
    EXPECT_EQ(read["time"].toString().size(), 20);  // 2026-01-02T..Z
}

TEST(PutName, KeepsTheBytesOfANameThatIsNotUtf8) {
    JsonObjectText object;
    PutName(object, "path", "/srv/caf\xc3\xa9");
    PutName(object, "odd", "/srv/\xff\xfe");
    const QJsonObject read = QJsonDocument::fromJson(object.Text()).object();
    EXPECT_EQ(read["path"].toString(), QString::fromUtf8("/srv/caf\xc3\xa9"));
    EXPECT_FALSE(read.contains("path_bytes"));
    EXPECT_EQ(QByteArray::fromBase64(read["odd_bytes"].toString().toLatin1()), "/srv/\xff\xfe");
}
