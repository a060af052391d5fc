#include "census/summary_table.h"

#include <QStringList>
#include <algorithm>

#include "census/skipped_text.h"
#include "table/number_mask.h"

namespace {

QString FieldText(const Counts& counts, int field, const Settings& settings) {
    const Figure value = FieldValue(counts, field);
    if (IsSizeField(field)) {
        return FormatFigure(value, SizeMask(settings.Unit),
                            static_cast<Figure>(Divisor(settings.Unit)));
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
    QStringList headings;
    for (int field = kPathField; field <= SummaryColumns(settings); ++field) {
        QString heading =
            (field == kPathField ? u'<' : u'>') + QString::fromLatin1(FieldOf(field).heading);
        if (FieldOf(field).size) heading += u' ' + settings.Display;
        headings << heading;
    }
    return headings.join(u'|');
}

void SetupGrid(CellGrid& grid, const Settings& settings, ColumnChars& chars) {
    grid.SetRow(0);
    grid.SetCol(0);
    grid.SetRowHeight(0, 480);
    grid.SetFormatString(HeaderString(settings));
    for (int col = 0; col < grid.Cols(); ++col) {
        const int width = FieldOf(col + 1).initialWidth;
        grid.SetColWidth(col, width);
        chars[col] = width / double(kTwipsPerChar);
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
    for (int field = kPathField; field <= kLastField; ++field)
        chars[field - 1] = FieldOf(field).minimumChars;
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

void AppendRowNote(CellGrid& grid, int row, const QString& note, ColumnChars& chars) {
    if (note.isEmpty()) return;
    bool marked = false;
    for (int r = 1; r < grid.Rows(); ++r)
        marked = marked || !grid.RowNote(r).isEmpty();
    const QString before = grid.RowNote(row);
    grid.SetRowNote(row, before.isEmpty() ? note : before + u'\n' + note);
    if (marked) return;
    chars[0] += kNoteMarkChars;
    grid.SetColWidth(0, static_cast<int>(chars[0] * kTwipsPerChar));
}

QByteArray ShownPath(const QByteArray& path) {
    if (path.isEmpty()) return QByteArrayLiteral("My Computer");
    if (path == "/") return path;
    return path.endsWith('/') ? path.chopped(1) : path;
}

QString ShownText(const QByteArray& bytes) {
    return QString::fromUtf8(bytes);
}

QString ReportSubject(const QByteArray& root) {
    QByteArray first = root.split(';').first().trimmed();
    while (first.endsWith('/'))
        first.chop(1);
    if (first.isEmpty()) return root.startsWith('/') ? QStringLiteral("root") : QString();
    return ShownText(first.mid(first.lastIndexOf('/') + 1));
}

QByteArray DirectoryOfRow(const CellGrid& grid, int row) {
    if (row < 1 || row >= grid.Rows() - 1) return {};
    return grid.RowData(row);
}
