#include "platform/directory_walk.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>
#include <QFile>

#include <algorithm>
#include <atomic>
#include <map>
#include <mutex>
#include <set>
#include <stop_token>
#include <string_view>
#include <tuple>
#include <utility>

#include "tests/support/temp_tree.h"
#include "tests/support/walk_trees.h"

namespace {

// A tag that names a directory by its parent's tag and its own name, whoever reads it.
std::uint64_t TagOf(std::uint64_t parent, std::string_view name) {
    return parent * 1000003 ^ std::hash<std::string_view>{}(name);
}

// Enters every subdirectory, records every entry it is given by its parent's tag and lets
// other threads join in reading long listings when Sharing says so.
class Recorder : public WalkVisitor {
  public:
    explicit Recorder(bool sharing = true) : sharing_(sharing) {}
    void BeginDirectory(DirectoryScope&) override {}
    void VisitEntries(DirectoryScope& dir, std::span<const WalkEntry> entries) override {
        for (const WalkEntry& entry : entries) {
            seen.push_back(QByteArray::number(dir.Tag()) + "/" + entry.name);
            if (IsDirectory(dir, entry)) dir.Descend(entry, TagOf(dir.Tag(), entry.name));
        }
    }
    void EndDirectory(DirectoryScope&) override {}
    bool MayShareDirectory(const DirectoryScope&) const override { return sharing_; }

    std::vector<QByteArray> seen;

  protected:
    virtual bool IsDirectory(DirectoryScope&, const WalkEntry& entry) {
        return entry.kind == EntryKind::Directory;
    }

  private:
    bool sharing_;
};

// Stops the walk when it meets a named entry, and counts the batches that any thread still
// begins to visit after the stop.
class StopAt final : public Recorder {
  public:
    StopAt(QByteArray name, std::stop_source& stop, std::atomic<int>& lateBatches)
        : name_(std::move(name)), stop_(stop), lateBatches_(lateBatches) {}
    void VisitEntries(DirectoryScope& dir, std::span<const WalkEntry> entries) override {
        if (stop_.stop_requested()) ++lateBatches_;
        for (const WalkEntry& entry : entries) {
            if (name_ == entry.name) stop_.request_stop();
        }
        Recorder::VisitEntries(dir, entries);
    }

  private:
    QByteArray name_;
    std::stop_source& stop_;
    std::atomic<int>& lateBatches_;
};

// Learns every entry's type from Stat, as on a file system whose listings leave it unknown.
class TypeBlind final : public Recorder {
  protected:
    bool IsDirectory(DirectoryScope& dir, const WalkEntry& entry) override {
        WalkEntry blind = entry;
        blind.kind = EntryKind::Unknown;
        EntryStat stat;
        return dir.Stat(blind, &stat) && stat.isDirectory;
    }
};

// Directories entered but not yet begun, over all threads, and the most there were at once.
struct QueueCount {
    std::mutex mutex;
    std::set<std::uint64_t> begun;
    long queued = 1;  // the start directory
    long most = 0;
};

class QueueWatcher final : public Recorder {
  public:
    explicit QueueWatcher(QueueCount& count) : count_(count) {}
    void BeginDirectory(DirectoryScope& dir) override {
        std::lock_guard lock(count_.mutex);
        if (count_.begun.insert(dir.Tag()).second) --count_.queued;
    }
    void VisitEntries(DirectoryScope& dir, std::span<const WalkEntry> entries) override {
        Recorder::VisitEntries(dir, entries);
        std::lock_guard lock(count_.mutex);
        count_.queued += std::count_if(entries.begin(), entries.end(), [](const WalkEntry& entry) {
            return entry.kind == EntryKind::Directory;
        });
        count_.most = std::max(count_.most, count_.queued);
    }

  private:
    QueueCount& count_;
};

// Every entry seen by any of Visitors, sorted, duplicates kept.
template <typename Visitor>
std::multiset<QByteArray> Walk(const QByteArray& root, std::vector<Visitor>& visitors,
                               WalkOptions options = {}) {
    std::vector<WalkVisitor*> walkers;
    for (Visitor& visitor : visitors)
        walkers.push_back(&visitor);
    EXPECT_TRUE(RunWalk({WalkRoot{root, 1}}, walkers, options));
    std::multiset<QByteArray> seen;
    for (const Visitor& visitor : visitors)
        seen.insert(visitor.seen.begin(), visitor.seen.end());
    return seen;
}

void MixedTree(TempTree& tree) {
    RandomTree(tree, 60, 300, 3);
    WideFolder(tree, "wide", 40, 900);
}

// Mounts a tmpfs holding a file "inside" on folder At just before the walk opens directory
// When, as someone else may mount a volume while a walk runs; unmounted on destruction.
class MountDuringWalk final : public WalkFaults {
  public:
    MountDuringWalk(QByteArray when, QByteArray at) : when_(std::move(when)), at_(std::move(at)) {}
    ~MountDuringWalk() override {
        if (mounted_) umount2(at_.constData(), MNT_DETACH);
    }
    int OpenError(const QByteArray& directory) override {
        if (directory == when_ && !mounted_) {
            mounted_ = mount("tallmere-late", at_.constData(), "tmpfs", 0, "size=1m") == 0;
            QFile inside(QFile::decodeName(at_ + "/inside"));
            if (mounted_) inside.open(QIODevice::WriteOnly);
        }
        return 0;
    }
    bool Mounted() const { return mounted_; }

  private:
    QByteArray when_;
    QByteArray at_;
    bool mounted_ = false;
};

}  // namespace

TEST(Walk, SharedListingsHandEachEntryToExactlyOneThread) {
    TempTree tree;
    MixedTree(tree);
    std::vector<Recorder> one(1, Recorder(false));
    const std::multiset<QByteArray> expected = Walk(tree.Path(), one);
    EXPECT_EQ(std::set<QByteArray>(expected.begin(), expected.end()).size(), expected.size());
    EXPECT_GE(expected.size(), 300u + 1u + 40u * 2 + 900u);
    for (int budget : {256, 0}) {
        std::vector<Recorder> four(4);
        WalkOptions options;
        options.handleBudget = budget;
        const int before = OpenDescriptors();
        EXPECT_EQ(Walk(tree.Path(), four, options), expected) << "budget " << budget;
        EXPECT_EQ(OpenDescriptors(), before);
    }
}

TEST(Walk, StatTellsDirectoriesWhenListingsGiveNoTypes) {
    TempTree tree;
    MixedTree(tree);
    tree.Symlink("wide/link-to-dir", "..");
    std::vector<Recorder> typed(1);
    std::vector<TypeBlind> blind(3);
    EXPECT_EQ(Walk(tree.Path(), blind), Walk(tree.Path(), typed));
}

// Stops from inside the walk at each entry in turn, in shared and unshared listings: the
// walk reports the stop, closes every handle it opened, and no thread starts more than the
// one batch it may have been fetching when the stop came.
TEST(Walk, StopsAtEveryEntryPromptlyWithoutLeakingHandles) {
    TempTree tree;
    RandomTree(tree, 30, 120, 5);
    WideFolder(tree, "wide", 10, 700);
    std::vector<Recorder> one(1);
    const std::multiset<QByteArray> entries = Walk(tree.Path(), one);
    const int before = OpenDescriptors();
    for (const QByteArray& entry : entries) {
        const QByteArray name = entry.mid(entry.indexOf('/') + 1);
        std::stop_source stop;
        std::atomic<int> lateBatches = 0;
        std::vector<StopAt> visitors;
        for (int i = 0; i < 3; ++i)
            visitors.emplace_back(name, stop, lateBatches);
        std::vector<WalkVisitor*> walkers(visitors.size());
        std::transform(visitors.begin(), visitors.end(), walkers.begin(),
                       [](StopAt& v) { return &v; });
        WalkOptions options;
        options.stop = stop.get_token();
        EXPECT_FALSE(RunWalk({WalkRoot{tree.Path(), 1}}, walkers, options)) << name.constData();
        EXPECT_LE(lateBatches.load(), 3) << name.constData();
        ASSERT_EQ(OpenDescriptors(), before) << name.constData();
    }
}

// A folder with thousands of subfolders is listed a batch at a time while the queue is full,
// so the subfolders waiting to be read stay near the budget plus a batch per thread.
TEST(Walk, QueueBudgetBoundsTheSubdirectoriesWaiting) {
    TempTree tree;
    WideFolder(tree, "", 3000, 0);
    std::vector<Recorder> one(1);
    const std::multiset<QByteArray> expected = Walk(tree.Path(), one);
    QueueCount count;
    std::vector<QueueWatcher> four(4, QueueWatcher(count));
    WalkOptions options;
    options.queueBudget = 16;
    EXPECT_EQ(Walk(tree.Path(), four, options), expected);
    const long batch = 64 * 1024 / (WideName('d', 0).size() + 20);  // entries of one batch
    EXPECT_LE(count.most, 16 + 4 * batch);
    EXPECT_EQ(count.queued, 0);
}

namespace {

// Each directory's entries, own and below it, gathered in its state by whichever threads read
// it, and passed up when its tree is done.
struct EntryTally final : DirectoryState {
    std::mutex mutex;
    long entries = 0;
};

struct TreeLog {
    std::mutex mutex;
    std::vector<std::tuple<QByteArray, long, bool>> done;  // path, entries below, complete
};

class TreeCounter final : public Recorder {
  public:
    TreeCounter(TreeLog& log, std::stop_source* stopAtWide = nullptr)
        : log_(log), stop_(stopAtWide) {}
    void BeginDirectory(DirectoryScope& dir) override {
        if (!dir.State()) dir.SetState(std::make_unique<EntryTally>());
    }
    void VisitEntries(DirectoryScope& dir, std::span<const WalkEntry> entries) override {
        Recorder::VisitEntries(dir, entries);
        batch_ += static_cast<long>(entries.size());
        if (stop_ && dir.Path().endsWith("/wide")) stop_->request_stop();
    }
    void EndDirectory(DirectoryScope& dir) override { Add(dir.State(), std::exchange(batch_, 0)); }
    void TreeDone(DirectoryScope& dir, bool complete) override {
        const auto* tally = static_cast<EntryTally*>(dir.State());  // null if never begun
        const long entries = tally ? tally->entries : 0;
        Add(dir.ParentState(), entries);
        std::lock_guard lock(log_.mutex);
        log_.done.emplace_back(dir.Path(), entries, complete);
    }

  private:
    static void Add(DirectoryState* state, long entries) {
        if (!state) return;
        auto* tally = static_cast<EntryTally*>(state);
        std::lock_guard lock(tally->mutex);
        tally->entries += entries;
    }

    TreeLog& log_;
    std::stop_source* stop_;
    long batch_ = 0;
};

QByteArray ParentPath(const QByteArray& path) {
    return path.left(path.lastIndexOf('/'));
}

}  // namespace

// Every directory's tree is told done once, after all the trees below it, with the entries
// of the whole tree: threads sharing long listings and finishing subtrees at once lose none.
TEST(Walk, TellsEachTreeDoneAfterTheTreesBelowIt) {
    TempTree tree;
    MixedTree(tree);
    std::vector<Recorder> one(1, Recorder(false));
    const std::multiset<QByteArray> entries = Walk(tree.Path(), one);
    TreeLog log;
    std::vector<TreeCounter> four(4, TreeCounter(log));
    Walk(tree.Path(), four);
    std::map<QByteArray, std::size_t> place;
    for (std::size_t i = 0; i < log.done.size(); ++i) {
        const auto& [path, count, complete] = log.done[i];
        EXPECT_TRUE(place.emplace(path, i).second) << "told twice: " << path.constData();
        EXPECT_TRUE(complete);
    }
    EXPECT_EQ(std::get<0>(log.done.back()), tree.Path());
    EXPECT_EQ(std::get<1>(log.done.back()), static_cast<long>(entries.size()));
    EXPECT_EQ(std::get<1>(log.done[place.at(tree.Path("wide"))]), 40 * 2 + 900);
    for (const auto& [path, at] : place) {
        if (path != tree.Path()) {
            EXPECT_LT(at, place.at(ParentPath(path))) << path.constData();
        }
    }
}

// A walk stopped part-way still tells every tree it began done, once, and every tree above an
// unfinished one is unfinished too.
TEST(Walk, StoppedWalkTellsUnfinishedTrees) {
    TempTree tree;
    MixedTree(tree);
    TreeLog log;
    std::stop_source stop;
    std::vector<TreeCounter> three(3, TreeCounter(log, &stop));
    std::vector<WalkVisitor*> walkers{&three[0], &three[1], &three[2]};
    WalkOptions options;
    options.stop = stop.get_token();
    EXPECT_FALSE(RunWalk({WalkRoot{tree.Path(), 1}}, walkers, options));
    std::map<QByteArray, bool> complete;
    for (const auto& [path, count, done] : log.done)
        EXPECT_TRUE(complete.emplace(path, done).second) << "told twice: " << path.constData();
    EXPECT_FALSE(complete.at(tree.Path()));
    EXPECT_FALSE(complete.at(tree.Path("wide")));
    for (const auto& [path, done] : complete) {
        if (!done && path != tree.Path()) {
            EXPECT_FALSE(complete.at(ParentPath(path))) << path.constData();
        }
    }
}

TEST(Walk, StaysOnTheStartsFileSystemThoughAVolumeIsMountedDuringTheWalk) {
    if (geteuid() != 0) GTEST_SKIP() << "mounting a volume needs root";
    TempTree tree;
    tree.File("a/late/below", 1);
    tree.File("a/f", 1);
    MountDuringWalk faults(tree.Path("a"), tree.Path("a/late"));
    WalkOptions options;
    options.stayOnVolume = true;
    options.faults = &faults;
    std::vector<Recorder> visitors(2);
    const std::multiset<QByteArray> seen = Walk(tree.Path(), visitors, options);
    ASSERT_TRUE(faults.Mounted());
    const auto named = [&](std::string_view name) {
        return std::count_if(seen.begin(), seen.end(),
                             [&](const QByteArray& entry) { return entry.endsWith(name); });
    };
    EXPECT_EQ(named("/late"), 1);  // the mount point is an entry of its folder
    EXPECT_EQ(named("/f"), 1);
    EXPECT_EQ(named("/inside"), 0);
    EXPECT_EQ(named("/below"), 0);
}
