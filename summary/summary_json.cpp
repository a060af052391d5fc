#include "summary/summary_json.h"

#include "summary/skipped_text.h"
#include "summary/summary_table.h"
#include "table/report_json.h"

namespace {

JsonObjectText Figures(const Counts& counts, JsonObjectText figures = {}) {
    for (int field = 2; field <= kLastField; ++field)
        figures.PutNumber(QString::fromLatin1(FieldOf(field).jsonName), FieldValue(counts, field));
    return figures;
}

// A row's directory as the table shows it.
JsonObjectText Row(const DirectoryRecord& record) {
    JsonObjectText row;
    PutName(row, QString::fromLatin1(FieldOf(kPathField).jsonName),
            record.volume ? record.Path : ShownPath(record.Path));
    return Figures(record.counts, std::move(row));
}

std::vector<JsonObjectText> Unread(const std::vector<UnreadDirectory>& folders) {
    std::vector<JsonObjectText> unread;
    for (const UnreadDirectory& folder : folders) {
        JsonObjectText& entry = unread.emplace_back();
        PutName(entry, QStringLiteral("path"), folder.path);
        entry.PutText(QStringLiteral("reason"), ReasonText(folder.error));
        entry.PutNumber(QStringLiteral("errno"), static_cast<Figure>(folder.error));
    }
    return unread;
}

std::vector<JsonObjectText> Starts(const std::vector<QByteArray>& starts) {
    std::vector<JsonObjectText> names;
    for (const QByteArray& start : starts)
        PutName(names.emplace_back(), QStringLiteral("path"), ShownPath(start));
    return names;
}

}  // namespace

QByteArray SummaryJson(const SummaryData& data, const std::vector<QByteArray>& starts,
                       const SizeCounting& counting, const QDateTime& when) {
    JsonObjectText report = JsonReportHead(QStringLiteral("tallmere32"), when);
    report.PutList(QStringLiteral("start"), Starts(starts));
    report.PutText(QStringLiteral("size"),
                   counting.onDisk ? QStringLiteral("disk") : QStringLiteral("length"));
    report.PutFlag(QStringLiteral("links_once"), counting.linksOnce);
    std::vector<JsonObjectText> rows;
    for (int row = 1; row <= data.RowCount(); ++row)
        rows.push_back(Row(*data.AtRow(row)));
    report.PutList(QStringLiteral("rows"), rows);
    report.PutObject(QStringLiteral("total"), Figures(data.GrandTotal));
    report.PutList(QStringLiteral("unread"), Unread(data.AllSkipped.unread));
    report.PutNumber(QStringLiteral("unsized"), static_cast<Figure>(data.AllSkipped.unsized));
    return JsonReportBytes(report);
}
