#include "summary/summary_json.h"

#include <QJsonArray>
#include <QJsonObject>

#include "summary/skipped_text.h"
#include "summary/summary_table.h"
#include "table/report_json.h"

namespace {

// The JSON names of fields 2 to 11.
constexpr const char* kFieldNames[] = {
    "files",       "bytes",        "dirs",         "hidden_files",  "hidden_bytes",
    "hidden_dirs", "system_files", "system_bytes", "archive_files", "archive_bytes"};

QJsonObject FigureObject(const Counts& counts) {
    QJsonObject figures;
    for (int field = 2; field <= kLastField; ++field) {
        figures.insert(QString::fromLatin1(kFieldNames[field - 2]),
                       static_cast<qint64>(FieldValue(counts, field)));
    }
    return figures;
}

// A row's directory as the table shows it.
QJsonObject Row(const DirectoryRecord& record) {
    QJsonObject row = FigureObject(record.counts);
    PutName(row, QStringLiteral("path"), record.volume ? record.Path : ShownPath(record.Path));
    return row;
}

QJsonArray Unread(const std::vector<UnreadDirectory>& folders) {
    QJsonArray unread;
    for (const UnreadDirectory& folder : folders) {
        QJsonObject entry{{QStringLiteral("reason"), ReasonText(folder.error)},
                          {QStringLiteral("errno"), folder.error}};
        PutName(entry, QStringLiteral("path"), folder.path);
        unread.append(entry);
    }
    return unread;
}

QJsonArray Starts(const std::vector<QByteArray>& starts) {
    QJsonArray names;
    for (const QByteArray& start : starts) {
        QJsonObject entry;
        PutName(entry, QStringLiteral("path"), ShownPath(start));
        names.append(entry);
    }
    return names;
}

void AddGrowth(QJsonObject& row, const RowGrowths& growths, int index) {
    if (index >= static_cast<int>(growths.size()) || !growths[index]) return;
    const RowGrowth& growth = *growths[index];
    row.insert(QStringLiteral("growth_bytes"), growth.bytes);
    row.insert(QStringLiteral("growth_files"), growth.files);
    row.insert(QStringLiteral("change"), ChangeWord(growth.change));
    if (growth.change != Change::Gone) return;
    for (const char* name : kFieldNames)  // a folder gone has no figures
        row.insert(QString::fromLatin1(name), QJsonValue::Null);
}

}  // namespace

QString IsoTime(qint64 time) {
    return QDateTime::fromSecsSinceEpoch(time).toUTC().toString(Qt::ISODate);
}

QByteArray SummaryJson(const SummaryData& data, const std::vector<QByteArray>& starts,
                       const SizeCounting& counting, const QDateTime& when,
                       const JsonGrowth* growth) {
    QJsonObject report = JsonReportHead(QStringLiteral("tallmere32"), when);
    report.insert(QStringLiteral("start"), Starts(starts));
    report.insert(QStringLiteral("size"),
                  counting.onDisk ? QStringLiteral("disk") : QStringLiteral("length"));
    report.insert(QStringLiteral("links_once"), counting.linksOnce);
    QJsonArray rows;
    for (int row = 1; row <= data.RowCount(); ++row) {
        QJsonObject object = Row(*data.AtRow(row));
        if (growth) AddGrowth(object, growth->rows, data.RowOrder[row - 1]);
        rows.append(object);
    }
    report.insert(QStringLiteral("rows"), rows);
    if (growth) {
        report.insert(QStringLiteral("compared_with"),
                      QJsonObject{{QStringLiteral("id"), growth->base.id},
                                  {QStringLiteral("time"), IsoTime(growth->base.time)}});
    }
    report.insert(QStringLiteral("total"), FigureObject(data.GrandTotal));
    report.insert(QStringLiteral("unread"), Unread(data.AllSkipped.unread));
    report.insert(QStringLiteral("unsized"), static_cast<qint64>(data.AllSkipped.unsized));
    return JsonReportBytes(report);
}
