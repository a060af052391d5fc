#include "summary/summary_print.h"

#include <algorithm>
#include <array>

#include "table/report_text.h"
#include "table/text_fields.h"

namespace {

constexpr int kBodyPoints = 10;
constexpr int kFullPrintedColumns = 7;
constexpr int kShortPrintedColumns = 4;

struct PrintedColumn {
    const char* heading1;
    const char* heading2;  // nullptr: the unit word
    int width;             // characters
    int gridColumn;
};

// The directory name, then the figures; hidden, system and archive counts are not printed.
constexpr std::array<PrintedColumn, kFullPrintedColumns> kColumns{{
    {"", "Directory Name", 25, 0},
    {"Total", "Files", 7, 1},
    {"Total", nullptr, 15, 2},
    {"Total", "Dirs", 8, 3},
    {"Hidden", nullptr, 12, 5},
    {"System", nullptr, 12, 8},
    {"Archive", nullptr, 14, 10},
}};

constexpr int kNameWidth = kColumns[0].width;

// The name column is filled on the right, figures on the left; a wider text stays whole.
QString Piece(int column, const QString& text) {
    const int width = kColumns[column].width;
    return column == 0 ? text.leftJustified(width) : text.rightJustified(width);
}

QString HeadingLine(int columns, const QString& unitWord, bool second) {
    QString line;
    for (int column = 0; column < columns; ++column) {
        const char* heading = second ? kColumns[column].heading2 : kColumns[column].heading1;
        line += Piece(column, heading ? QString::fromLatin1(heading) : unitWord);
    }
    return line;
}

PrintedPage PageHeader(const QString& title, int columns, const QString& unitWord) {
    PrintedPage header = TitleLines(title);
    header.push_back({HeadingLine(columns, unitWord, false), kBodyPoints, true});
    header.push_back({HeadingLine(columns, unitWord, true), kBodyPoints, true});
    return header;
}

// Name in pieces of at most the name column's width. A piece that leaves more to come ends
// after its last "/" when it has one past its first character, so a path breaks between its
// folders rather than inside a name.
QStringList NamePieces(const QString& name) {
    QStringList pieces;
    for (qsizetype start = 0; start < name.size();) {
        qsizetype length = std::min<qsizetype>(kNameWidth, name.size() - start);
        const qsizetype slash = name.lastIndexOf(u'/', start + length - 1);
        if (start + length < name.size() && slash > start) length = slash + 1 - start;
        pieces << name.mid(start, length);
        start += length;
    }
    return pieces.isEmpty() ? QStringList{QString()} : pieces;
}

// The row's line, then the rest of a long name over continuation lines.
QStringList RowLines(const CellGrid& grid, int row, int columns) {
    const QString name = ReportSafeText(TrimSpaces(grid.TextMatrix(row, 0)));
    QStringList lines = NamePieces(name.left(kPrintedNameLimit));
    QString& line = lines.front();
    line = Piece(0, line);
    for (int column = 1; column < columns; ++column)
        line += Piece(column, TrimSpaces(grid.TextMatrix(row, kColumns[column].gridColumn)));
    return lines;
}

}  // namespace

QString SummaryPrintTitle(const QString& computerName, const QDateTime& when) {
    return ReportTitle(computerName, QStringLiteral(" Directory Utilization as of "), when);
}

std::vector<PrintedPage> SummaryPrintedPages(const CellGrid& grid, int shownRows,
                                             const Settings& settings, const QString& title) {
    const int columns = settings.ShortDisplay ? kShortPrintedColumns : kFullPrintedColumns;
    const PrintedPage header = PageHeader(title, columns, settings.Display);
    std::vector<PrintedPage> pages;
    int bodyLines = kBodyLinesPerPage;
    const int totalRow = shownRows + 1;
    for (int row = 1; row <= totalRow; ++row) {
        for (const QString& text : RowLines(grid, row, columns)) {
            if (bodyLines == kBodyLinesPerPage) {
                pages.push_back(header);
                bodyLines = 0;
            }
            pages.back().push_back({text, kBodyPoints, row == totalRow});
            ++bodyLines;
        }
    }
    return pages;
}
