#pragma once
// Temporary trees for tests: a fresh folder under TMPDIR (else /tmp) that is removed with all
// it holds on destruction, unreadable folders included. Paths are raw bytes relative to the
// root (any byte but "/" and NUL in a name); missing parent folders are made on the way. A
// step that fails adds a test failure.

#include "platform/scoped_fd.h"

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>

class TempTree {
  public:
    // How DosAttributes writes Samba's user.DOSATTRIB value.
    enum class DosForm {
        Text,         // "0x22"
        TextWithNul,  // "0x22" and a NUL
        Record,       // "0x22", a NUL and a version 5 record, as current Samba writes
    };

    TempTree();
    // A tree in Base rather than $TMPDIR or /tmp.
    explicit TempTree(const QByteArray& base);
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    QByteArray Path() const { return root_; }
    QByteArray Path(QByteArrayView relative) const;

    void Dir(QByteArrayView relative);
    // A sparse file of Size bytes: sizes past 4 GiB cost no disk space.
    void File(QByteArrayView relative, std::int64_t size = 0);
    void Symlink(QByteArrayView relative, QByteArrayView target);
    // A folder (made when missing) that only root can list or enter.
    void Unreadable(QByteArrayView relative);

    // Sets an xattr on the entry itself, never through a link. False when the file system
    // refuses it (no user xattrs here): callers skip then.
    bool Xattr(QByteArrayView relative, const char* name, QByteArrayView value);
    bool DosAttributes(QByteArrayView relative, std::uint32_t attributes,
                       DosForm form = DosForm::Record);

    ScopedFd OpenDir(QByteArrayView relative = {}) const;

  private:
    void MakeParents(QByteArrayView relative);

    QByteArray root_;
};

// A folder in memory (tmpfs), whose files may be as long as 2^63 - 1 bytes: sparse files far
// past what a disk's file system allows.
inline constexpr char kMemoryFolder[] = "/dev/shm";

// user.DOSATTRIB as Samba writes it in the given form.
QByteArray SambaDosValue(std::uint32_t attributes, TempTree::DosForm form);
