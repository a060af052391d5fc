#include "summary/summary_table.h"

#include <algorithm>

#include "summary/skipped_text.h"
#include "table/number_mask.h"

namespace {

constexpr std::array<int, 11> kInitialWidths = {2100, 1050, 1050, 750,  900, 900,
                                                900,  900,  900,  1050, 1050};
constexpr std::array<double, 11> kMinimumChars = {14, 5, 5, 5, 6, 6, 6, 6, 6, 7, 7};

QString FieldText(const Counts& counts, int field, const Settings& settings) {
    const Figure value = FieldValue(counts, field);
    if (IsSizeField(field)) {
        return FormatFigure(value, settings.SizeFormat, static_cast<Figure>(settings.SizeDivisor));
    }
    return FormatFigure(value, kCountMask);
}

void WriteCell(CellGrid& grid, int row, int col, const QString& text, ColumnChars& chars) {
    grid.SetTextMatrix(row, col, text);
    chars[col] = std::max(chars[col], static_cast<double>(text.size()));
}

void WriteFigures(CellGrid& grid, int row, const Counts& counts, const Settings& settings,
                  ColumnChars& chars) {
    for (int field = 2; field <= grid.Cols(); ++field) {
        WriteCell(grid, row, field - 1, FieldText(counts, field, settings), chars);
    }
}

}  // namespace

int SummaryColumns(const Settings& settings) {
    return settings.ShortDisplay ? kShortColumns : kFullColumns;
}

QString HeaderString(const Settings& settings) {
    const QString& unit = settings.Display;
    QString header = QStringLiteral("<Directory Name|>Total Files|>Total ") + unit +
                     QStringLiteral("|>Total Dirs");
    if (settings.ShortDisplay) return header;
    return header + QStringLiteral("|>Hidden Files|>Hidden ") + unit +
           QStringLiteral("|>Hidden Dirs|>System Files|>System ") + unit +
           QStringLiteral("|>Archive Files|>Archive ") + unit;
}

void SetupGrid(CellGrid& grid, const Settings& settings, ColumnChars& chars) {
    grid.SetRow(0);
    grid.SetCol(0);
    grid.SetRowHeight(0, 480);
    grid.SetFormatString(HeaderString(settings));
    for (int col = 0; col < grid.Cols(); ++col) {
        grid.SetColWidth(col, kInitialWidths[col]);
        chars[col] = kInitialWidths[col] / double(kTwipsPerChar);
    }
}

void ClearSummary(CellGrid& grid, SummaryData& data, const Settings& settings, ColumnChars& chars) {
    grid.SetCols(SummaryColumns(settings));
    grid.SetRows(2);
    data.Clear();
    chars.fill(0);
    grid.SetRow(1);
    grid.SetRowData(1, {});
    grid.SetRowNote(1, {});
    for (int col = 0; col < grid.Cols(); ++col) {
        chars[col] = grid.ColWidth(col) / double(kTwipsPerChar);
        grid.SetTextMatrix(1, col, QString());
    }
}

int FillGrid(CellGrid& grid, const SummaryData& data, const Settings& settings,
             ColumnChars& chars) {
    const bool redraw = grid.Redraw();
    grid.SetRedraw(false);
    std::copy(kMinimumChars.begin(), kMinimumChars.end(), chars.begin());
    const int rows = data.RowCount();
    grid.SetRows(rows + 2);
    for (int r = 1; r <= rows; ++r) {
        const DirectoryRecord& record = data.Results[data.RowOrder[r - 1]];
        const QByteArray shown = record.volume ? record.Path : ShownPath(record.Path);
        WriteCell(grid, r, 0, ShownText(shown), chars);
        grid.SetRowData(r, shown);
        grid.SetRowNote(r, RowNote(record.skipped));
        WriteFigures(grid, r, record.counts, settings, chars);
    }
    const int total = rows + 1;
    WriteCell(grid, total, 0, QStringLiteral("Grand Total"), chars);
    grid.SetRowData(total, {});
    grid.SetRowNote(total, TotalNote(data.AllSkipped));
    WriteFigures(grid, total, data.GrandTotal, settings, chars);
    if (data.AllSkipped.Any()) chars[0] += kNoteMarkChars;
    for (int col = 0; col < grid.Cols(); ++col) {
        grid.SetColWidth(col, static_cast<int>(chars[col] * kTwipsPerChar));
    }
    grid.SetRedraw(redraw);
    return rows;
}

QByteArray ShownPath(const QByteArray& path) {
    if (path.isEmpty()) return QByteArrayLiteral("My Computer");
    if (path == "/") return path;
    return path.endsWith('/') ? path.chopped(1) : path;
}

QString ShownText(const QByteArray& bytes) {
    return QString::fromUtf8(bytes);
}

QByteArray DirectoryOfRow(const CellGrid& grid, int row) {
    if (row < 1 || row >= grid.Rows() - 1) return {};
    return grid.RowData(row);
}
