#include "tests/support/temp_tree.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void Check(bool ok, const char* step, const QByteArray& path) {
    if (!ok)
        ADD_FAILURE() << "TempTree: " << step << " " << path.constData() << ": " << strerror(errno);
}

std::vector<QByteArray> ListNames(int dirFd) {
    std::vector<QByteArray> names;
    DIR* dir = fdopendir(openat(dirFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir) return names;
    while (const dirent* entry = readdir(dir)) {
        if (strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0) {
            names.emplace_back(entry->d_name);
        }
    }
    closedir(dir);
    return names;
}

// Works by descriptor, so neither long paths nor odd names get in the way; folders get their
// permissions back before they are opened.
void RemoveEntry(int dirFd, const char* name) {
    if (unlinkat(dirFd, name, 0) == 0 || errno != EISDIR) return;
    fchmodat(dirFd, name, S_IRWXU, 0);
    const ScopedFd child(openat(dirFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (child.get() >= 0) {
        for (const QByteArray& entry : ListNames(child.get())) {
            RemoveEntry(child.get(), entry.constData());
        }
    }
    unlinkat(dirFd, name, AT_REMOVEDIR);
}

QByteArray SambaV5Record(std::uint32_t attributes) {
    // version 5, union level 5, valid_flags ATTRIB|CREATE_TIME, attrib, create_time
    QByteArray record("\x05\x00\x05\x00\x11\x00\x00\x00", 8);
    for (int i = 0; i < 4; ++i)
        record.append(static_cast<char>(attributes >> (8 * i) & 0xff));
    return record + QByteArray("\x00\x80\x3e\xd5\xde\xb1\x9d\x01", 8);
}

}  // namespace

QByteArray SambaDosValue(std::uint32_t attributes, TempTree::DosForm form) {
    QByteArray value = "0x" + QByteArray::number(attributes, 16);
    if (form == TempTree::DosForm::Text) return value;
    value.append('\0');
    if (form == TempTree::DosForm::Record) value += SambaV5Record(attributes);
    return value;
}

namespace {

QByteArray TemporaryBase() {
    const char* base = getenv("TMPDIR");
    return base && *base ? base : "/tmp";
}

}  // namespace

TempTree::TempTree() : TempTree(TemporaryBase()) {}

TempTree::TempTree(const QByteArray& base) {
    QByteArray pattern = base + "/tallmere-test-XXXXXX";
    const bool made = mkdtemp(pattern.data()) != nullptr;
    Check(made, "mkdtemp", pattern);
    if (made) root_ = pattern;
}

TempTree::~TempTree() {
    if (root_.isEmpty()) return;
    const QByteArray parent = root_.left(root_.lastIndexOf('/'));
    const ScopedFd parentFd(open(parent.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    RemoveEntry(parentFd.get(), root_.constData() + parent.size() + 1);
}

QByteArray TempTree::Path(QByteArrayView relative) const {
    return root_ + '/' + relative.toByteArray();
}

void TempTree::MakeParents(QByteArrayView relative) {
    for (qsizetype slash = relative.indexOf('/'); slash > 0;
         slash = relative.indexOf('/', slash + 1)) {
        const QByteArray parent = Path(relative.first(slash));
        Check(mkdir(parent.constData(), 0755) == 0 || errno == EEXIST, "mkdir", parent);
    }
}

void TempTree::Dir(QByteArrayView relative) {
    MakeParents(relative);
    const QByteArray path = Path(relative);
    Check(mkdir(path.constData(), 0755) == 0 || errno == EEXIST, "mkdir", path);
}

void TempTree::File(QByteArrayView relative, std::int64_t size) {
    MakeParents(relative);
    const QByteArray path = Path(relative);
    const ScopedFd fd(open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    Check(fd.get() >= 0 && ftruncate(fd.get(), size) == 0, "create", path);
}

void TempTree::Symlink(QByteArrayView relative, QByteArrayView target) {
    MakeParents(relative);
    const QByteArray path = Path(relative);
    Check(symlink(target.toByteArray().constData(), path.constData()) == 0, "symlink", path);
}

void TempTree::Unreadable(QByteArrayView relative) {
    Dir(relative);
    const QByteArray path = Path(relative);
    Check(chmod(path.constData(), 0) == 0, "chmod", path);
}

bool TempTree::Xattr(QByteArrayView relative, const char* name, QByteArrayView value) {
    const QByteArray path = Path(relative);
    return lsetxattr(path.constData(), name, value.data(), value.size(), 0) == 0;
}

bool TempTree::DosAttributes(QByteArrayView relative, std::uint32_t attributes, DosForm form) {
    return Xattr(relative, "user.DOSATTRIB", SambaDosValue(attributes, form));
}

ScopedFd TempTree::OpenDir(QByteArrayView relative) const {
    const QByteArray path = relative.isEmpty() ? root_ : Path(relative);
    ScopedFd fd(open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    Check(fd.get() >= 0, "open", path);
    return fd;
}
