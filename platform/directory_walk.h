#pragma once
// A parallel walk over directory trees. Directories are read relative to open handles with
// getdents64, never through full paths, so any depth works. Symbolic links are never
// followed, pseudo file systems are never entered, and a directory is never entered twice
// on one path (a bind mount of an ancestor). A visitor per thread sees every directory's
// entries and decides which subdirectories to enter, each with a tag that its
// subdirectories inherit unless the visitor gives them another. A visitor may let idle
// threads join in reading a long directory; each thread then sees a share of its entries.
// What could not be read is told to the visitor, never skipped in silence.

#include <sys/types.h>
#include <QByteArray>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <stop_token>
#include <vector>

#include "platform/dos_attributes.h"

// What the listing says an entry is; Unknown where the file system does not say.
enum class EntryKind : unsigned char { Unknown, File, Directory, Link, Other };

struct WalkEntry {
    const char* name;  // NUL-terminated; valid only during the call that hands it out
    EntryKind kind;
    ino_t inode;
};

struct EntryStat {
    bool isDirectory = false;
    std::uint64_t size = 0;       // the link's own size for a symbolic link
    std::uint64_t diskBytes = 0;  // the space allocated to it
    std::uint32_t links = 1;      // hard links to it
    std::uint64_t device = 0;     // with Inode, what all its hard links share
    std::uint64_t inode = 0;
};

struct WalkNode;

// What visitors keep for one directory while the walk holds it (figures gathered so far, say);
// freed with the directory, after its TreeDone.
class DirectoryState {
  public:
    virtual ~DirectoryState() = default;
};

// The directory a visitor is looking at.
class DirectoryScope {
  public:
    // 0 for a root, 1 for a directory directly below one, ...
    int Depth() const;
    std::uint64_t Tag() const;
    dos::Store Store() const;
    // The place of the batch being visited in the directory's listing: batches with smaller
    // ordinals list their entries first, whichever thread visits them.
    std::uint32_t BatchOrdinal() const { return batchOrdinal_; }

    // The directory's path, for messages.
    QByteArray Path() const;
    // The directory's device and inode number, as the walk found it.
    std::uint64_t Device() const;
    std::uint64_t Inode() const;
    // Whether its listing was read to the end: false in a TreeDone of a stopped walk that
    // left some of the directory's own entries unread.
    bool Listed() const;

    // Size and type of an entry, without following a link. False when that failed, with errno
    // saying why: ENOENT when the entry vanished since the listing; any other failure (a
    // folder that may be listed but not entered) also tells the visitor the directory is
    // unreadable.
    bool Stat(const WalkEntry& entry, EntryStat* stat) const;
    // The DOS attributes stored for Entry, never through a link: 0 when none are stored;
    // nothing when they could not be read, errno then saying why.
    std::optional<std::uint32_t> ReadAttributes(const WalkEntry& entry) const;
    // Clears Entry's archive bit, never through a link. False when nothing was changed; Error
    // is then the errno of a failure, or 0 when there was nothing to clear.
    bool ClearArchive(const WalkEntry& entry, int* error) const;
    // Whether the folder Entry is marked as a cache: it holds a CACHEDIR.TAG file that begins
    // with the standard signature. A link is never followed.
    bool HoldsCacheTag(const WalkEntry& entry) const;
    // Enters subdirectory Entry later, tagged Tag.
    void Descend(const WalkEntry& entry, std::uint64_t tag);

    // The visitors' state of this directory, and of the one above it; null where none was
    // set (a directory that a stopped walk never began has none). Only the first BeginDirectory of
    // a directory sets it, before other threads may join in reading it; visitors guard what they
    // change in it themselves.
    DirectoryState* State() const;
    DirectoryState* ParentState() const;
    void SetState(std::unique_ptr<DirectoryState> state);

  private:
    friend class WalkWorker;
    DirectoryScope(WalkNode* node, class WalkWorker* worker) : node_(node), worker_(worker) {}

    WalkNode* node_;
    class WalkWorker* worker_;
    std::uint32_t batchOrdinal_ = 0;
};

// Each thread that reads a directory brackets the batches it visits with BeginDirectory and
// EndDirectory: one thread for a directory unless the visitor lets it be shared.
class WalkVisitor {
  public:
    virtual ~WalkVisitor() = default;
    virtual void BeginDirectory(DirectoryScope& dir) = 0;
    // Entries of the directory in the order the system gives them, in one or more batches,
    // "." and ".." left out.
    virtual void VisitEntries(DirectoryScope& dir, std::span<const WalkEntry> entries) = 0;
    virtual void EndDirectory(DirectoryScope& dir) = 0;
    // Dir could not be opened or listed, or an entry of it could not be sized: Error is the
    // errno. Told at most once per directory, between its BeginDirectory and EndDirectory.
    // Directories left out on purpose (other volumes, pseudo file systems, a bind mount of an
    // ancestor) are not unreadable.
    virtual void Unreadable(const DirectoryScope& /*dir*/, int /*error*/) {}
    // Asked after BeginDirectory by the first thread: whether other threads may read and
    // visit batches of Dir's listing while it does.
    virtual bool MayShareDirectory(const DirectoryScope& /*dir*/) const { return false; }
    // Dir and everything below it are done: told once per directory, after every
    // EndDirectory of it and the TreeDone of each of its subdirectories, on whichever thread
    // finished it last. Complete is false when the walk was stopped before all of the tree
    // was read.
    virtual void TreeDone(DirectoryScope& /*dir*/, bool /*complete*/) {}
};

struct WalkRoot {
    QByteArray path;  // opened as given (a link to a directory is followed here only)
    std::uint64_t tag = 0;
    // Where the walk starts below Path ("" for Path itself): names separated by "/", each
    // opened relative to the one before without following a link, as the walk opens
    // subdirectories. A name that became a link fails with ENOTDIR or ELOOP.
    QByteArray below{};
};

// What the walk is doing, for a progress display on another thread. The walk publishes the
// directory it enters when asked to, and anyway every kRefresh, so that a display that looks
// now and then always finds a recent one.
class WalkProgress {
  public:
    static constexpr std::chrono::milliseconds kRefresh{50};

    // Asks the walk to publish the next directory it enters.
    void Request() { wanted_.store(true, std::memory_order_relaxed); }
    // The directory published last.
    QByteArray Current() const;

    // Entries listed so far, and how many the walk is expected to list (0: not known).
    std::int64_t Entries() const { return entries_.load(std::memory_order_relaxed); }
    std::int64_t Expected() const { return expected_.load(std::memory_order_relaxed); }
    void Expect(std::int64_t entries) { expected_.store(entries, std::memory_order_relaxed); }

    // For the walk: whether to publish the directory it enters now.
    bool Due();
    void Publish(QByteArray path);
    void Listed(std::int64_t entries) { entries_.fetch_add(entries, std::memory_order_relaxed); }

  private:
    static std::int64_t Now();

    std::atomic<bool> wanted_{true};
    std::atomic<std::int64_t> publishedAt_{0};  // steady clock, nanoseconds
    std::atomic<std::int64_t> entries_{0};
    std::atomic<std::int64_t> expected_{0};
    mutable std::mutex mutex_;
    QByteArray current_;
};

// Failures a test makes the walk meet; each hook returns an errno to fail with, or 0.
class WalkFaults {
  public:
    virtual ~WalkFaults() = default;
    virtual int OpenError(const QByteArray& /*directory*/) { return 0; }
    virtual int StatError(const QByteArray& /*directory*/, const char* /*name*/) { return 0; }
    // Before a walk thread starts; throws std::system_error as a failed start does.
    virtual void ThreadStarting() {}
};

struct WalkOptions {
    bool stayOnVolume = false;  // do not enter other mounted volumes
    std::stop_token stop;
    WalkProgress* progress = nullptr;
    int handleBudget = 256;  // open directory handles above which a walker reopens by path
    // Queued directories above which a thread stops listing a shared directory until the
    // queue drains, so memory does not grow with the number of subdirectories in one place.
    int queueBudget = 4096;
    WalkFaults* faults = nullptr;  // tests only
};

// Walks Roots with one thread per visitor (the calling thread is one of them). A thread the
// system will not start is done without: the others, the calling one at least, share its work
// and the results are the same. Returns false when it was stopped. A failure no thread can
// recover from, as std::bad_alloc, ends the walk and is thrown again here.
bool RunWalk(const std::vector<WalkRoot>& roots, std::span<WalkVisitor* const> visitors,
             const WalkOptions& options);
