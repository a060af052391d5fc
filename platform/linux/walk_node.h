#pragma once
// One directory of a walk: queued, being read, or kept as an ancestor of queued ones. A
// directory's handle stays open while threads still read it and subdirectories still need it
// to open themselves; when too many handles are open, subdirectories reopen their parent
// through the chain of names instead of borrowing its handle.

#include <sys/types.h>
#include <QByteArray>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>

#include "platform/directory_walk.h"
#include "platform/dos_attributes.h"

class MountPoints;

struct WalkNode {
    // A root at Below (names separated by "/") under Path.
    static WalkNode* Root(const QByteArray& path, const QByteArray& below, std::uint64_t tag);
    static WalkNode* Child(WalkNode* parent, const char* name, ino_t inode, std::uint64_t tag);
    // Drops one reference; the last one tells Done(node) that the node's tree is finished,
    // frees the node and releases its parent. An unfinished tree leaves its parent unfinished.
    template <class Done>
    static void Release(WalkNode* node, Done&& done) {
        while (node && node->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            WalkNode* parent = node->parent;
            done(node);
            if (parent && node->unfinished.load(std::memory_order_relaxed))
                parent->unfinished.store(true, std::memory_order_relaxed);
            delete node;
            node = parent;
        }
    }

    // Opens the directory unless it must not be entered; returns the handle or -1, with
    // Error set when opening failed (not when the directory was left out on purpose). An
    // InjectedError fails the open with that errno. The opening thread is the handle's first
    // user.
    int Open(const MountPoints& mounts, bool stayOnVolume, std::atomic<int>& openHandles,
             int injectedError = 0);
    // Gives up a queued directory without reading it: its tree is unfinished. The caller still
    // releases it.
    void Abandon(std::atomic<int>& openHandles);

    // The next getdents64 batch of the listing into Buffer: its length (0 at the end, -errno
    // when reading failed) and its place in the listing, counted from 0. Several threads may
    // read one listing.
    long ReadBatch(std::span<char> buffer, std::uint32_t* ordinal);
    bool Listed() const { return listed_.load(std::memory_order_acquire); }

    // One more thread reads the listing or one more subdirectory borrows the handle.
    void AddHandleUsers(int users) { handleUsers_.fetch_add(users, std::memory_order_relaxed); }
    // A user is done with the handle; the last one closes it.
    void DoneWithHandle(std::atomic<int>& openHandles);
    // The directory's path, for display.
    QByteArray Path() const;
    // True the first time it is asked: the one time the directory is told as unreadable.
    bool FirstFailure() { return !failureTold_.exchange(true, std::memory_order_relaxed); }

    WalkNode* parent = nullptr;
    std::atomic<int> refs{1};
    bool borrowsParentHandle = true;  // else it reopens its parent through the chain of names
    bool shared = false;              // threads may join in reading the listing
    std::atomic<bool> helpOffered{false};
    int fd = -1;
    int error = 0;  // errno of a failed open
    std::uint64_t tag = 0;
    int depth = 0;
    dev_t device = 0;
    ino_t inode = 0;
    dos::Store store = dos::Store::None;
    QByteArray name;   // a root's whole path
    QByteArray below;  // a root's names below its path
    std::unique_ptr<DirectoryState> state;
    std::atomic<bool> unfinished{false};  // the walk stopped before all of the tree was read

  private:
    int OpenRoot();
    // A root's directory: its path opened as given, then each name below it without following
    // a link. -1 with errno set when one fails.
    int OpenRootPath() const;
    int OpenBelow(int parentFd, const MountPoints& mounts, bool stayOnVolume);
    // Fd when its directory is on the parent's device, else -1 (Fd closed).
    int OnParentsDevice(int fd);
    // Handle, or -1 with Error set to errno.
    int Opened(int handle);
    void ReleaseParentHandle(std::atomic<int>& openHandles);
    bool IsAncestor(dev_t dev, ino_t ino) const;
    int ReopenByPath() const;

    std::atomic<int> handleUsers_{0};
    std::mutex listingMutex_;  // keeps batch ordinals in listing order
    std::uint32_t batchesRead_ = 0;
    std::atomic<bool> listed_{false};
    std::atomic<bool> failureTold_{false};
};
