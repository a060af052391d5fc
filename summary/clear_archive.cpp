#include "summary/clear_archive.h"

#include <dirent.h>
#include <memory>
#include <vector>

#include "platform/directory_walk.h"

namespace {

class ArchiveClearer final : public WalkVisitor {
  public:
    explicit ArchiveClearer(ClearDepth depth) : depth_(depth) {}

    void BeginDirectory(DirectoryScope&) override {}
    void VisitEntries(DirectoryScope& dir, std::span<const WalkEntry> entries) override;
    void EndDirectory(DirectoryScope&) override {}

  private:
    ClearDepth depth_;
};

bool IsDirectory(const DirectoryScope& dir, const WalkEntry& entry) {
    if (entry.type != DT_UNKNOWN) return entry.type == DT_DIR;
    EntryStat stat;
    return dir.Stat(entry, &stat) && stat.isDirectory;
}

void ArchiveClearer::VisitEntries(DirectoryScope& dir, std::span<const WalkEntry> entries) {
    for (const WalkEntry& entry : entries) {
        if (entry.type == DT_LNK) continue;
        // Leaves a clear bit alone, and refuses a link that replaced the entry meanwhile.
        dos::ClearArchive(dir.Fd(), entry.name, dir.Store());
        if (depth_ == ClearDepth::Recursive && IsDirectory(dir, entry)) {
            dir.Descend(entry, dir.Tag());
        }
    }
}

}  // namespace

bool ClearArchiveTree(const QByteArray& directory, ClearDepth depth, int threads,
                      const WalkOptions& options) {
    std::vector<std::unique_ptr<ArchiveClearer>> clearers;
    std::vector<WalkVisitor*> visitors;
    for (int i = 0; i < std::max(threads, 1); ++i) {
        clearers.push_back(std::make_unique<ArchiveClearer>(depth));
        visitors.push_back(clearers.back().get());
    }
    return RunWalk({WalkRoot{directory}}, visitors, options);
}
