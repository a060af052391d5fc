#include "census/excludes.h"

#include <QFile>
#include <algorithm>

#include "platform/name_patterns.h"
#include "settings/settings.h"

Excludes& Excludes::operator+=(const Excludes& other) {
    for (const QByteArray& pattern : other.patterns) {
        if (std::find(patterns.begin(), patterns.end(), pattern) == patterns.end())
            patterns.push_back(pattern);
    }
    caches = caches || other.caches;
    return *this;
}

Excludes ExcludesOf(const Settings& settings) {
    Excludes excludes;
    for (const QString& pattern : settings.ExcludePatterns)
        excludes += Excludes{{QFile::encodeName(pattern)}, false};
    excludes.caches = settings.ExcludeCaches;
    return excludes;
}

std::vector<QByteArray> PatternsOfList(const QByteArray& text) {
    std::vector<QByteArray> patterns;
    for (QByteArray line : text.split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        if (!line.trimmed().isEmpty() && !line.startsWith('#')) patterns.push_back(line);
    }
    return patterns;
}

std::optional<std::vector<QByteArray>> ReadPatternList(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error =
            QStringLiteral("cannot read the exclude list %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    return PatternsOfList(file.readAll());
}

ExcludeRule::ExcludeRule(const Excludes& excludes) : caches_(excludes.caches) {
    for (const QByteArray& pattern : excludes.patterns)
        (pattern.contains('/') ? pathPatterns_ : namePatterns_).push_back(pattern);
}

bool ExcludeRule::Leaves(const char* name, const QByteArray& directory) const {
    const auto matching = [](const QByteArray& text, bool wholePath) {
        return [&text, wholePath](const QByteArray& pattern) {
            return MatchesPattern(pattern, text, wholePath);
        };
    };
    // Walks without patterns, the common case, copy no names.
    if (!namePatterns_.empty() &&
        std::any_of(namePatterns_.begin(), namePatterns_.end(),
                    matching(QByteArray::fromRawData(name, qstrlen(name)), false))) {
        return true;
    }
    return NeedsPaths() && std::any_of(pathPatterns_.begin(), pathPatterns_.end(),
                                       matching(directory + name, true));
}
