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
