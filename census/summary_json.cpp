#include "census/summary_json.h"

#include "census/skipped_text.h"
#include "census/summary_table.h"
#include "table/report_json.h"

namespace {

JsonObjectText FigureMembers(const Counts& counts, JsonObjectText figures = {}) {
    for (int field = 2; field <= kLastField; ++field)
        figures.PutNumber(QString::fromLatin1(FieldOf(field).jsonName), FieldValue(counts, field));
    return figures;
}

// A row's directory as the table shows it; with Growth, what it grew by (a folder gone has
// no figures).
JsonObjectText Row(const DirectoryRecord& record, const RowGrowth* growth) {
    JsonObjectText row;
    PutName(row, QString::fromLatin1(FieldOf(kPathField).jsonName),
            record.volume ? record.Path : ShownPath(record.Path));
    if (growth && growth->change == Change::Gone) {
        for (int field = 2; field <= kLastField; ++field)
            row.PutNull(QString::fromLatin1(FieldOf(field).jsonName));
    } else {
        row = FigureMembers(record.counts, std::move(row));
    }
    if (!growth) return row;
    row.PutInteger(QStringLiteral("growth_bytes"), growth->bytes);
    row.PutInteger(QStringLiteral("growth_files"), growth->files);
    row.PutText(QStringLiteral("change"), ChangeWord(growth->change));
    return row;
}

// The growth of the row at Index of Results, if it was compared.
const RowGrowth* GrowthOf(const JsonGrowth* growth, int index) {
    return growth ? GrowthAt(growth->rows, index) : nullptr;
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

QString IsoTime(qint64 time) {
    return QDateTime::fromSecsSinceEpoch(time).toUTC().toString(Qt::ISODate);
}

QByteArray SummaryJson(const SummaryData& data, const std::vector<QByteArray>& starts,
                       const SizeCounting& counting, const QDateTime& when,
                       const JsonGrowth* growth, Figure excluded) {
    JsonObjectText report = JsonReportHead(QStringLiteral("tallmere32"), when);
    report.PutList(QStringLiteral("start"), Starts(starts));
    report.PutText(QStringLiteral("size"),
                   counting.onDisk ? QStringLiteral("disk") : QStringLiteral("length"));
    report.PutFlag(QStringLiteral("links_once"), counting.linksOnce);
    std::vector<JsonObjectText> rows;
    for (int row = 1; row <= data.RowCount(); ++row)
        rows.push_back(Row(*data.AtRow(row), GrowthOf(growth, data.RowOrder[row - 1])));
    report.PutList(QStringLiteral("rows"), rows);
    if (growth) {
        JsonObjectText base;
        base.PutInteger(QStringLiteral("id"), growth->base.id);
        base.PutText(QStringLiteral("time"), IsoTime(growth->base.time));
        report.PutObject(QStringLiteral("compared_with"), base);
    }
    report.PutObject(QStringLiteral("total"), FigureMembers(data.GrandTotal));
    report.PutList(QStringLiteral("unread"), Unread(data.AllSkipped.unread));
    report.PutNumber(QStringLiteral("unsized"), static_cast<Figure>(data.AllSkipped.unsized));
    report.PutNumber(QStringLiteral("excluded_entries"), excluded);
    return JsonReportBytes(report);
}
