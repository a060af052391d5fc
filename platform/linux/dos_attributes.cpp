#include "platform/dos_attributes.h"

#include "platform/linux/dos_attributes_route.h"
#include "platform/linux/file_system_types.h"
#include "platform/linux/little_endian.h"

#include <errno.h>
#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dos {
namespace {

struct FileSystemStore {
    std::uint32_t magic;  // statfs f_type
    Store store;
};

// File systems whose DOS attributes live somewhere other than Samba's xattr, or nowhere
// (besides the pseudo file systems).
constexpr FileSystemStore kFileSystemStores[] = {
    {0x4d44, Store::VfatIoctl},       // msdos, vfat
    {0x5346544e, Store::Ntfs3Xattr},  // ntfs3
    {0xff534d42, Store::CifsXattr},   // cifs
    {0xfe534d42, Store::CifsXattr},   // smb2, smb3
    {0x858458f6, Store::None},        // ramfs
    {0x9660, Store::None},            // iso9660
    {0x15013346, Store::None},        // udf
    {0x28cd3d45, Store::None},        // cramfs
    {0x7275, Store::None},            // romfs
    {0x2011bab0, Store::None},        // exfat
};

const char* XattrNameOf(Store store) {
    switch (store) {
        case Store::Ntfs3Xattr:
            return "system.ntfs_attrib";
        case Store::CifsXattr:
            return "user.cifs.dosattrib";
        default:
            return "user.DOSATTRIB";
    }
}

// Room for any DOSATTRIB value Samba writes; a longer value reads as none.
constexpr std::size_t kValueCapacity = 256;
using ValueBuffer = char[kValueCapacity];

std::optional<QByteArrayView> ReadXattrValue(int dirFd, const char* name, Store store,
                                             detail::XattrRoute route, ValueBuffer& buffer) {
    const ssize_t length =
        detail::GetEntryXattr(dirFd, name, XattrNameOf(store), buffer, sizeof buffer, route);
    if (length < 0) return std::nullopt;
    return QByteArrayView(buffer, length);
}

std::optional<std::uint32_t> Decode(Store store, QByteArrayView value) {
    if (store == Store::SambaXattr) return ParseSambaValue(value);
    if (value.size() != 4) return std::nullopt;
    return little_endian::Load32(value.data());
}

QByteArray Encode(Store store, QByteArrayView value, std::uint32_t attributes) {
    if (store == Store::SambaXattr) return SambaValueWith(value, attributes);
    QByteArray word(4, '\0');
    little_endian::Store32(word.data(), attributes);
    return word;
}

// O_NOFOLLOW makes a symbolic link fail with ELOOP; O_NONBLOCK keeps a FIFO from blocking.
int OpenEntry(int dirFd, const char* name) {
    return openat(dirFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
}

// Errors that mean the entry has no attributes to change: it vanished, or nothing is stored.
bool NothingStored(int error) {
    return error == ENOENT || error == ENODATA || error == EOPNOTSUPP || error == ERANGE;
}

// Nothing read: Error, when given, gets the errno of a failure or 0 when nothing is stored.
std::optional<std::uint32_t> Unread(int* error, int failure) {
    if (error) *error = NothingStored(failure) ? 0 : failure;
    return std::nullopt;
}

std::optional<std::uint32_t> ReadVfat(int dirFd, const char* name, int* error) {
    const int fd = OpenEntry(dirFd, name);
    if (fd < 0) return Unread(error, errno);
    std::uint32_t attributes = 0;
    const bool read = ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &attributes) == 0;
    const int failure = errno;
    close(fd);
    if (!read) return Unread(error, failure);
    return attributes;
}

// False for a change that did not happen; Error, when given, gets the errno of a failure or 0
// when there was nothing to change.
bool Unchanged(int* error, int failure) {
    if (error) *error = NothingStored(failure) ? 0 : failure;
    return false;
}

bool ClearVfatArchive(int dirFd, const char* name, int* error) {
    const int fd = OpenEntry(dirFd, name);
    if (fd < 0) return Unchanged(error, errno);
    std::uint32_t attributes = 0;
    int failure = 0;  // stays 0 when the bit is clear already
    bool cleared = false;
    if (ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &attributes) != 0) {
        failure = errno;
    } else if (attributes & kArchive) {
        attributes &= ~kArchive;
        cleared = ioctl(fd, FAT_IOCTL_SET_ATTRIBUTES, &attributes) == 0;
        if (!cleared) failure = errno;
    }
    close(fd);
    return cleared || Unchanged(error, failure);
}

bool ClearXattrArchive(int dirFd, const char* name, Store store, detail::XattrRoute route,
                       int* error) {
    ValueBuffer buffer;
    const std::optional<QByteArrayView> current = ReadXattrValue(dirFd, name, store, route, buffer);
    if (!current) return Unchanged(error, errno);
    const std::optional<std::uint32_t> attributes = Decode(store, *current);
    if (!attributes || !(*attributes & kArchive)) return Unchanged(error, 0);
    const QByteArray updated = Encode(store, *current, *attributes & ~kArchive);
    if (detail::ReplaceEntryXattr(dirFd, name, XattrNameOf(store), updated, route)) return true;
    return Unchanged(error, errno);
}

bool IsSymbolicLink(int dirFd, const char* name) {
    struct stat status;
    return fstatat(dirFd, name, &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(status.st_mode);
}

}  // namespace

Store StoreForFileSystem(long magic) {
    if (IsPseudoFileSystemMagic(magic)) return Store::None;
    const auto key = static_cast<std::uint32_t>(magic);
    for (const FileSystemStore& entry : kFileSystemStores) {
        if (entry.magic == key) return entry.store;
    }
    return Store::SambaXattr;
}

std::optional<std::uint32_t> ReadAttributes(int dirFd, const char* name, Store store, int* error) {
    return detail::ReadAttributes(dirFd, name, store, detail::XattrRoute::Automatic, error);
}

bool ClearArchive(int dirFd, const char* name, Store store, int* error) {
    return detail::ClearArchive(dirFd, name, store, detail::XattrRoute::Automatic, error);
}

namespace detail {

// One system call for the xattr stores: this runs for every entry of a walk.
std::optional<std::uint32_t> ReadAttributes(int dirFd, const char* name, Store store,
                                            XattrRoute route, int* error) {
    if (error) *error = 0;
    if (store == Store::None) return std::nullopt;
    if (store == Store::VfatIoctl) return ReadVfat(dirFd, name, error);
    ValueBuffer buffer;
    const std::optional<QByteArrayView> value = ReadXattrValue(dirFd, name, store, route, buffer);
    if (!value) return Unread(error, errno);
    return Decode(store, *value);
}

bool ClearArchive(int dirFd, const char* name, Store store, XattrRoute route, int* error) {
    if (store == Store::None || IsSymbolicLink(dirFd, name)) return Unchanged(error, 0);
    if (store == Store::VfatIoctl) return ClearVfatArchive(dirFd, name, error);
    return ClearXattrArchive(dirFd, name, store, route, error);
}

}  // namespace detail
}  // namespace dos
