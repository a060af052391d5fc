#include "census/skipped_text.h"

#include <QFile>
#include <QStringList>
#include <cstring>

#include "table/number_mask.h"
#include "table/text_fields.h"

namespace {

// "1 folder", "1,234 folders".
QString Counted(std::int64_t count, const char* one, const char* many) {
    const QString number = FormatMask(static_cast<double>(count), kCountMask);
    return number + u' ' + QString::fromLatin1(count == 1 ? one : many);
}

QString UnreadLine(const UnreadDirectory& folder) {
    return QFile::decodeName(folder.path) + QStringLiteral(": ") + ReasonText(folder.error);
}

// "3 folders could not be read."
QString FoldersSentence(const std::vector<UnreadDirectory>& unread) {
    return Counted(static_cast<std::int64_t>(unread.size()), "folder", "folders") +
           QStringLiteral(" could not be read.");
}

// FoldersSentence, or for one folder "/srv/x could not be read: Permission denied."
QString UnreadSentence(const std::vector<UnreadDirectory>& unread) {
    if (unread.size() != 1) return FoldersSentence(unread);
    return QFile::decodeName(unread.front().path) + QStringLiteral(" could not be read: ") +
           ReasonText(unread.front().error) + u'.';
}

QString EntriesText(std::int64_t count, const char* what) {
    return Counted(count, "entry", "entries") + QStringLiteral(" could not be ") +
           QString::fromLatin1(what);
}

QString EntriesSentence(std::int64_t count, const char* what) {
    return EntriesText(count, what) + u'.';
}

// EntriesSentence of Entries, or for one entry "/srv/f could not be changed: Permission denied."
QString NamedEntriesSentence(const std::vector<UnreadDirectory>& entries, const char* what) {
    if (entries.size() != 1) {
        return EntriesSentence(static_cast<std::int64_t>(entries.size()), what);
    }
    return QFile::decodeName(entries.front().path) + QStringLiteral(" could not be ") +
           QString::fromLatin1(what) + QStringLiteral(": ") + ReasonText(entries.front().error) +
           u'.';
}

QStringList Done(const std::vector<UnreadDirectory>& unread) {
    QStringList words{QStringLiteral("Done!")};
    if (!unread.empty()) words << UnreadSentence(unread);
    return words;
}

// "Could not be read:" (the heading), then the first ten with their reasons, "and N more".
QStringList NotedLines(const QString& heading, const std::vector<UnreadDirectory>& items) {
    if (items.empty()) return {};
    QStringList lines{heading};
    const auto shown = std::min<std::size_t>(items.size(), kNotedFolders);
    for (std::size_t i = 0; i < shown; ++i)
        lines << UnreadLine(items[i]);
    if (items.size() > shown) {
        lines << QStringLiteral("and %1 more")
                     .arg(FormatMask(static_cast<double>(items.size() - shown), kCountMask));
    }
    return lines;
}

}  // namespace

QString ReasonText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QString DoneText(const Skipped& skipped, std::int64_t excluded) {
    QStringList words = Done(skipped.unread);
    if (skipped.unsized != 0) words << EntriesSentence(skipped.unsized, "sized");
    if (excluded != 0)
        words << Counted(excluded, "entry", "entries") + QStringLiteral(" excluded.");
    return words.join(u' ');
}

QString RowNote(const Skipped& skipped) {
    QStringList lines = NotedLines(QStringLiteral("Could not be read:"), skipped.unread);
    if (skipped.unsized != 0) lines << EntriesSentence(skipped.unsized, "sized");
    if (skipped.unfinished) lines << QStringLiteral("Not read whole: the walk was stopped.");
    return lines.join(u'\n');
}

QString TotalNote(const Skipped& skipped) {
    QStringList sentences;
    if (!skipped.unread.empty()) sentences << FoldersSentence(skipped.unread);
    if (skipped.unsized != 0) sentences << EntriesSentence(skipped.unsized, "sized");
    if (skipped.unfinished) sentences << QString::fromLatin1(kStoppedText);
    return sentences.join(u' ');
}

QString ClearDoneText(const std::vector<UnreadDirectory>& unread,
                      const std::vector<UnreadDirectory>& notChanged) {
    QStringList words = Done(unread);
    if (!notChanged.empty()) words << NamedEntriesSentence(notChanged, "changed");
    return words.join(u' ');
}

QString ClearNote(const std::vector<UnreadDirectory>& unread,
                  const std::vector<UnreadDirectory>& notChanged) {
    return (NotedLines(QStringLiteral("Could not be changed:"), notChanged) +
            NotedLines(QStringLiteral("Could not be read:"), unread))
        .join(u'\n');
}

QByteArray CannotReadLine(const UnreadDirectory& folder) {
    return "cannot read " + ShellQuoted(folder.path) + ": " +
           ReasonText(folder.error).toLocal8Bit();
}

QString UnsizedText(std::int64_t count) {
    return EntriesText(count, "sized");
}
