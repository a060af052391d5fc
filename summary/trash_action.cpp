#include "summary/trash_action.h"

#include "census/summary_table.h"
#include "summary/grid_actions.h"
#include "table/number_mask.h"

namespace {

// "no files", "1 file", "1,234 files".
QString Counted(Figure count, const char* one, const char* many) {
    if (count == 0) return QStringLiteral("no ") + QString::fromLatin1(many);
    return FormatFigure(count, kCountMask) + u' ' + QString::fromLatin1(count == 1 ? one : many);
}

}  // namespace

bool MayTrashRow(const DirectoryRecord* record) {
    return record && !record->start.isEmpty() && record->Path != record->start;
}

QByteArray TrashedFolder(const DirectoryRecord& record, const QByteArray& currentDir) {
    QByteArray folder = AbsoluteDirectory(record.Path, currentDir);
    if (folder.endsWith('/')) folder.chop(1);
    return folder;
}

QString TrashQuestion(const QByteArray& folder, const Counts& counts) {
    return QStringLiteral("Move the folder %1 to the trash?\n\nIt holds %2 (%3) and %4.")
        .arg(ShownText(folder), Counted(counts.Files, "file", "files"),
             Counted(counts.Bytes, "byte", "bytes"), Counted(counts.Dirs, "folder", "folders"));
}

QString TrashedText(const QByteArray& folder) {
    return QStringLiteral(
               "%1 was moved to the trash. Its space comes back when the trash is emptied.")
        .arg(ShownText(folder));
}

QString NotTrashedText(const QByteArray& folder, const QString& reason) {
    return QStringLiteral("%1 could not be moved to the trash: %2").arg(ShownText(folder), reason);
}
