// The report writers on any cells: every comma file reads back, through a CSV reader of the
// common rules (RFC 4180), as the very cells written; the text report has a line a row.
#include <QStringList>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

#include "table/report_text.h"

namespace {

void Check(bool holds) {
    if (!holds) std::abort();
}

using Rows = std::vector<QStringList>;

// A comma file's rows: fields separated by commas, records by CR LF; a field in double quotes
// may hold commas, line breaks and doubled double quotes.
Rows ReadCsv(const QString& text) {
    Rows rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c != u'"') {
                field += c;
            } else if (i + 1 < text.size() && text[i + 1] == u'"') {
                field += c;
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row << std::exchange(field, QString());
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            row << std::exchange(field, QString());
            rows.push_back(std::exchange(row, QStringList()));
            ++i;
        } else {
            field += c;
        }
    }
    return rows;
}

// Cells separated by 0x1f, rows by 0x1e, in a grid as wide as its widest row.
CellGrid GridOf(const QString& text) {
    const QStringList lines = text.split(QChar(0x1e));
    int cols = 1;
    for (const QString& line : lines)
        cols = std::max(cols, static_cast<int>(line.count(QChar(0x1f))) + 1);
    CellGrid grid(static_cast<int>(lines.size()), cols);
    for (int row = 0; row < lines.size(); ++row) {
        const QStringList cells = lines[row].split(QChar(0x1f));
        for (int col = 0; col < cells.size(); ++col)
            grid.SetTextMatrix(row, col, cells[col]);
    }
    return grid;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const CellGrid grid = GridOf(text);
    const Rows read = ReadCsv(QString::fromUtf8(ReportBytes(CsvLines(grid), ReportKind::Csv)));
    Check(static_cast<int>(read.size()) == grid.Rows());
    for (int row = 0; row < grid.Rows(); ++row)
        Check(read[row] == RowTexts(grid, row));
    const std::vector<ReportColumn> layout(grid.Cols(), ReportColumn{12, QStringLiteral("r"), 1});
    Check(TextReportLines(grid, QStringLiteral("title"), layout).size() == grid.Rows() + 2);
    return 0;
}
