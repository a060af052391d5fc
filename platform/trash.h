#pragma once
// Moving a folder to the freedesktop.org trash of its own volume: the home trash for the
// home volume, else "$topdir/.Trash/$uid" (when the administrator made a sticky .Trash) or
// "$topdir/.Trash-$uid". The folder is renamed, never copied: its space comes back when the
// trash is emptied.

#include <QByteArray>
#include <QString>
#include <cstdint>

// What a folder was when it was summarised: the trash moves it only while it still is.
struct FolderIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FolderIdentity&) const = default;
};

struct TrashOutcome {
    bool moved = false;
    QString reason;        // why not, for the user
    QByteArray trashedAs;  // the folder's new path, in the trash's "files"
    QByteArray infoFile;   // its ".trashinfo" file
};

// Moves the folder at absolute path Folder to the trash of its volume, provided it is still
// a folder (not a link) with identity Identity. HomeTrash is the home trash's folder
// ("$XDG_DATA_HOME/Trash"); it and the trash folders below a volume's top are made when
// missing. Nothing changes when it fails.
TrashOutcome MoveToTrash(const QByteArray& folder, const FolderIdentity& identity,
                         const QByteArray& homeTrash);

// The home trash of the running user: "$XDG_DATA_HOME/Trash", or "~/.local/share/Trash".
QByteArray HomeTrashFolder();
