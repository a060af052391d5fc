#include "census/ncdu_reader.h"

#include <QIODevice>
#include <algorithm>
#include <cctype>
#include <limits>
#include <vector>

namespace {

constexpr qint64 kChunk = 64 * 1024;
// Longer than any path a system gives: a name past it is not a name.
constexpr qsizetype kLongestName = 64 * 1024;

// Unwinds the reader to ReadNcduExport at the first fault of the input.
struct Broken {
    ImportError error;
};

// The bytes of the input one at a time, with the place of each.
class Cursor {
  public:
    explicit Cursor(QIODevice& input) : input_(input) {}

    // The next byte, or -1 at the end of the input.
    int Peek() {
        if (at_ == buffer_.size()) Fill();
        return at_ == buffer_.size() ? -1 : static_cast<unsigned char>(buffer_.constData()[at_]);
    }
    // Takes the next byte; the end of the input is a fault here.
    char Take() {
        if (Peek() < 0) Fail(QStringLiteral("the export ends too early"));
        const char byte = buffer_.constData()[at_++];
        if (byte == '\n') {
            ++line_;
            column_ = 1;
        } else {
            ++column_;
        }
        return byte;
    }
    void SkipSpace() {
        for (int next = Peek(); next == ' ' || next == '\t' || next == '\n' || next == '\r';
             next = Peek())
            Take();
    }
    // Skips blanks, then takes Byte or fails with Reason.
    void Expect(char byte, const QString& reason) {
        SkipSpace();
        if (Peek() < 0) Fail(QStringLiteral("the export ends too early"));
        if (Peek() != static_cast<unsigned char>(byte)) Fail(reason);
        Take();
    }
    [[noreturn]] void Fail(const QString& reason) const { FailAt(Here(), reason); }
    // Where the next byte is.
    ImportError Here() const { return {line_, column_, {}}; }
    [[noreturn]] void FailAt(ImportError place, const QString& reason) const {
        place.reason = reason;
        throw Broken{place};
    }

  private:
    void Fill() {
        buffer_.resize(kChunk);
        const qint64 got = input_.read(buffer_.data(), kChunk);
        if (got < 0) Fail(QStringLiteral("cannot read: %1").arg(input_.errorString()));
        buffer_.resize(got);
        at_ = 0;
    }

    QIODevice& input_;
    QByteArray buffer_;
    qsizetype at_ = 0;
    std::int64_t line_ = 1;
    std::int64_t column_ = 1;
};

int HexValue(Cursor& cursor) {
    const char digit = cursor.Take();
    if (digit >= '0' && digit <= '9') return digit - '0';
    if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
    if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
    cursor.Fail(QStringLiteral("a \\u escape needs four hexadecimal digits"));
}

int Hex4(Cursor& cursor) {
    int value = 0;
    for (int i = 0; i < 4; ++i)
        value = value * 16 + HexValue(cursor);
    return value;
}

void AppendUtf8(QByteArray& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// A \u escape after its "\u": a surrogate pair is one character; a lone surrogate, which no
// name can hold, reads as the replacement character.
char32_t UnicodeEscape(Cursor& cursor) {
    const int first = Hex4(cursor);
    if (first < 0xD800 || first > 0xDBFF)
        return first >= 0xDC00 && first <= 0xDFFF ? 0xFFFD : first;
    if (cursor.Peek() != '\\') return 0xFFFD;
    cursor.Take();
    if (cursor.Take() != 'u') cursor.Fail(QStringLiteral("a surrogate pair is broken"));
    const int second = Hex4(cursor);
    if (second < 0xDC00 || second > 0xDFFF) return 0xFFFD;
    return 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00);
}

void Escape(Cursor& cursor, QByteArray& out) {
    const char kind = cursor.Take();
    switch (kind) {
        case '"':
        case '\\':
        case '/':
            out += kind;
            return;
        case 'b':
            out += '\b';
            return;
        case 'f':
            out += '\f';
            return;
        case 'n':
            out += '\n';
            return;
        case 'r':
            out += '\r';
            return;
        case 't':
            out += '\t';
            return;
        case 'u':
            AppendUtf8(out, UnicodeEscape(cursor));
            return;
        default:
            cursor.Fail(QStringLiteral("unknown escape \\%1").arg(QLatin1Char(kind)));
    }
}

// A string after its opening quote, as bytes: raw bytes stand for themselves, as ncdu writes
// names. Out null skips it, however long it is.
void ReadString(Cursor& cursor, QByteArray* out) {
    QByteArray text;
    for (char byte = cursor.Take(); byte != '"'; byte = cursor.Take()) {
        if (byte == '\\') {
            Escape(cursor, text);
        } else {
            text += byte;
        }
        if (text.size() <= kLongestName) continue;
        if (out) cursor.Fail(QStringLiteral("a name is longer than %1 bytes").arg(kLongestName));
        text.clear();
    }
    if (out) *out = std::move(text);
}

// The bytes of a number: the JSON grammar's characters, checked by whoever reads them.
QByteArray NumberText(Cursor& cursor) {
    QByteArray text;
    for (int next = cursor.Peek();
         next >= 0 && QByteArrayView("+-.0123456789eE").contains(char(next));
         next = cursor.Peek()) {
        text += cursor.Take();
        if (text.size() > 400) cursor.Fail(QStringLiteral("a number is too long"));
    }
    if (text.isEmpty()) cursor.Fail(QStringLiteral("a value is missing"));
    return text;
}

std::uint64_t ReadUnsigned(Cursor& cursor, const QByteArray& key) {
    cursor.SkipSpace();
    const ImportError start = cursor.Here();
    const QByteArray text = NumberText(cursor);
    bool ok = false;
    const std::uint64_t value = text.toULongLong(&ok);
    if (!ok || !std::isdigit(static_cast<unsigned char>(text[0]))) {
        cursor.FailAt(
            start,
            QStringLiteral("\"%1\" is not a whole number of 64 bits").arg(QString::fromUtf8(key)));
    }
    return value;
}

void ReadWord(Cursor& cursor, QByteArrayView word) {
    const ImportError start = cursor.Here();
    for (char expected : word) {
        if (cursor.Take() != expected) cursor.FailAt(start, QStringLiteral("a value is not JSON"));
    }
}

bool ReadBool(Cursor& cursor, const QByteArray& key) {
    cursor.SkipSpace();
    const int next = cursor.Peek();
    if (next != 't' && next != 'f') {
        cursor.Fail(QStringLiteral("\"%1\" is not true or false").arg(QString::fromUtf8(key)));
    }
    ReadWord(cursor, next == 't' ? "true" : "false");
    return next == 't';
}

// A key of an object and its ":"; Out null skips it.
void ReadKey(Cursor& cursor, QByteArray* out) {
    cursor.Expect('"', QStringLiteral("a key must be a string"));
    ReadString(cursor, out);
    cursor.Expect(':', QStringLiteral("\":\" must follow a key"));
}

void SkipScalar(Cursor& cursor, int first) {
    if (first == '"') {
        cursor.Take();
        ReadString(cursor, nullptr);
    } else if (first == 't' || first == 'f' || first == 'n') {
        ReadWord(cursor, first == 't' ? "true" : first == 'f' ? "false" : "null");
    } else {
        NumberText(cursor);
    }
}

// Any JSON value, nested to any depth, without keeping it.
void SkipValue(Cursor& cursor) {
    std::vector<char> open;  // the closing brackets awaited, the innermost last
    bool wantValue = true;
    while (true) {
        if (wantValue) {
            cursor.SkipSpace();
            const int first = cursor.Peek();
            wantValue = first == '{' || first == '[';
            if (!wantValue) {
                SkipScalar(cursor, first);
            } else {
                cursor.Take();
                open.push_back(first == '{' ? '}' : ']');
                cursor.SkipSpace();
                if (cursor.Peek() == static_cast<unsigned char>(open.back())) {
                    wantValue = false;
                } else if (open.back() == '}') {
                    ReadKey(cursor, nullptr);
                }
                if (wantValue) continue;
            }
        }
        if (open.empty()) return;
        cursor.SkipSpace();
        if (cursor.Peek() == static_cast<unsigned char>(open.back())) {
            cursor.Take();
            open.pop_back();
            continue;
        }
        cursor.Expect(',',
                      QStringLiteral("expected \",\" or \"%1\"").arg(QLatin1Char(open.back())));
        if (open.back() == '}') ReadKey(cursor, nullptr);
        wantValue = true;
    }
}

void ReadField(Cursor& cursor, const QByteArray& key, NcduEntry& entry) {
    if (key == "name") {
        cursor.Expect('"', QStringLiteral("\"name\" is not a string"));
        ReadString(cursor, &entry.name);
    } else if (key == "asize") {
        entry.asize = ReadUnsigned(cursor, key);
    } else if (key == "dsize") {
        entry.dsize = ReadUnsigned(cursor, key);
    } else if (key == "dev") {
        entry.dev = ReadUnsigned(cursor, key);
    } else if (key == "ino") {
        entry.ino = ReadUnsigned(cursor, key);
    } else if (key == "nlink") {
        entry.hardLinked = ReadUnsigned(cursor, key) > 1 || entry.hardLinked;
    } else if (key == "hlnkc") {
        entry.hardLinked = ReadBool(cursor, key) || entry.hardLinked;
    } else if (key == "read_error") {
        entry.readError = ReadBool(cursor, key);
    } else if (key == "notreg") {
        entry.notRegular = ReadBool(cursor, key);
    } else if (key == "excluded") {
        entry.excluded = true;  // why ("pattern", "otherfs", "kernfs", ...) does not matter here
        SkipValue(cursor);
    } else {
        SkipValue(cursor);
    }
}

// The members of an object, its opening brace taken: Field reads each value after its key.
template <typename ReadValue>
void ReadMembers(Cursor& cursor, ReadValue&& field) {
    cursor.SkipSpace();
    for (bool more = cursor.Peek() != '}'; more;) {
        QByteArray key;
        ReadKey(cursor, &key);
        field(key);
        cursor.SkipSpace();
        more = cursor.Peek() == ',';
        if (more) cursor.Take();
    }
    cursor.Expect('}', QStringLiteral("expected \",\" or \"}\""));
}

// An entry's object, its opening brace next.
NcduEntry ReadEntry(Cursor& cursor) {
    NcduEntry entry;
    cursor.Expect('{', QStringLiteral("expected an entry's object"));
    const ImportError start = cursor.Here();
    bool named = false;
    ReadMembers(cursor, [&](const QByteArray& key) {
        named = named || key == "name";
        ReadField(cursor, key, entry);
    });
    if (!named) cursor.FailAt(start, QStringLiteral("an entry has no name"));
    return entry;
}

// The metadata: tells Handler when the scan was made where its "timestamp" is a whole number;
// any other value is passed over, as the format asks nothing of it.
void ReadMetadata(Cursor& cursor, NcduHandler& handler) {
    cursor.SkipSpace();
    if (cursor.Peek() != '{') return SkipValue(cursor);
    cursor.Take();
    ReadMembers(cursor, [&](const QByteArray& key) {
        cursor.SkipSpace();
        if (key != "timestamp" || !std::isdigit(cursor.Peek())) return SkipValue(cursor);
        const std::uint64_t seconds = ReadUnsigned(cursor, key);
        handler.Scanned(static_cast<std::int64_t>(
            std::min<std::uint64_t>(seconds, std::numeric_limits<std::int64_t>::max())));
    });
}

// The root directory and everything in it, its opening bracket taken.
void ReadTree(Cursor& cursor, NcduHandler& handler) {
    handler.BeginDirectory(ReadEntry(cursor));
    std::int64_t depth = 1;
    while (depth > 0) {
        cursor.SkipSpace();
        if (cursor.Peek() == ']') {
            cursor.Take();
            handler.EndDirectory();
            --depth;
            continue;
        }
        cursor.Expect(',', QStringLiteral("expected \",\" or \"]\""));
        cursor.SkipSpace();
        if (cursor.Peek() == '[') {
            cursor.Take();
            handler.BeginDirectory(ReadEntry(cursor));
            ++depth;
        } else {
            handler.File(ReadEntry(cursor));
        }
    }
}

void ReadExport(Cursor& cursor, NcduHandler& handler) {
    cursor.SkipSpace();
    if (cursor.Peek() < 0) cursor.Fail(QStringLiteral("the file is empty"));
    cursor.Expect('[', QStringLiteral("not an ncdu export: it does not start with \"[\""));
    if (ReadUnsigned(cursor, "major version") != 1) {
        cursor.Fail(QStringLiteral("not an export of major version 1"));
    }
    cursor.Expect(',', QStringLiteral("expected \",\" after the major version"));
    cursor.SkipSpace();
    NumberText(cursor);  // the minor version: later ones only add fields
    cursor.Expect(',', QStringLiteral("expected \",\" after the minor version"));
    ReadMetadata(cursor, handler);
    cursor.Expect(',', QStringLiteral("expected \",\" after the metadata"));
    cursor.Expect('[', QStringLiteral("expected the root directory"));
    ReadTree(cursor, handler);
    cursor.Expect(']', QStringLiteral("expected \"]\" after the root directory"));
    cursor.SkipSpace();
    if (cursor.Peek() >= 0) cursor.Fail(QStringLiteral("text follows the end of the export"));
}

}  // namespace

std::optional<ImportError> ReadNcduExport(QIODevice& input, NcduHandler& handler) {
    Cursor cursor(input);
    try {
        ReadExport(cursor, handler);
    } catch (const Broken& broken) {
        return broken.error;
    }
    return std::nullopt;
}
