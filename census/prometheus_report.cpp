#include "census/prometheus_report.h"

#include "census/summary_table.h"
#include "table/figure.h"

namespace {

struct Metric {
    const char* name;
    const char* help;
};

constexpr Metric kSize{"tallmere32_directory_size_bytes",
                       "Bytes of the files of a row: those directly in a start directory, or "
                       "the whole tree of a directory below it."};
constexpr Metric kFiles{"tallmere32_directory_files", "Files of a row, counted as its size is."};
constexpr Metric kDirs{"tallmere32_directory_dirs", "Folders of a row, counted as its size is."};
constexpr Metric kUnread{"tallmere32_directory_unread",
                         "Folders of a row that could not be read: its figures leave them out."};
constexpr Metric kLastRun{"tallmere32_last_run_timestamp_seconds",
                          "When the summary was made, in seconds since 1970 (UTC)."};

QByteArray Heading(const Metric& metric) {
    return QByteArray("# HELP ") + metric.name + ' ' + metric.help + "\n# TYPE " + metric.name +
           " gauge\n";
}

QByteArray Sample(const Metric& metric, const QByteArray& label, const QByteArray& value) {
    return QByteArray(metric.name) + "{path=\"" + label + "\"} " + value + '\n';
}

// Every row's sample of one figure under its heading.
template <class Value>
QByteArray Family(const Metric& metric, const SummaryData& data, Value value) {
    QByteArray text = Heading(metric);
    for (int row = 1; row <= data.RowCount(); ++row) {
        const DirectoryRecord& record = *data.AtRow(row);
        const QByteArray path = record.volume ? record.Path : ShownPath(record.Path);
        text += Sample(metric, PrometheusLabelValue(path), value(record));
    }
    return text;
}

QByteArray FieldDigits(const DirectoryRecord& record, int field) {
    return FigureDigits(FieldValue(record.counts, field));
}

// The length of the valid UTF-8 character at Text's start (not empty), 0 when none starts
// there: a stray continuation byte, a sequence cut short, an overlong form or a surrogate.
qsizetype Utf8Length(QByteArrayView text) {
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    const qsizetype length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || text.size() < length) return 0;
    char32_t code = lead & (0x7F >> length);
    for (qsizetype i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        code = code << 6 | (byte(i) & 0x3F);
    }
    constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < kLeast[length] || code > 0x10FFFF || surrogate ? 0 : length;
}

}  // namespace

QByteArray PrometheusLabelValue(const QByteArray& path) {
    QByteArray value;
    for (qsizetype at = 0; at < path.size();) {
        const char byte = path[at];
        if (byte == '\\' || byte == '"') {
            value += '\\' + QByteArray(1, byte);
        } else if (byte == '\n') {
            value += "\\n";
        } else if (const qsizetype length = Utf8Length(QByteArrayView(path).sliced(at))) {
            value += path.mid(at, length);
            at += length;
            continue;
        } else {
            value += "\\\\x" + QByteArray::number(static_cast<unsigned char>(byte), 16)
                                   .rightJustified(2, '0')
                                   .toUpper();
        }
        ++at;
    }
    return value;
}

QByteArray PrometheusReport(const SummaryData& data, const QDateTime& when) {
    return Family(kSize, data, [](const DirectoryRecord& r) { return FieldDigits(r, 3); }) +
           Family(kFiles, data, [](const DirectoryRecord& r) { return FieldDigits(r, 2); }) +
           Family(kDirs, data, [](const DirectoryRecord& r) { return FieldDigits(r, 4); }) +
           Family(kUnread, data,
                  [](const DirectoryRecord& r) {
                      return QByteArray::number(static_cast<qsizetype>(r.skipped.unread.size()));
                  }) +
           Heading(kLastRun) + kLastRun.name + ' ' + QByteArray::number(when.toSecsSinceEpoch()) +
           '\n';
}
