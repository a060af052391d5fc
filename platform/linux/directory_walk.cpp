// The walk engine: workers with their own queues, stealing from each other when idle.
#include "platform/directory_walk.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <climits>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <new>
#include <system_error>
#include <thread>

#include "platform/linux/cache_tag.h"
#include "platform/linux/mount_points.h"
#include "platform/linux/walk_node.h"

namespace {

constexpr size_t kListingBufferSize = 64 * 1024;
// A batch that leaves less room than one record of the longest name may have more behind it.
constexpr size_t kLongestRecord = offsetof(dirent64, d_name) + NAME_MAX + 1 + 8;

EntryKind KindOf(unsigned char type) {
    switch (type) {
        case DT_UNKNOWN:
            return EntryKind::Unknown;
        case DT_REG:
            return EntryKind::File;
        case DT_DIR:
            return EntryKind::Directory;
        case DT_LNK:
            return EntryKind::Link;
        default:
            return EntryKind::Other;
    }
}

bool IsDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
}

// A directory to open and read, or an open one whose reading a thread may join.
struct WalkTask {
    WalkNode* node = nullptr;
    bool join = false;
};

}  // namespace

// What the workers of one walk share.
struct WalkShared {
    WalkShared(const WalkOptions& walkOptions, MountPoints mountPoints)
        : options(walkOptions), mounts(std::move(mountPoints)) {}

    const WalkOptions& options;
    MountPoints mounts;
    std::vector<class WalkWorker*> workers;
    std::atomic<long> pending{0};
    std::atomic<int> openHandles{0};
    std::mutex sleepMutex;
    std::condition_variable wakeUp;
    std::atomic<int> sleepers{0};
    // The first failure a worker could not recover from (no memory): the walk stops and the
    // calling thread rethrows it.
    std::mutex failureMutex;
    std::exception_ptr failure;
    std::atomic<bool> failed{false};

    bool Stopped() const {
        return failed.load(std::memory_order_relaxed) || options.stop.stop_requested();
    }
    void Fail(std::exception_ptr error) {
        std::lock_guard lock(failureMutex);
        if (!failure) failure = std::move(error);
        failed.store(true);
    }
    void WakeAll() {
        std::lock_guard lock(sleepMutex);
        wakeUp.notify_all();
    }
    void WakeOne() {
        if (sleepers.load() == 0) return;
        std::lock_guard lock(sleepMutex);
        wakeUp.notify_one();
    }
};

class WalkWorker {
  public:
    WalkWorker(WalkShared& shared, WalkVisitor& visitor)
        : shared_(shared), visitor_(visitor), buffer_(kListingBufferSize) {}

    void Push(std::vector<WalkNode*>& nodes);
    void Run();
    void AddChild(WalkNode* child) { children_.push_back(child); }
    // Tells the visitor, once per directory, that the directory of Scope could not be read.
    void ReportUnreadable(const DirectoryScope& scope, int error);
    WalkFaults* Faults() const { return shared_.options.faults; }

  private:
    void PushTask(WalkTask task);
    bool PopOwn(WalkTask* task);
    bool Steal(WalkTask* task);
    bool HasWork();
    void Sleep();
    void Perform(WalkTask task);
    void Drop(WalkTask task);
    // Drops a reference to Node, telling the visitor of each tree that it finishes.
    void Release(WalkNode* node);
    void Visit(WalkNode* node);
    void Join(WalkNode* node);
    void ReadEntries(DirectoryScope& scope);
    void CollectBatch(long length);
    void OfferHelp(WalkNode* node);
    bool QueueFull() const;
    void Postpone(WalkNode* node);
    void Finish(WalkNode* node, bool holdsHandle);
    void LendHandle(WalkNode* node);

    WalkShared& shared_;
    WalkVisitor& visitor_;
    std::mutex mutex_;
    std::deque<WalkTask> queue_;
    std::vector<char> buffer_;
    std::vector<WalkEntry> batch_;
    std::vector<WalkNode*> children_;
};

int DirectoryScope::Depth() const {
    return node_->depth;
}
std::uint64_t DirectoryScope::Tag() const {
    return node_->tag;
}
dos::Store DirectoryScope::Store() const {
    return node_->store;
}

QByteArray DirectoryScope::Path() const {
    return node_->Path();
}
std::uint64_t DirectoryScope::Device() const {
    return node_->device;
}
std::uint64_t DirectoryScope::Inode() const {
    return node_->inode;
}
bool DirectoryScope::Listed() const {
    return node_->Listed();
}

bool DirectoryScope::Stat(const WalkEntry& entry, EntryStat* stat) const {
    struct statx info {};
    // What a local file system answers in one go: asking for less is no faster.
    const unsigned mask = STATX_SIZE | STATX_BLOCKS | STATX_NLINK | STATX_INO |
                          (entry.kind == EntryKind::Unknown ? STATX_TYPE : 0);
    const int injected = worker_->Faults() ? worker_->Faults()->StatError(Path(), entry.name) : 0;
    if (injected ||
        statx(node_->fd, entry.name, AT_SYMLINK_NOFOLLOW | AT_STATX_DONT_SYNC, mask, &info) != 0) {
        const int error = injected ? injected : errno;
        if (error != ENOENT) worker_->ReportUnreadable(*this, error);
        errno = error;
        return false;
    }
    stat->isDirectory = entry.kind == EntryKind::Directory ||
                        (entry.kind == EntryKind::Unknown && S_ISDIR(info.stx_mode));
    stat->size = info.stx_size;
    stat->diskBytes = info.stx_blocks * 512;  // statx counts blocks of 512 bytes
    stat->links = info.stx_nlink;
    stat->device = makedev(info.stx_dev_major, info.stx_dev_minor);
    stat->inode = info.stx_ino;
    return true;
}

bool DirectoryScope::HoldsCacheTag(const WalkEntry& entry) const {
    return ::HoldsCacheTag(node_->fd, entry.name);
}

std::optional<std::uint32_t> DirectoryScope::ReadAttributes(const WalkEntry& entry) const {
    if (node_->store == dos::Store::None || entry.kind == EntryKind::Link) return 0;
    int error = 0;
    const std::optional<std::uint32_t> attributes =
        dos::ReadAttributes(node_->fd, entry.name, node_->store, &error);
    if (attributes || error == 0) return attributes.value_or(0);
    errno = error;
    return std::nullopt;
}

bool DirectoryScope::ClearArchive(const WalkEntry& entry, int* error) const {
    return dos::ClearArchive(node_->fd, entry.name, node_->store, error);
}

void DirectoryScope::Descend(const WalkEntry& entry, std::uint64_t tag) {
    worker_->AddChild(WalkNode::Child(node_, entry.name, entry.inode, tag));
}

DirectoryState* DirectoryScope::State() const {
    return node_->state.get();
}
DirectoryState* DirectoryScope::ParentState() const {
    return node_->parent ? node_->parent->state.get() : nullptr;
}
void DirectoryScope::SetState(std::unique_ptr<DirectoryState> state) {
    node_->state = std::move(state);
}

// Wakes an idle worker only when there is more queued than this worker takes next: a chain
// of single subdirectories stays on one thread instead of hopping between them.
void WalkWorker::Push(std::vector<WalkNode*>& nodes) {
    if (nodes.empty()) return;
    shared_.pending.fetch_add(static_cast<long>(nodes.size()));
    size_t queued = 0;
    {
        std::lock_guard lock(mutex_);
        // Listing order first: the queue's back is taken next.
        for (auto node = nodes.rbegin(); node != nodes.rend(); ++node)
            queue_.push_back(WalkTask{*node, false});
        queued = queue_.size();
    }
    nodes.clear();
    if (queued > 1) shared_.WakeOne();
}

// A task offered while this worker is still busy is for another one.
void WalkWorker::PushTask(WalkTask task) {
    shared_.pending.fetch_add(1);
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(task);
    }
    shared_.WakeOne();
}

bool WalkWorker::PopOwn(WalkTask* task) {
    std::lock_guard lock(mutex_);
    if (queue_.empty()) return false;
    *task = queue_.back();
    queue_.pop_back();
    return true;
}

// Takes the oldest task of another worker: the shallowest, so the largest share of work.
bool WalkWorker::Steal(WalkTask* task) {
    for (WalkWorker* other : shared_.workers) {
        if (other == this) continue;
        std::lock_guard lock(other->mutex_);
        if (other->queue_.empty()) continue;
        *task = other->queue_.front();
        other->queue_.pop_front();
        return true;
    }
    return false;
}

bool WalkWorker::HasWork() {
    for (WalkWorker* worker : shared_.workers) {
        std::lock_guard lock(worker->mutex_);
        if (!worker->queue_.empty()) return true;
    }
    return false;
}

void WalkWorker::Sleep() {
    std::unique_lock lock(shared_.sleepMutex);
    shared_.sleepers.fetch_add(1);
    if (shared_.pending.load() != 0 && !HasWork()) {
        shared_.wakeUp.wait_for(lock, std::chrono::milliseconds(50));
    }
    shared_.sleepers.fetch_sub(1);
}

void WalkWorker::Run() {
    while (true) {
        WalkTask task;
        if (PopOwn(&task) || Steal(&task)) {
            try {
                Perform(task);
            } catch (...) {  // the task is lost, and with it the walk: it ends for all
                shared_.Fail(std::current_exception());
            }
            if (shared_.pending.fetch_sub(1) == 1) shared_.WakeAll();
        } else if (shared_.pending.load() == 0) {
            return;
        } else {
            Sleep();
        }
    }
}

void WalkWorker::Perform(WalkTask task) {
    if (shared_.Stopped()) {
        Drop(task);
    } else if (task.join) {
        Join(task.node);
    } else {
        Visit(task.node);
    }
}

void WalkWorker::Drop(WalkTask task) {
    if (task.join) {
        task.node->unfinished.store(true, std::memory_order_relaxed);
        task.node->DoneWithHandle(shared_.openHandles);
    } else {
        task.node->Abandon(shared_.openHandles);
    }
    Release(task.node);
}

void WalkWorker::Release(WalkNode* node) {
    WalkNode::Release(node, [this](WalkNode* done) {
        DirectoryScope scope(done, this);
        visitor_.TreeDone(scope, !done->unfinished.load(std::memory_order_relaxed));
    });
}

void WalkWorker::Visit(WalkNode* node) {
    const int injected = Faults() ? Faults()->OpenError(node->Path()) : 0;
    const int fd =
        node->Open(shared_.mounts, shared_.options.stayOnVolume, shared_.openHandles, injected);
    WalkProgress* progress = shared_.options.progress;
    if (progress && progress->Due()) progress->Publish(node->Path());
    DirectoryScope scope(node, this);
    visitor_.BeginDirectory(scope);
    if (node->error) ReportUnreadable(scope, node->error);
    if (fd >= 0) {
        node->shared = visitor_.MayShareDirectory(scope);
        ReadEntries(scope);
    }
    visitor_.EndDirectory(scope);
    Finish(node, fd >= 0);
}

// Reads a share of a listing that another thread began.
void WalkWorker::Join(WalkNode* node) {
    node->helpOffered.store(false);
    if (!node->Listed()) {
        DirectoryScope scope(node, this);
        visitor_.BeginDirectory(scope);
        ReadEntries(scope);
        visitor_.EndDirectory(scope);
    }
    Finish(node, true);
}

void WalkWorker::ReadEntries(DirectoryScope& scope) {
    WalkNode* node = scope.node_;
    long got = 0;
    while (!shared_.Stopped() && (got = node->ReadBatch(buffer_, &scope.batchOrdinal_)) > 0) {
        const bool more = node->shared && buffer_.size() - got < kLongestRecord;
        if (more) OfferHelp(node);
        CollectBatch(got);
        if (WalkProgress* progress = shared_.options.progress) progress->Listed(batch_.size());
        if (!batch_.empty()) visitor_.VisitEntries(scope, batch_);
        if (more && QueueFull()) return Postpone(node);
    }
    if (got < 0) ReportUnreadable(scope, static_cast<int>(-got));
    if (!node->Listed()) node->unfinished.store(true, std::memory_order_relaxed);  // stopped
}

void WalkWorker::ReportUnreadable(const DirectoryScope& scope, int error) {
    if (scope.node_->FirstFailure()) visitor_.Unreadable(scope, error);
}

void WalkWorker::CollectBatch(long length) {
    batch_.clear();
    for (long at = 0; at < length;) {
        const auto* entry = reinterpret_cast<const dirent64*>(buffer_.data() + at);
        at += entry->d_reclen;
        if (!IsDotOrDotDot(entry->d_name)) {
            batch_.push_back(WalkEntry{entry->d_name, KindOf(entry->d_type), entry->d_ino});
        }
    }
}

// Queues one task at a time for a thread to join in reading Node's listing.
void WalkWorker::OfferHelp(WalkNode* node) {
    if (node->helpOffered.exchange(true)) return;
    node->refs.fetch_add(1, std::memory_order_relaxed);
    node->AddHandleUsers(1);
    PushTask(WalkTask{node, true});
}

bool WalkWorker::QueueFull() const {
    const auto queued = shared_.pending.load() + static_cast<long>(children_.size());
    return queued > shared_.options.queueBudget;
}

// Leaves the rest of Node's listing to a task that idle threads take first, once this one
// has turned to the subdirectories it queued.
void WalkWorker::Postpone(WalkNode* node) {
    node->refs.fetch_add(1, std::memory_order_relaxed);
    node->AddHandleUsers(1);
    shared_.pending.fetch_add(1);
    std::lock_guard lock(mutex_);
    queue_.push_front(WalkTask{node, true});
}

void WalkWorker::Finish(WalkNode* node, bool holdsHandle) {
    LendHandle(node);
    Push(children_);
    if (holdsHandle) node->DoneWithHandle(shared_.openHandles);
    Release(node);
}

// Subdirectories open themselves through Node's handle unless too many handles are open.
void WalkWorker::LendHandle(WalkNode* node) {
    if (children_.empty()) return;
    const bool overBudget = shared_.openHandles.load() > shared_.options.handleBudget;
    for (WalkNode* child : children_)
        child->borrowsParentHandle = !overBudget;
    if (!overBudget) node->AddHandleUsers(static_cast<int>(children_.size()));
}

bool RunWalk(const std::vector<WalkRoot>& roots, std::span<WalkVisitor* const> visitors,
             const WalkOptions& options) {
    std::vector<QByteArray> paths;
    for (const WalkRoot& root : roots)
        paths.push_back(root.path);
    WalkShared shared(options, MountPoints::Below(paths));
    std::vector<std::unique_ptr<WalkWorker>> workers;
    for (WalkVisitor* visitor : visitors) {
        workers.push_back(std::make_unique<WalkWorker>(shared, *visitor));
        shared.workers.push_back(workers.back().get());
    }
    std::vector<WalkNode*> rootNodes;
    for (const WalkRoot& root : roots)
        rootNodes.push_back(WalkNode::Root(root.path, root.below, root.tag));
    workers.front()->Push(rootNodes);
    std::stop_callback wake(options.stop, [&shared] { shared.WakeAll(); });
    std::vector<std::jthread> threads;
    for (size_t i = 1; i < workers.size(); ++i) {
        try {
            if (options.faults) options.faults->ThreadStarting();
            threads.emplace_back([worker = workers[i].get()] { worker->Run(); });
        } catch (const std::system_error&) {
            // A worker that never runs keeps an empty queue: the others take all the work.
        } catch (const std::bad_alloc&) {
            // No memory for its stack: likewise.
        }
    }
    workers.front()->Run();
    threads.clear();
    if (shared.failure) std::rethrow_exception(shared.failure);
    return !options.stop.stop_requested();
}

QByteArray WalkProgress::Current() const {
    std::lock_guard lock(mutex_);
    return current_;
}

bool WalkProgress::Due() {
    if (wanted_.load(std::memory_order_relaxed) && wanted_.exchange(false)) return true;
    return Now() - publishedAt_.load(std::memory_order_relaxed) >=
           std::chrono::nanoseconds(kRefresh).count();
}

void WalkProgress::Publish(QByteArray path) {
    publishedAt_.store(Now(), std::memory_order_relaxed);
    std::lock_guard lock(mutex_);
    current_ = std::move(path);
}

std::int64_t WalkProgress::Now() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
