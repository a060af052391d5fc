#include "table/text_fields.h"

QString TrimSpaces(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    return text.mid(first, last - first);
}

QString PadField(const QString& text, const QString& justify, int width) {
    const QString code = justify.toUpper();
    const qsizetype length = text.size();
    if (code == u"L") {
        return length > width ? text.left(width) : text + QString(width - length, u' ');
    }
    if (code == u"R") {
        return length > width ? text.right(width) : QString(width - length, u' ') + text;
    }
    if (code == u"C") {
        if (length > width) return text.left(width);
        const qsizetype before = (width - length) / 2;
        return QString(before, u' ') + text + QString(width - length - before, u' ');
    }
    return {};
}

QString GetField(const QString& text, const QString& delimiter, int index) {
    if (index < 1 || delimiter.isEmpty()) return {};
    qsizetype start = 0;
    for (int field = 1; field < index; ++field) {
        const qsizetype found = text.indexOf(delimiter, start, Qt::CaseSensitive);
        if (found < 0) return {};
        start = found + delimiter.size();
    }
    const qsizetype end = text.indexOf(delimiter, start, Qt::CaseSensitive);
    return TrimSpaces(end < 0 ? text.mid(start) : text.mid(start, end - start));
}

int CountFields(const QString& text, const QString& delimiter) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return 0;
    if (delimiter.isEmpty()) return 1;
    return static_cast<int>(trimmed.count(delimiter)) + 1;
}

namespace {

// How many bytes from Pos make a control character: 1 for C0 and DEL, 2 for a C1 character in
// UTF-8 (terminals take U+009B as the start of a command), else 0.
int ControlLength(const QByteArray& bytes, qsizetype pos) {
    const auto byte = static_cast<unsigned char>(bytes[pos]);
    if (byte < 0x20 || byte == 0x7f) return 1;
    if (byte != 0xc2 || pos + 1 >= bytes.size()) return 0;
    const auto next = static_cast<unsigned char>(bytes[pos + 1]);
    return next >= 0x80 && next <= 0x9f ? 2 : 0;
}

QByteArray OctalEscape(char byte) {
    return "\\" + QByteArray::number(static_cast<unsigned char>(byte), 8).rightJustified(3, '0');
}

}  // namespace

QByteArray ShellQuoted(const QByteArray& path) {
    QByteArray quoted;
    bool open = false;  // inside a '...' piece
    for (qsizetype pos = 0; pos < path.size(); ++pos) {
        if (const int length = ControlLength(path, pos)) {
            quoted += open ? "'$'" : "$'";
            open = false;
            for (const char byte : path.mid(pos, length))
                quoted += OctalEscape(byte);
            quoted += '\'';
            pos += length - 1;
        } else {
            if (!open) quoted += '\'';
            open = true;
            quoted += path[pos] == '\'' ? QByteArray("'\\''") : QByteArray(1, path[pos]);
        }
    }
    if (open || quoted.isEmpty()) quoted += open ? "'" : "''";
    return quoted;
}

QString ReportSafeText(const QString& text) {
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            return QString::fromUtf8(ShellQuoted(text.toUtf8()));
    }
    return text;
}
