#pragma once
// What Move to Trash asks and tells about a row of the summary. Only a row of a folder below
// a start directory can go: never a start directory's own row nor the "Grand Total".

#include <QByteArray>
#include <QString>

#include "census/directory_record.h"

// Whether Record (null for the heading or "Grand Total") names a folder that may be trashed.
bool MayTrashRow(const DirectoryRecord* record);

// The folder of Record as an absolute path without its trailing "/", a relative one taken
// from CurrentDir.
QByteArray TrashedFolder(const DirectoryRecord& record, const QByteArray& currentDir);

// The confirmation: the folder, its files and its size.
QString TrashQuestion(const QByteArray& folder, const Counts& counts);

// What the user is told when the folder went, and when it could not go (with the reason).
QString TrashedText(const QByteArray& folder);
QString NotTrashedText(const QByteArray& folder, const QString& reason);
