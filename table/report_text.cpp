#include "table/report_text.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/report_file.h"
#include "table/text_fields.h"

ReportKind ReportKindOfWord(const QString& word) {
    if (word == u"txt") return ReportKind::Text;
    if (word == u"csv") return ReportKind::Csv;
    if (word == u"json") return ReportKind::Json;
    return ReportKind::Unknown;
}

ReportKind KindOfReportFile(const QString& fileName) {
    const QString name = fileName.section(u'/', -1);
    const qsizetype dot = name.lastIndexOf(u'.');
    const ReportKind kind =
        dot < 0 ? ReportKind::Unknown : ReportKindOfWord(name.mid(dot + 1).toLower());
    return kind == ReportKind::Json ? ReportKind::Unknown : kind;
}

QString ReportTitle(const QString& computerName, const QString& caption, const QDateTime& when) {
    const QLocale locale = QLocale::system();
    return computerName + caption + locale.toString(when.date(), QLocale::ShortFormat) + u' ' +
           locale.toString(when.time(), QLocale::LongFormat);
}

namespace {

// A figure is never cut to a wrong number: one that fills or overflows its right-justified
// column is written whole after a blank, pushing the rest of the line along.
QString ReportPiece(const QString& text, const ReportColumn& column) {
    if (column.justify == u"r" && text.size() >= column.width) return u' ' + text;
    return PadField(text, column.justify, column.width);
}

}  // namespace

QStringList TextReportLines(const CellGrid& grid, const QString& title,
                            std::vector<ReportColumn> layout) {
    const int cols = std::min(grid.Cols(), static_cast<int>(layout.size()));
    for (int col = 0; col < cols; ++col) {
        if (!layout[col].widens) continue;
        for (int row = 0; row < grid.Rows(); ++row) {
            const auto length = ReportSafeText(grid.TextMatrix(row, col)).size();
            layout[col].width = std::max(layout[col].width, static_cast<int>(length));
        }
    }
    QStringList lines{PadField(title, QStringLiteral("c"), 100), QString()};
    for (int row = 0; row < grid.Rows(); ++row) {
        QString line;
        for (int col = 0; col < cols; ++col) {
            const ReportColumn& piece = layout[col];
            line += ReportPiece(ReportSafeText(grid.TextMatrix(row, col)), piece);
            line += QString(piece.spacesAfter, u' ');
        }
        lines << line;
    }
    return lines;
}

namespace {

QString CsvField(const QString& cell) {
    static const QRegularExpression needsQuotes(QStringLiteral("[,\"\r\n]"));
    if (!cell.contains(needsQuotes)) return cell;
    return u'"' + QString(cell).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

}  // namespace

QString CsvLine(const QStringList& cells) {
    QStringList fields;
    for (const QString& cell : cells)
        fields << CsvField(cell);
    return fields.join(u',');
}

QStringList CsvLines(const CellGrid& grid) {
    QStringList lines;
    for (int row = 0; row < grid.Rows(); ++row)
        lines << CsvLine(RowTexts(grid, row));
    return lines;
}

namespace {

#ifdef Q_OS_WIN
constexpr char16_t kClipboardRowEnd = u'\r';
constexpr char kReportLineEnd[] = "\r\n";
#else
constexpr char16_t kClipboardRowEnd = u'\n';  // a bare CR pastes as one line, or runs in a shell
constexpr char kReportLineEnd[] = "\n";       // a CR shows as "^M" in editors and pagers
#endif

}  // namespace

QByteArray ReportBytes(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + kReportLineEnd;
    return bytes;
}

QString ClipboardText(const CellGrid& grid) {
    QString text;
    for (int row = 0; row < grid.Rows(); ++row) {
        for (int col = 0; col < grid.Cols(); ++col)
            text += grid.TextMatrix(row, col) + u'\t';
        text += kClipboardRowEnd;
    }
    return text;
}

int EmitReport(const QByteArray& bytes, const QString& outputPath, const char* programName) {
    if (outputPath.isEmpty()) {
        const bool written = std::fwrite(bytes.constData(), 1, bytes.size(), stdout) ==
                                 static_cast<size_t>(bytes.size()) &&
                             std::fflush(stdout) == 0;
        if (written) return 0;
        std::fprintf(stderr, "%s: cannot write the report to standard output: %s\n", programName,
                     std::strerror(errno));
        return 1;
    }
    if (const std::optional<QString> reason = WriteReportFile(outputPath, bytes)) {
        std::fprintf(stderr, "%s: cannot write %s: %s\n", programName, qUtf8Printable(outputPath),
                     qUtf8Printable(*reason));
        return 1;
    }
    return 0;
}
