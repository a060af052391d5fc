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

QJsonObject Figures(const Counts& counts) {
    QJsonObject figures;
    for (int field = 2; field <= kLastField; ++field) {
        figures.insert(QString::fromLatin1(kFieldNames[field - 2]),
                       static_cast<qint64>(FieldValue(counts, field)));
    }
    return figures;
}

// A row's directory as the table shows it.
QJsonObject Row(const DirectoryRecord& record) {
    QJsonObject row = Figures(record.counts);
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

}  // namespace

QByteArray SummaryJson(const SummaryData& data, const std::vector<QByteArray>& starts,
                       const SizeCounting& counting, const QDateTime& when, std::int64_t excluded) {
    QJsonObject report = JsonReportHead(QStringLiteral("tallmere32"), when);
    report.insert(QStringLiteral("start"), Starts(starts));
    report.insert(QStringLiteral("size"),
                  counting.onDisk ? QStringLiteral("disk") : QStringLiteral("length"));
    report.insert(QStringLiteral("links_once"), counting.linksOnce);
    QJsonArray rows;
    for (int row = 1; row <= data.RowCount(); ++row)
        rows.append(Row(*data.AtRow(row)));
    report.insert(QStringLiteral("rows"), rows);
    report.insert(QStringLiteral("total"), Figures(data.GrandTotal));
    report.insert(QStringLiteral("unread"), Unread(data.AllSkipped.unread));
    report.insert(QStringLiteral("unsized"), static_cast<qint64>(data.AllSkipped.unsized));
    report.insert(QStringLiteral("excluded_entries"), static_cast<qint64>(excluded));
    return JsonReportBytes(report);
}
