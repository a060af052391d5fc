#include "census/scan.h"

#include <QString>
#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <numeric>
#include <optional>
#include <thread>
#include <tuple>
#include <unordered_map>

#include "census/hard_links.h"
#include "census/tree_tally.h"
#include "platform/current_directory.h"
#include "platform/directory_walk.h"
#include "platform/volumes.h"
#include "table/text_fields.h"

namespace {

// A row tag: the start directory's index, and 0 for its own row or 1.. for its subdirectories.
std::uint64_t RowTag(std::uint64_t root, std::uint64_t child) {
    return root << 32 | child;
}
std::uint64_t RootOf(std::uint64_t tag) {
    return tag >> 32;
}
std::uint64_t ChildOf(std::uint64_t tag) {
    return tag & 0xffffffffu;
}

QByteArray WithTrailingSlash(QByteArray path) {
    if (!path.endsWith('/')) path += '/';
    return path;
}

// The subdirectories of a start directory, numbered 1, 2, ... as threads meet them, with
// their places in the listing so that rows come out in listing order.
class RootListing {
  public:
    // Entry Index of listing batch Batch; returns its number.
    std::uint64_t Add(std::uint32_t batch, std::uint32_t index, const char* name);
    // The numbers in listing order.
    std::vector<std::uint64_t> InListingOrder() const;
    const QByteArray& Name(std::uint64_t number) const { return listed_[number - 1].name; }

  private:
    struct Listed {
        std::uint32_t batch;
        std::uint32_t index;
        QByteArray name;
    };
    std::mutex mutex_;
    std::vector<Listed> listed_;
};

std::uint64_t RootListing::Add(std::uint32_t batch, std::uint32_t index, const char* name) {
    std::lock_guard lock(mutex_);
    listed_.push_back(Listed{batch, index, QByteArray(name)});
    return listed_.size();
}

std::vector<std::uint64_t> RootListing::InListingOrder() const {
    std::vector<std::uint64_t> numbers(listed_.size());
    std::iota(numbers.begin(), numbers.end(), 1);
    std::sort(numbers.begin(), numbers.end(), [this](std::uint64_t a, std::uint64_t b) {
        const Listed& left = listed_[a - 1];
        const Listed& right = listed_[b - 1];
        return std::tie(left.batch, left.index) < std::tie(right.batch, right.index);
    });
    return numbers;
}

// A directory's tree figures while the walk holds it.
struct TallyState final : DirectoryState {
    TreeTally tally;
};

TreeTally* TallyOf(DirectoryState* state) {
    return state ? &static_cast<TallyState*>(state)->tally : nullptr;
}

// Counts entries into the rows of one walker thread, and into each directory's tree figures
// when the request has sinks for them.
class SummaryVisitor final : public WalkVisitor {
  public:
    // CurrentDir: the absolute path that relative start directories are below.
    SummaryVisitor(std::vector<RootListing>& listings, const ScanRequest& request,
                   const ExcludeRule& excludes, const QByteArray& currentDir)
        : listings_(listings),
          request_(request),
          counting_(request.counting),
          excludes_(excludes),
          currentDir_(currentDir) {}

    void BeginDirectory(DirectoryScope& dir) override;
    void VisitEntries(DirectoryScope& dir, std::span<const WalkEntry> entries) override;
    void EndDirectory(DirectoryScope&) override { current_ = nullptr; }
    void Unreadable(const DirectoryScope& dir, int error) override;
    // Rows only add up, and start directories keep their listing order by batch ordinals.
    bool MayShareDirectory(const DirectoryScope&) const override { return true; }
    // A stopped walk leaves unfinished the rows of the subdirectories it had not read whole,
    // and those of start directories whose own listing it had not read to the end.
    void TreeDone(DirectoryScope& dir, bool complete) override;

    // The counts of row Child of start directory Root, zero when this thread saw none.
    Counts RowCounts(std::uint64_t root, std::uint64_t child) const;
    // What this thread had to leave out of the row of Tag, unread folders in no order.
    Skipped RowSkipped(std::uint64_t tag) const;
    // The folder of the row of Tag, when this thread began it.
    std::optional<FolderIdentity> RowIdentity(std::uint64_t tag) const;
    // The files with several links this thread met, when they count once.
    const std::vector<LinkMeeting>& Meetings() const { return meetings_; }
    std::int64_t Excluded() const { return excluded_; }

  private:
    Counts& Row(std::uint64_t tag);
    void CountDirectory(DirectoryScope& dir, const WalkEntry& entry, std::uint32_t index);
    void CountFile(DirectoryScope& dir, const WalkEntry& entry, const EntryStat& stat);
    // Dir's sink, null when tree figures are not gathered.
    TreeSink* SinkOf(const DirectoryScope& dir) const;
    // Dir's path below its start directory.
    QByteArray RelativePath(const DirectoryScope& dir) const;
    // The absolute path of Dir with a trailing "/", when path patterns need it.
    QByteArray PathForPatterns(const DirectoryScope& dir) const;
    // Whether the directory Entry of Dir is a cache folder to be left out.
    bool IsExcludedCache(const DirectoryScope& dir, const WalkEntry& entry) const;

    std::vector<RootListing>& listings_;
    const ScanRequest& request_;
    SizeCounting counting_;
    const ExcludeRule& excludes_;
    const QByteArray& currentDir_;
    std::int64_t excluded_ = 0;
    std::vector<LinkMeeting> meetings_;
    std::vector<std::vector<Counts>> rows_;                         // [root][child]
    std::map<std::uint64_t, Skipped> skipped_;                      // by row tag; rarely any
    std::unordered_map<std::uint64_t, FolderIdentity> identities_;  // by row tag
    Counts* current_ = nullptr;
    Counts batch_;                        // the batch being visited
    std::vector<LinkedFile> batchLinks_;  // its files with several links, for the tally
};

// One file of Bytes with Attributes, counted into Row.
void AddFile(Counts& row, const WalkEntry& entry, std::uint32_t attributes, Figure bytes) {
    row.Files += 1;
    row.Bytes += bytes;
    if (entry.name[0] == '.' || (attributes & dos::kHidden)) {
        row.HiddenFiles += 1;
        row.HiddenBytes += bytes;
    }
    if (attributes & dos::kSystem) {
        row.SystemFiles += 1;
        row.SystemBytes += bytes;
    }
    if (attributes & dos::kArchive) {
        row.ArchiveFiles += 1;
        row.ArchiveBytes += bytes;
    }
}

Counts& SummaryVisitor::Row(std::uint64_t tag) {
    const std::uint64_t root = RootOf(tag);
    const std::uint64_t child = ChildOf(tag);
    if (rows_.size() <= root) rows_.resize(root + 1);
    if (rows_[root].size() <= child) rows_[root].resize(child + 1);
    return rows_[root][child];
}

Counts SummaryVisitor::RowCounts(std::uint64_t root, std::uint64_t child) const {
    if (root >= rows_.size() || child >= rows_[root].size()) return {};
    return rows_[root][child];
}

Skipped SummaryVisitor::RowSkipped(std::uint64_t tag) const {
    const auto found = skipped_.find(tag);
    return found == skipped_.end() ? Skipped{} : found->second;
}

TreeSink* SummaryVisitor::SinkOf(const DirectoryScope& dir) const {
    return request_.sinks.empty() ? nullptr : request_.sinks[RootOf(dir.Tag())];
}

QByteArray SummaryVisitor::RelativePath(const DirectoryScope& dir) const {
    // Path() is the start directory's path without trailing "/"s (unless it is the root), then
    // "/" and the names.
    QByteArray root = request_.roots[RootOf(dir.Tag())];
    while (root.size() > 1 && root.endsWith("//"))
        root.chop(1);
    return dir.Path().mid(root.size());
}

void SummaryVisitor::BeginDirectory(DirectoryScope& dir) {
    current_ = &Row(dir.Tag());
    if (dir.Depth() == 1) identities_[dir.Tag()] = FolderIdentity{dir.Device(), dir.Inode()};
    if (SinkOf(dir) && !dir.State()) dir.SetState(std::make_unique<TallyState>());
}

void SummaryVisitor::Unreadable(const DirectoryScope& dir, int error) {
    skipped_[dir.Tag()].unread.push_back({dir.Path(), error});
    if (TreeSink* sink = SinkOf(dir)) sink->Unread(RelativePath(dir), error);
}

void SummaryVisitor::TreeDone(DirectoryScope& dir, bool complete) {
    if (!complete && (dir.Depth() == 1 || (dir.Depth() == 0 && !dir.Listed())))
        skipped_[dir.Tag()].unfinished = true;
    TreeSink* sink = SinkOf(dir);
    TreeTally* tally = TallyOf(dir.State());
    if (!sink || !tally) return;
    Counts unlinked;
    std::vector<LinkedFile> links;
    sink->DirectoryDone(RelativePath(dir), tally->Finish(&unlinked, &links));
    if (TreeTally* above = TallyOf(dir.ParentState())) above->AddBelow(unlinked, std::move(links));
}

QByteArray SummaryVisitor::PathForPatterns(const DirectoryScope& dir) const {
    if (!excludes_.NeedsPaths()) return {};
    QByteArray path = dir.Path();
    if (!path.startsWith('/')) path.prepend(currentDir_ + '/');
    if (!path.endsWith('/')) path += '/';
    return path;
}

bool SummaryVisitor::IsExcludedCache(const DirectoryScope& dir, const WalkEntry& entry) const {
    return excludes_.Caches() && dir.HoldsCacheTag(entry);
}

std::optional<FolderIdentity> SummaryVisitor::RowIdentity(std::uint64_t tag) const {
    const auto found = identities_.find(tag);
    if (found == identities_.end()) return std::nullopt;
    return found->second;
}

void SummaryVisitor::VisitEntries(DirectoryScope& dir, std::span<const WalkEntry> entries) {
    batch_ = {};
    const QByteArray path = PathForPatterns(dir);
    for (std::uint32_t index = 0; index < entries.size(); ++index) {
        const WalkEntry& entry = entries[index];
        if (excludes_.Leaves(entry.name, path)) {
            excluded_ += 1;
            continue;
        }
        EntryStat stat;
        const bool listedAsFolder = entry.kind == EntryKind::Directory;
        if (!listedAsFolder && !dir.Stat(entry, &stat)) {
            skipped_[dir.Tag()].unsized += 1;  // vanished since the listing, or not to be reached
            continue;
        }
        if (!listedAsFolder && !stat.isDirectory) {
            CountFile(dir, entry, stat);
        } else if (IsExcludedCache(dir, entry)) {
            excluded_ += 1;
        } else {
            CountDirectory(dir, entry, index);
        }
    }
    *current_ += batch_;
    if (TreeTally* tally = TallyOf(dir.State())) tally->AddOwn(batch_, std::move(batchLinks_));
    batchLinks_.clear();
}

void SummaryVisitor::CountDirectory(DirectoryScope& dir, const WalkEntry& entry,
                                    std::uint32_t index) {
    batch_.Dirs += 1;
    // A dot name is hidden without asking the file system.
    // A folder whose attributes cannot be read cannot be entered either: the walk tells that.
    if (entry.name[0] == '.' || (dir.ReadAttributes(entry).value_or(0) & dos::kHidden)) {
        batch_.HiddenDirs += 1;
    }
    std::uint64_t tag = dir.Tag();
    if (dir.Depth() == 0) {
        const std::uint64_t root = RootOf(tag);
        tag = RowTag(root, listings_[root].Add(dir.BatchOrdinal(), index, entry.name));
    }
    dir.Descend(entry, tag);
}

// A file whose attributes cannot be read is not counted as lacking them: it is one of the
// entries that could not be sized.
void SummaryVisitor::CountFile(DirectoryScope& dir, const WalkEntry& entry, const EntryStat& stat) {
    const std::optional<std::uint32_t> read = dir.ReadAttributes(entry);
    if (!read) {
        skipped_[dir.Tag()].unsized += 1;
        return;
    }
    const std::uint32_t attributes = *read;
    const Figure bytes = counting_.onDisk ? stat.diskBytes : stat.size;
    if (counting_.linksOnce && stat.links > 1) {
        meetings_.push_back({stat.device, stat.inode, dir.Tag(), {}});
        AddFile(meetings_.back().counts, entry, attributes, bytes);
        if (dir.State()) batchLinks_.push_back({stat.device, stat.inode, meetings_.back().counts});
    } else {
        AddFile(batch_, entry, attributes, bytes);
    }
}

using Visitors = std::vector<std::unique_ptr<SummaryVisitor>>;

// The row Child of start directory Root, summed over the threads.
DirectoryRecord SumOverThreads(const Visitors& visitors, QByteArray path, std::uint64_t root,
                               std::uint64_t child) {
    DirectoryRecord record{std::move(path), {}, {}, false, {}, {}};
    Skipped& skipped = record.skipped;
    for (const auto& visitor : visitors) {
        record.counts += visitor->RowCounts(root, child);
        const Skipped part = visitor->RowSkipped(RowTag(root, child));
        skipped.unread.insert(skipped.unread.end(), part.unread.begin(), part.unread.end());
        skipped.unsized += part.unsized;
        skipped.unfinished = skipped.unfinished || part.unfinished;
        if (const auto identity = visitor->RowIdentity(RowTag(root, child)))
            record.identity = *identity;
    }
    SortByPath(skipped.unread);
    return record;
}

// The rows in walk order: each start directory's own, then its subdirectories' in listing
// order; files with several links added where each counts once.
std::vector<DirectoryRecord> CollectRows(const ScanRequest& request,
                                         const std::vector<RootListing>& listings,
                                         const Visitors& visitors) {
    std::vector<DirectoryRecord> rows;
    std::unordered_map<std::uint64_t, std::size_t> rowOfTag;
    for (std::uint64_t root = 0; root < request.roots.size(); ++root) {
        const QByteArray& path = request.roots[root];
        rowOfTag[RowTag(root, 0)] = rows.size();
        rows.push_back(SumOverThreads(visitors, path, root, 0));
        rows.back().volume = request.rootsAreVolumes;
        for (std::uint64_t child : listings[root].InListingOrder()) {
            rowOfTag[RowTag(root, child)] = rows.size();
            rows.push_back(
                SumOverThreads(visitors, path + listings[root].Name(child) + '/', root, child));
            rows.back().start = path;
        }
        rows[rowOfTag[RowTag(root, 0)]].start = path;
    }
    std::vector<LinkMeeting> meetings;
    for (const auto& visitor : visitors)
        meetings.insert(meetings.end(), visitor->Meetings().begin(), visitor->Meetings().end());
    CountEachFileOnce(
        std::move(meetings), [&](std::uint64_t tag) { return rowOfTag.at(tag); }, rows);
    return rows;
}

}  // namespace

SizeCounting CountingOf(const Settings& settings) {
    return SizeCounting{settings.SizeOnDisk, settings.HardLinksOnce};
}

bool IsMyComputer(const QByteArray& spec) {
    QByteArray bare = spec;
    if (bare.endsWith('/')) bare.chop(1);
    return bare.toLower() == "my computer";
}

StartPlaces PlacesOfSpec(const QByteArray& spec) {
    StartPlaces places;
    places.myComputer = IsMyComputer(spec);
    places.stayOnVolume = places.myComputer;
    if (places.myComputer) return places;
    const QString whole = QString::fromLatin1(spec);  // Latin-1 keeps every byte
    const int fields = CountFields(whole, QStringLiteral(";"));
    for (int i = 1; i <= fields; ++i) {
        const QByteArray field = GetField(whole, QStringLiteral(";"), i).toLatin1();
        if (!field.isEmpty()) places.directories.push_back(WithTrailingSlash(field));
    }
    return places;
}

StartPlaces PlacesOfDirectory(const QByteArray& directory) {
    return StartPlaces{false, {WithTrailingSlash(directory)}};
}

ScanRequest StartDirectories(const StartPlaces& places, VolumeSource& volumes) {
    if (!places.myComputer) return ScanRequest{places.directories, places.stayOnVolume};
    ScanRequest request;
    request.stayOnVolume = true;
    request.rootsAreVolumes = true;
    std::vector<Volume> local;
    for (const Volume& volume : volumes.ListVolumes()) {
        if (volume.kind == DriveKind::Fixed || volume.kind == DriveKind::Removable) {
            local.push_back(volume);
        }
    }
    const std::vector<std::optional<VolumeReport>> ready = volumes.SurveyAll(local);
    for (std::size_t i = 0; i < local.size(); ++i) {
        if (ready[i]) request.roots.push_back(WithTrailingSlash(local[i].mountPoint));
    }
    return request;
}

ScanResult ScanDirectories(const ScanRequest& request, int threads, std::stop_token stop,
                           WalkProgress* progress) {
    std::vector<RootListing> listings(request.roots.size());
    const ExcludeRule excludes(request.excludes);
    const QByteArray currentDir = CurrentDirectory();
    Visitors visitors;
    std::vector<WalkVisitor*> walkers;
    for (int i = 0; i < std::max(threads, 1); ++i) {
        visitors.push_back(
            std::make_unique<SummaryVisitor>(listings, request, excludes, currentDir));
        walkers.push_back(visitors.back().get());
    }
    std::vector<WalkRoot> roots;
    for (std::uint64_t i = 0; i < request.roots.size(); ++i) {
        roots.push_back(WalkRoot{request.roots[i], RowTag(i, 0)});
    }
    WalkOptions options;
    options.stayOnVolume = request.stayOnVolume;
    options.stop = stop;
    options.progress = progress;
    options.faults = request.faults;
    ScanResult result;
    result.complete = RunWalk(roots, walkers, options);
    result.rows = CollectRows(request, listings, visitors);
    for (const auto& visitor : visitors)
        result.excluded += visitor->Excluded();
    return result;
}

int DefaultScanThreads() {
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    return static_cast<int>(std::clamp(cores * 2, 8u, 32u));
}
