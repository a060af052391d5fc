#pragma once
// DOS attributes (hidden, system, archive, ...) as the file systems store them: the vfat
// ioctl, the ntfs3 and SMB xattrs, and Samba's user.DOSATTRIB elsewhere.

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>
#include <optional>

namespace dos {

inline constexpr std::uint32_t kReadOnly = 0x01;
inline constexpr std::uint32_t kHidden = 0x02;
inline constexpr std::uint32_t kSystem = 0x04;
inline constexpr std::uint32_t kDirectory = 0x10;
inline constexpr std::uint32_t kArchive = 0x20;

// Where a file system keeps DOS attributes.
enum class Store {
    None,        // cannot hold them: every bit reads as clear
    VfatIoctl,   // FAT_IOCTL_GET_ATTRIBUTES / FAT_IOCTL_SET_ATTRIBUTES on an open file
    Ntfs3Xattr,  // "system.ntfs_attrib", 32-bit little-endian
    CifsXattr,   // "user.cifs.dosattrib", 32-bit little-endian
    SambaXattr,  // "user.DOSATTRIB": text "0x20", optionally followed by a binary record v1..5
};

// The store of the file system whose statfs f_type is Magic.
Store StoreForFileSystem(long magic);

// The attributes of entry Name of the directory open as DirFd, never following a symbolic
// link; nothing when none are stored or they cannot be read. Error, when given, is then the
// errno of a failure, or 0 when none are stored (or not in a known form).
std::optional<std::uint32_t> ReadAttributes(int dirFd, const char* name, Store store,
                                            int* error = nullptr);

// Clears the archive bit of entry Name of DirFd in its store, keeping every other bit and
// field; never follows a symbolic link. False when nothing was changed; Error, when given, is
// then the errno of a failure, or 0 when there was nothing to clear (the bit clear, nothing
// stored, a link, an entry gone).
bool ClearArchive(int dirFd, const char* name, Store store, int* error = nullptr);

// Samba's user.DOSATTRIB value: the attributes it holds (the binary record's when valid,
// else the text's), or nothing when the value is not in a known form.
std::optional<std::uint32_t> ParseSambaValue(QByteArrayView value);

// The same value with Attributes written into the text and the binary record, in the form
// it had; every other byte kept.
QByteArray SambaValueWith(QByteArrayView value, std::uint32_t attributes);

}  // namespace dos
