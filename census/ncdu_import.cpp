#include "census/ncdu_import.h"

#include <deque>

#include "census/hard_links.h"

namespace {

constexpr std::size_t kNoRow = static_cast<std::size_t>(-1);

// A directory of the export whose closing bracket has not come yet.
struct Frame {
    QByteArray relative;  // below the root, names joined by "/"
    std::uint64_t device = 0;
    bool counted = true;       // false for an entry the scan left out, and what lies in it
    std::size_t row = kNoRow;  // the row its entries count in
    Counts own;                // files directly in it, without linked ones
    std::vector<LinkedFile> ownLinks;
    TreeTally tally;
};

QByteArray WithoutTrailingSlash(QByteArray path) {
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    return path;
}

// Focus below Root: a full path inside Root loses Root, a relative one stays; one outside Root
// is a name no directory of the export has.
QByteArray FocusBelow(const QByteArray& root, QByteArray focus) {
    if (focus.startsWith('/')) {
        focus = (focus + '/').startsWith(root) ? focus.mid(root.size()) : QByteArray("\0", 1);
    }
    while (focus.endsWith('/'))
        focus.chop(1);
    return focus;
}

class ImportCounter final : public NcduHandler {
  public:
    ImportCounter(const SizeCounting& counting, const QByteArray& focus,
                  const std::function<TreeSink*(const QByteArray&)>& sinkFor)
        : counting_(counting), focus_(focus), sinkFor_(sinkFor) {}

    void BeginDirectory(const NcduEntry& entry) override;
    void File(const NcduEntry& entry) override;
    void EndDirectory() override;
    void Scanned(std::int64_t unixSeconds) override { scanned_ = unixSeconds; }
    ImportedScan Result();

  private:
    void BeginRoot(const NcduEntry& entry);
    std::size_t RowOf(const Frame* parent, const QByteArray& relative);
    // The path a walk would name the folder at Relative by.
    QByteArray FullPath(const QByteArray& relative) const;
    void MarkUnread(const Frame& frame);

    void CountInRow(std::size_t row, const Counts& counts);

    SizeCounting counting_;
    QByteArray focus_;  // the folder whose rows are made, below the root once it is known
    std::function<TreeSink*(const QByteArray&)> sinkFor_;
    TreeSink* sink_ = nullptr;
    QByteArray root_;  // with its trailing "/"
    std::deque<Frame> frames_;
    std::vector<DirectoryRecord> rows_;
    std::vector<LinkMeeting> meetings_;
    std::optional<qint64> scanned_;
};

void ImportCounter::BeginRoot(const NcduEntry& entry) {
    root_ = WithoutTrailingSlash(entry.name);
    if (!root_.endsWith('/')) root_ += '/';
    focus_ = FocusBelow(root_, focus_);
    if (sinkFor_) sink_ = sinkFor_(root_);
    Frame& frame = frames_.emplace_back();
    frame.device = entry.dev.value_or(0);
    frame.row = RowOf(nullptr, {});
    if (entry.readError) MarkUnread(frame);
}

// The focus's own row for the focus, a row of its own for a directory directly below it,
// its parent's row for any other in it, and none elsewhere.
std::size_t ImportCounter::RowOf(const Frame* parent, const QByteArray& relative) {
    const QByteArray start = FullPath(focus_) + (focus_.isEmpty() && root_ == "/" ? "" : "/");
    if (relative == focus_) {
        rows_.push_back(DirectoryRecord{start, {}, {}, false, start, {}});
    } else if (parent && parent->relative == focus_ && parent->row != kNoRow) {
        rows_.push_back(DirectoryRecord{FullPath(relative) + '/', {}, {}, false, start, {}});
    } else {
        return parent ? parent->row : kNoRow;
    }
    return rows_.size() - 1;
}

void ImportCounter::CountInRow(std::size_t row, const Counts& counts) {
    if (row != kNoRow) rows_[row].counts += counts;
}

QByteArray ImportCounter::FullPath(const QByteArray& relative) const {
    const QByteArray root = WithoutTrailingSlash(root_);
    if (relative.isEmpty()) return root;
    return root + (root.endsWith('/') ? "" : "/") + relative;
}

void ImportCounter::MarkUnread(const Frame& frame) {
    if (frame.row != kNoRow)
        rows_[frame.row].skipped.unread.push_back({FullPath(frame.relative), 0});
    if (sink_) sink_->Unread(frame.relative, 0);
}

void ImportCounter::BeginDirectory(const NcduEntry& entry) {
    if (frames_.empty()) return BeginRoot(entry);
    Frame& parent = frames_.back();
    Frame& frame = frames_.emplace_back();
    frame.counted = parent.counted && !entry.excluded;
    if (!frame.counted) return;
    frame.relative = parent.relative.isEmpty() ? entry.name : parent.relative + '/' + entry.name;
    frame.device = entry.dev.value_or(parent.device);
    Counts directory;
    directory.Dirs = 1;
    directory.HiddenDirs = entry.name.startsWith('.') ? 1 : 0;
    parent.own += directory;
    CountInRow(parent.row, directory);
    frame.row = RowOf(&parent, frame.relative);
    if (entry.readError) MarkUnread(frame);
}

void ImportCounter::File(const NcduEntry& entry) {
    Frame& frame = frames_.back();
    if (!frame.counted || entry.excluded) return;
    Counts file;
    file.Files = 1;
    file.Bytes = counting_.onDisk ? entry.dsize : entry.asize;
    if (entry.name.startsWith('.')) {
        file.HiddenFiles = 1;
        file.HiddenBytes = file.Bytes;
    }
    if (counting_.linksOnce && entry.hardLinked) {
        const std::uint64_t device = entry.dev.value_or(frame.device);
        frame.ownLinks.push_back({device, entry.ino, file});
        if (frame.row != kNoRow) meetings_.push_back({device, entry.ino, frame.row, file});
    } else {
        frame.own += file;
        CountInRow(frame.row, file);
    }
}

void ImportCounter::EndDirectory() {
    Frame& frame = frames_.back();
    if (frame.counted) {
        frame.tally.AddOwn(frame.own, std::move(frame.ownLinks));
        Counts unlinked;
        std::vector<LinkedFile> links;
        const TreeFigures figures = frame.tally.Finish(&unlinked, &links);
        if (sink_) sink_->DirectoryDone(frame.relative, figures);
        if (frames_.size() > 1)
            frames_[frames_.size() - 2].tally.AddBelow(unlinked, std::move(links));
    }
    frames_.pop_back();
}

ImportedScan ImportCounter::Result() {
    CountEachFileOnce(
        std::move(meetings_), [](std::uint64_t row) { return row; }, rows_);
    for (DirectoryRecord& row : rows_)
        SortByPath(row.skipped.unread);
    return ImportedScan{root_, ScanResult{std::move(rows_), true}, scanned_};
}

}  // namespace

std::variant<ImportedScan, ImportError> ImportNcduExport(
    QIODevice& input, const SizeCounting& counting, const QByteArray& focus,
    const std::function<TreeSink*(const QByteArray& root)>& sinkFor) {
    ImportCounter counter(counting, focus, sinkFor);
    if (std::optional<ImportError> error = ReadNcduExport(input, counter)) return *error;
    return counter.Result();
}
