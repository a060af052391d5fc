#pragma once
// The mount points met by a walk. A directory entry is a mount point when its parent's device
// and the inode that getdents reports for it match a directory covered by a mount, so a walk
// recognises mount points without a system call per directory.

#include <sys/types.h>
#include <QByteArray>
#include <unordered_map>
#include <vector>

struct CoveredMount {
    QByteArray fsType;
};

class MountPoints {
  public:
    // The mount points at or below the given directories, from the mount table.
    static MountPoints Below(const std::vector<QByteArray>& directories);

    // The mount covering inode Inode of device Device, or null.
    const CoveredMount* Find(dev_t device, ino_t inode) const;

    void Add(dev_t device, ino_t inode, CoveredMount mount);

  private:
    struct Key {
        dev_t device;
        ino_t inode;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        size_t operator()(const Key& key) const { return key.device * 1000003u ^ key.inode; }
    };
    std::unordered_map<Key, CoveredMount, KeyHash> covered_;
};
