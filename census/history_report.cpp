#include "census/history_report.h"

#include <QDateTime>
#include <cstdio>

#include "census/summary_json.h"
#include "census/summary_table.h"
#include "table/number_mask.h"
#include "table/report_json.h"
#include "table/report_text.h"

CellGrid SnapshotListGrid(const std::vector<SnapshotInfo>& snapshots) {
    CellGrid grid(static_cast<int>(snapshots.size()) + 1, 7);
    grid.SetFormatString(QStringLiteral(">Id|<Time|<Start|<Counting|>Files|>Bytes|<Partial"));
    for (int row = 1; row <= static_cast<int>(snapshots.size()); ++row) {
        const SnapshotInfo& info = snapshots[row - 1];
        const QStringList cells = {
            QString::number(info.id),
            QDateTime::fromSecsSinceEpoch(info.time).toString(QStringLiteral("yyyy-MM-dd HH:mm")),
            ShownText(info.start),
            QString::fromLatin1(info.counting),
            FormatMask(static_cast<double>(info.tree[0]), kCountMask),
            FormatMask(static_cast<double>(info.tree[1]), kCountMask),
            info.partial ? QStringLiteral("partial") : QString()};
        for (int col = 0; col < cells.size(); ++col)
            grid.SetTextMatrix(row, col, cells[col]);
    }
    return grid;
}

namespace {

QString Signed(double value, QStringView mask) {
    const QString magnitude = FormatMask(value < 0 ? -value : value, mask);
    if (value > 0) return QLatin1Char('+') + magnitude;
    return value < 0 ? QLatin1Char('-') + magnitude : magnitude;
}

void WriteGrowth(CellGrid& grid, int row, const RowGrowth& growth, const Settings& settings) {
    const int bytesCol = grid.Cols() - 2;
    grid.SetTextMatrix(row, bytesCol,
                       Signed(static_cast<double>(growth.bytes) / Divisor(settings.Unit),
                              SizeMask(settings.Unit)));
    grid.SetTextMatrix(row, bytesCol + 1, Signed(static_cast<double>(growth.files), kCountMask));
}

// The snapshots of Starts (all when empty), newest first.
std::vector<SnapshotInfo> Listed(HistoryStore& store, const Words& starts) {
    std::vector<SnapshotInfo> listed;
    for (const SnapshotInfo& info : store.List()) {
        bool named = starts.empty();
        for (const QByteArray& start : starts)
            named = named || info.start == (start.endsWith('/') ? start : start + '/');
        if (named) listed.push_back(info);
    }
    return listed;
}

QByteArray ListJson(const std::vector<SnapshotInfo>& snapshots) {
    std::vector<JsonObjectText> list;
    for (const SnapshotInfo& info : snapshots) {
        JsonObjectText& entry = list.emplace_back();
        entry.PutInteger(QStringLiteral("id"), info.id);
        entry.PutText(QStringLiteral("time"), IsoTime(info.time));
        PutName(entry, QStringLiteral("start"), info.start);
        entry.PutText(QStringLiteral("counting"), QString::fromLatin1(info.counting));
        entry.PutNumber(QStringLiteral("files"), info.tree[0]);
        entry.PutNumber(QStringLiteral("bytes"), info.tree[1]);
        entry.PutFlag(QStringLiteral("partial"), info.partial);
    }
    JsonObjectText report;
    report.PutList(QStringLiteral("snapshots"), list);
    return JsonReportBytes(report);
}

QByteArray ListReport(ReportKind kind, const std::vector<SnapshotInfo>& snapshots) {
    if (kind == ReportKind::Json) return ListJson(snapshots);
    const CellGrid grid = SnapshotListGrid(snapshots);
    if (kind == ReportKind::Csv) return ReportBytes(CsvLines(grid), kind);
    const std::vector<ReportColumn> layout = {
        {8, QStringLiteral("r"), 2},  {17, QStringLiteral("l"), 0}, {40, QStringLiteral("l"), 0},
        {32, QStringLiteral("l"), 0}, {15, QStringLiteral("r"), 0}, {20, QStringLiteral("r"), 2},
        {8, QStringLiteral("l"), 0}};
    return ReportBytes(TextReportLines(grid, QStringLiteral("Snapshots of the summaries"), layout),
                       kind);
}

}  // namespace

void AddGrowthColumns(CellGrid& grid, const SummaryData& data, const RowGrowths& growths,
                      const Settings& settings) {
    const int figureCols = grid.Cols() - 1;
    grid.SetCols(grid.Cols() + 2);
    grid.SetFormatString(HeaderString(settings) + QStringLiteral("|>Growth Bytes|>Growth Files"));
    RowGrowth total;
    for (int row = 1; row <= data.RowCount(); ++row) {
        const RowGrowth* growth = GrowthAt(growths, data.RowOrder[row - 1]);
        if (!growth) continue;
        WriteGrowth(grid, row, *growth, settings);
        total.bytes += growth->bytes;
        total.files += growth->files;
        if (growth->change != Change::Gone) continue;
        for (int col = 1; col <= figureCols; ++col)
            grid.SetTextMatrix(row, col, QString());
    }
    WriteGrowth(grid, data.RowCount() + 1, total, settings);
}

void ShowGrowthColumns(CellGrid& grid, const SummaryData& data, const RowGrowths& growths,
                       const Settings& settings, ColumnChars& chars) {
    AddGrowthColumns(grid, data, growths, settings);
    for (int row = 1; row <= data.RowCount(); ++row) {
        const RowGrowth* growth = GrowthAt(growths, data.RowOrder[row - 1]);
        if (!growth) continue;
        const Change change = growth->change;
        if (change != Change::New && change != Change::Gone) continue;
        grid.SetTextMatrix(
            row, 0, grid.TextMatrix(row, 0) + QStringLiteral(" (%1)").arg(ChangeWord(change)));
        if (change == Change::Gone) grid.SetRowData(row, {});
    }
    // The name column widens for the marks; a growth column is never narrower than the
    // figures' size columns, even when nothing grew and all its cells are empty.
    constexpr double kGrowthMinimumChars = 7;
    for (int col : {0, grid.Cols() - 2, grid.Cols() - 1}) {
        if (col != 0) chars[col] = kGrowthMinimumChars;
        for (int row = 1; row < grid.Rows(); ++row)
            chars[col] =
                std::max(chars[col], static_cast<double>(grid.TextMatrix(row, col).size()));
        grid.SetColWidth(col, static_cast<int>(chars[col] * kTwipsPerChar));
    }
}

HistoryStore::Options HistoryOptions() {
    return {HistoryStore::DefaultPath()};
}

void TellHistoryWarnings(const QStringList& warnings) {
    QStringList told;
    for (const QString& warning : warnings) {
        if (warning.isEmpty() || told.contains(warning)) continue;
        std::fprintf(stderr, "tallmere32: %s\n", qUtf8Printable(warning));
        told << warning;
    }
}

int RunListSnapshots(const ProgramOptions& options) {
    HistoryStore store(HistoryOptions());
    const std::vector<SnapshotInfo> listed = Listed(store, options.words);
    if (!store.Warning().isEmpty()) {
        TellHistoryWarnings({store.Warning()});
        return 1;
    }
    const ReportKind kind =
        options.reportKind == ReportKind::Unknown ? ReportKind::Text : options.reportKind;
    return EmitReport(ListReport(kind, listed), options.outputPath, "tallmere32");
}

int RunForget(const ProgramOptions& options) {
    HistoryStore store(HistoryOptions());
    std::optional<qint64> id;
    if (options.forget != u"all") id = options.forget.toLongLong();
    const std::optional<int> gone = store.Forget(id);
    if (!gone) {
        TellHistoryWarnings({store.Warning()});
        return 1;
    }
    if (id && *gone == 0) {
        std::fprintf(stderr, "tallmere32: there is no snapshot %lld\n",
                     static_cast<long long>(*id));
        return 1;
    }
    std::printf("%d snapshot%s forgotten\n", *gone, *gone == 1 ? "" : "s");
    return 0;
}
