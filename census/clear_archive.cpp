#include "census/clear_archive.h"

#include <algorithm>
#include <cerrno>
#include <memory>

#include "platform/directory_walk.h"

namespace {

class ArchiveClearer final : public WalkVisitor {
  public:
    explicit ArchiveClearer(ClearDepth depth) : depth_(depth) {}

    void BeginDirectory(DirectoryScope&) override {}
    void VisitEntries(DirectoryScope& dir, std::span<const WalkEntry> entries) override;
    void EndDirectory(DirectoryScope&) override {}
    // A folder that became a link (or a file) since the summary: opening it without following
    // a link fails with ENOTDIR or ELOOP.
    void Unreadable(const DirectoryScope& dir, int error) override {
        const bool becameLink = error == ENOTDIR || error == ELOOP;
        (becameLink ? notChanged_ : unread_).push_back({dir.Path(), error});
    }

    const std::vector<UnreadDirectory>& Unread() const { return unread_; }
    const std::vector<UnreadDirectory>& NotChanged() const { return notChanged_; }

  private:
    ClearDepth depth_;
    std::vector<UnreadDirectory> unread_;
    std::vector<UnreadDirectory> notChanged_;
};

QByteArray EntryPath(const DirectoryScope& dir, const char* name) {
    QByteArray path = dir.Path();
    if (!path.endsWith('/')) path += '/';
    return path + name;
}

bool IsDirectory(const DirectoryScope& dir, const WalkEntry& entry) {
    if (entry.kind != EntryKind::Unknown) return entry.kind == EntryKind::Directory;
    EntryStat stat;
    return dir.Stat(entry, &stat) && stat.isDirectory;
}

void ArchiveClearer::VisitEntries(DirectoryScope& dir, std::span<const WalkEntry> entries) {
    for (const WalkEntry& entry : entries) {
        if (entry.kind == EntryKind::Link) continue;
        // Leaves a clear bit alone, and refuses a link that replaced the entry meanwhile.
        int error = 0;
        if (!dir.ClearArchive(entry, &error) && error != 0) {
            notChanged_.push_back({EntryPath(dir, entry.name), error});
        }
        if (depth_ == ClearDepth::Recursive && IsDirectory(dir, entry)) {
            dir.Descend(entry, dir.Tag());
        }
    }
}

}  // namespace

ClearOutcome ClearArchiveTree(const QByteArray& start, const QByteArray& below, ClearDepth depth,
                              int threads, const WalkOptions& options) {
    std::vector<std::unique_ptr<ArchiveClearer>> clearers;
    std::vector<WalkVisitor*> visitors;
    for (int i = 0; i < std::max(threads, 1); ++i) {
        clearers.push_back(std::make_unique<ArchiveClearer>(depth));
        visitors.push_back(clearers.back().get());
    }
    ClearOutcome outcome;
    outcome.complete = RunWalk({WalkRoot{start, 0, below}}, visitors, options);
    for (const auto& clearer : clearers) {
        outcome.unread.insert(outcome.unread.end(), clearer->Unread().begin(),
                              clearer->Unread().end());
        outcome.notChanged.insert(outcome.notChanged.end(), clearer->NotChanged().begin(),
                                  clearer->NotChanged().end());
    }
    SortByPath(outcome.unread);
    SortByPath(outcome.notChanged);
    return outcome;
}
