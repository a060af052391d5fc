#pragma once
// One directory of a walk: queued, being read, or kept as an ancestor of queued ones. A
// directory's handle stays open while subdirectories still need it to open themselves; when
// too many handles are open, subdirectories reopen their parent through the chain of names.

#include <sys/types.h>
#include <QByteArray>
#include <atomic>
#include <cstdint>

#include "common/dos_attributes.h"

class MountPoints;

struct WalkNode {
    static WalkNode* Root(const QByteArray& path, std::uint64_t tag);
    static WalkNode* Child(WalkNode* parent, const char* name, ino_t inode, std::uint64_t tag);
    // Drops one reference; the last one frees the node and releases its parent.
    static void Release(WalkNode* node);

    // Opens the directory unless it must not be entered; returns the handle or -1.
    int Open(const MountPoints& mounts, bool stayOnVolume, std::atomic<int>& openHandles);
    // Gives up a queued directory without reading it.
    void Abandon(std::atomic<int>& openHandles);
    // After reading: keep the handle for Children subdirectories, or close it.
    void KeepHandleFor(int children, bool overBudget, std::atomic<int>& openHandles);
    // The directory's path, for display.
    QByteArray Path() const;

    WalkNode* parent = nullptr;
    std::atomic<int> refs{1};
    std::atomic<int> handleUsers{0};
    int fd = -1;
    std::uint64_t tag = 0;
    int depth = 0;
    dev_t device = 0;
    ino_t inode = 0;
    dos::Store store = dos::Store::None;
    QByteArray name;  // a root's whole path

  private:
    int OpenRoot(std::atomic<int>& openHandles);
    int OpenBelow(int parentFd, const MountPoints& mounts, bool stayOnVolume);
    bool IsAncestor(dev_t dev, ino_t ino) const;
    int ReopenByPath() const;
    void DoneWithHandle(std::atomic<int>& openHandles);
    void CloseHandle(std::atomic<int>& openHandles);
};
