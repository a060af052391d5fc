#include "census/command_line.h"

#include <QRegularExpression>
#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

// Windows spellings: "/a3", "/D12", "/x1200,900".
const QRegularExpression kSlashSwitch(QStringLiteral("^/([aAdD]\\d+|[xX]\\d+,\\d+)$"));

bool IsExitOption(const QByteArray& word) {
    const QByteArray lower = word.toLower();
    return lower == "-s" || lower == "-r" || lower == "-l";
}

// "-a" and "-d" take at most two characters, "-x" a comma: so "-data" or "-xfiles" stay
// directory names.
bool IsSwitch(const QByteArray& word) {
    if (IsExitOption(word)) return true;
    if (word.size() >= 2 && word[0] == '-') {
        const char letter = static_cast<char>(std::tolower(word[1]));
        if ((letter == 'a' || letter == 'd') && word.size() <= 4) return true;
        if (letter == 'x' && word.contains(',')) return true;
    }
    return kSlashSwitch.match(QString::fromLatin1(word)).hasMatch();
}

// The words before "--", where switches may stand.
Words SwitchArea(const Words& words) {
    const auto end = std::find(words.begin(), words.end(), QByteArray("--"));
    return Words(words.begin(), end);
}

// The words after "--": each one directory, whatever it holds.
Words ExactWords(const Words& words) {
    const auto end = std::find(words.begin(), words.end(), QByteArray("--"));
    return end == words.end() ? Words{} : Words(end + 1, words.end());
}

// The START words before "--": directories or ";" lists of them.
Words SpecWords(const Words& words) {
    Words start;
    for (const QByteArray& word : SwitchArea(words)) {
        if (!IsSwitch(word)) start.push_back(word);
    }
    return start;
}

// Reads a number as far as it goes (blanks skipped, no digits = 0), rounded half to even.
int LeadingNumber(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^\\s*([+-]?(\\d+\\.?\\d*|\\.\\d+))"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch()) return 0;
    return static_cast<int>(std::nearbyint(match.captured(1).toDouble()));
}

void ReadSort(const QString& rest, bool ascending, Switches& switches) {
    switches.SortAscending = ascending;
    switches.SortColumn = LeadingNumber(rest.left(2).trimmed());
}

void ReadPosition(const QString& rest, Switches& switches) {
    const qsizetype comma = rest.indexOf(u',');
    switches.Left = comma < 0 ? rest : rest.left(comma);
    switches.Top = comma < 0 ? QString() : rest.mid(comma + 1);
}

}  // namespace

StartPath ParseStartPath(const Words& words, const QByteArray& currentDir) {
    const auto here = [&](const QByteArray& field) {
        return field.trimmed() == "." ? currentDir : field;
    };
    QByteArrayList fields;
    for (QByteArray word : SpecWords(words)) {
        word.replace('"', QByteArray());
        word = word.trimmed();
        if (!word.isEmpty()) fields << word;
    }
    QByteArrayList parts;
    for (const QByteArray& part : fields.join(';').split(';')) {
        if (!part.trimmed().isEmpty()) parts << here(part);
    }
    QByteArray spec = parts.join(';');
    StartPlaces places = spec.isEmpty() ? StartPlaces{} : PlacesOfSpec(spec);
    for (const QByteArray& word : ExactWords(words)) {
        const QByteArray directory = word == "." ? currentDir : word;  // " ." is a name
        spec += (spec.isEmpty() ? "" : ";") + directory;
        places.directories.push_back(PlacesOfDirectory(directory).directories.front());
    }
    if (spec.isEmpty()) spec = QByteArrayLiteral("My Computer");
    if (places.directories.empty()) places = PlacesOfSpec("My Computer");
    if (!spec.endsWith('/')) spec += '/';
    return StartPath{spec, RootOfSpec(spec), places};
}

Switches ParseSwitches(const Words& words) {
    Switches switches;
    for (const QByteArray& word : SwitchArea(words)) {
        if (!IsSwitch(word) || IsExitOption(word)) continue;
        const QString text = QString::fromLatin1(word);
        const QChar letter = text[1].toLower();
        const QString rest = text.mid(2);
        if (letter == u'a') ReadSort(rest, true, switches);
        if (letter == u'd') ReadSort(rest, false, switches);
        if (letter == u'x') ReadPosition(rest, switches);
    }
    return switches;
}

std::optional<SessionAction> CheckExitOptions(const Words& words) {
    std::optional<SessionAction> action;
    const Words area = SwitchArea(words);
    const auto given = [&](const char* option) {
        return std::any_of(area.begin(), area.end(),
                           [&](const QByteArray& word) { return word.toLower() == option; });
    };
    if (given("-s")) action = SessionAction::ShutDown;
    if (given("-r")) action = SessionAction::Restart;
    if (given("-l")) action = SessionAction::LogOff;
    return action;
}

QByteArray RootOfSpec(const QByteArray& spec) {
    if (spec == "/") return spec;
    return spec.chopped(1);
}
