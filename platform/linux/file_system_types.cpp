#include "platform/linux/file_system_types.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace {

struct PseudoType {
    std::string_view name;
    long magic;  // 0 when it reports another file system's number (devtmpfs: tmpfs's)
};

constexpr PseudoType kPseudoTypes[] = {
    {"proc", 0x9fa0},          {"sysfs", 0x62656572},       {"devtmpfs", 0},
    {"devpts", 0x1cd1},        {"cgroup", 0x27e0eb},        {"cgroup2", 0x63677270},
    {"debugfs", 0x64626720},   {"tracefs", 0x74726163},     {"securityfs", 0x73636673},
    {"pstore", 0x6165676c},    {"bpf", 0xcafe4a11},         {"configfs", 0x62656570},
    {"fusectl", 0x65735543},   {"mqueue", 0x19800202},      {"hugetlbfs", 0x958458f6},
    {"autofs", 0x0187},        {"binfmt_misc", 0x42494e4d}, {"efivarfs", 0xde5e81e4},
    {"nsfs", 0x6e736673},      {"rpc_pipefs", 0x67596969},  {"nfsd", 0x6e667364},
    {"selinuxfs", 0xf97cff8c}, {"fuse.gvfsd-fuse", 0},      {"fuse.portal", 0},
    {"fuse.lxcfs", 0},
};

constexpr std::string_view kMemoryTypes[] = {"tmpfs", "ramfs"};

constexpr std::string_view kNetworkTypes[] = {
    "nfs",   "nfs4",        "cifs",           "smb3",      "smbfs",          "ncpfs", "9p",
    "ceph",  "glusterfs",   "fuse.glusterfs", "afs",       "lustre",         "sshfs", "fuse.sshfs",
    "davfs", "fuse.davfs2", "fuse.rclone",    "fuse.s3fs", "fuse.curlftpfs",
};

constexpr std::string_view kDiscTypes[] = {"iso9660", "udf"};

QByteArrayView ViewOf(std::string_view name) {
    return QByteArrayView(name.data(), static_cast<qsizetype>(name.size()));
}

template <class Names>
bool Contains(const Names& names, QByteArrayView fsType) {
    return std::any_of(std::begin(names), std::end(names),
                       [&](std::string_view name) { return ViewOf(name) == fsType; });
}

}  // namespace

bool IsPseudoFileSystem(QByteArrayView fsType) {
    return std::any_of(std::begin(kPseudoTypes), std::end(kPseudoTypes),
                       [&](const PseudoType& type) { return ViewOf(type.name) == fsType; });
}

bool IsPseudoFileSystemMagic(long magic) {
    return magic != 0 && std::any_of(std::begin(kPseudoTypes), std::end(kPseudoTypes),
                                     [&](const PseudoType& type) { return type.magic == magic; });
}

bool IsMemoryFileSystem(QByteArrayView fsType) {
    return Contains(kMemoryTypes, fsType);
}

bool IsNetworkFileSystem(QByteArrayView fsType) {
    return Contains(kNetworkTypes, fsType);
}

bool IsDiscFileSystem(QByteArrayView fsType) {
    return Contains(kDiscTypes, fsType);
}
