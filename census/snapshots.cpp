#include "census/snapshots.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <map>

namespace {

using CountsField = decltype(Counts::Files) Counts::*;
constexpr CountsField kFields[kFigureCount] = {
    &Counts::Files,        &Counts::Bytes,       &Counts::Dirs,        &Counts::HiddenFiles,
    &Counts::HiddenBytes,  &Counts::HiddenDirs,  &Counts::SystemFiles, &Counts::SystemBytes,
    &Counts::ArchiveFiles, &Counts::ArchiveBytes};

// The path a walk gives a folder Relative below Root (with its trailing "/"), as it names
// unread folders: no trailing "/" but for the root itself.
QByteArray WalkPath(const QByteArray& root, const QByteArray& relative) {
    QByteArray path = root;
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    if (relative.isEmpty()) return path;
    return path.endsWith('/') ? path + relative : path + '/' + relative;
}

// The name of Relative's first step below Folder, or none when Relative is not below it.
std::optional<QByteArray> StepBelow(const QByteArray& folder, const QByteArray& relative) {
    if (folder.isEmpty()) {
        if (relative.isEmpty()) return std::nullopt;
    } else if (!relative.startsWith(folder) || relative.size() <= folder.size() ||
               relative[folder.size()] != '/') {
        return std::nullopt;
    }
    const QByteArray rest = folder.isEmpty() ? relative : relative.mid(folder.size() + 1);
    const qsizetype slash = rest.indexOf('/');
    return slash < 0 ? rest : rest.left(slash);
}

}  // namespace

Figures FiguresOf(const Counts& counts) {
    Figures figures{};
    for (int i = 0; i < kFigureCount; ++i)
        figures[i] = static_cast<Figure>(counts.*kFields[i]);
    return figures;
}

Counts CountsOf(const Figures& figures) {
    Counts counts;
    for (int i = 0; i < kFigureCount; ++i)
        counts.*kFields[i] = static_cast<decltype(Counts::Files)>(figures[i]);
    return counts;
}

QByteArray AbsoluteDirectory(const QByteArray& directory) {
    const QByteArray whole = directory.startsWith('/')
                                 ? directory
                                 : QFile::encodeName(QDir::currentPath()) + '/' + directory;
    QList<QByteArray> steps;
    for (const QByteArray& step : whole.split('/')) {
        if (step == "..") {
            if (!steps.isEmpty()) steps.removeLast();
        } else if (!step.isEmpty() && step != ".") {
            steps.append(step);
        }
    }
    return '/' + steps.join('/') + (steps.isEmpty() ? "" : "/");
}

QByteArray CountingKey(const SizeCounting& counting) {
    return counting.linksOnce ? (counting.onDisk ? "disk links-once" : "length links-once")
                              : (counting.onDisk ? "disk" : "length");
}

QByteArray CountingKey(const ScanRequest& request) {
    QByteArray key = CountingKey(request.counting);
    if (request.stayOnVolume) key += " one-file-system";
    if (request.excludes.caches) key += " exclude-caches";
    std::vector<QByteArray> patterns = request.excludes.patterns;
    std::sort(patterns.begin(), patterns.end());
    for (const QByteArray& pattern : patterns)
        key += " exclude=" + pattern;
    return key;
}

void SnapshotSink::DirectoryDone(QByteArrayView relativePath, const TreeFigures& figures) {
    staging.Add(relativePath, FiguresOf(figures.tree));
    if (!relativePath.isEmpty()) return;
    std::lock_guard lock(mutex_);
    own = FiguresOf(figures.own);
    tree = FiguresOf(figures.tree);
}

void SnapshotSink::Unread(QByteArrayView relativePath, int error) {
    staging.AddUnread(relativePath, error);
}

std::optional<qint64> SaveSnapshot(HistoryStore& store, SnapshotInfo info, SnapshotSink& sink,
                                   QStringList& warnings) {
    info.own = sink.own;
    info.tree = sink.tree;
    const std::optional<qint64> id = store.Save(info, sink.staging);
    // A store renewed saves, with a warning.
    if (!store.Warning().isEmpty() && !warnings.contains(store.Warning()))
        warnings << store.Warning();
    return id;
}

SnapshotRecording::SnapshotRecording(ScanRequest& request) {
    request.sinks.clear();
    for (std::size_t i = 0; i < request.roots.size(); ++i) {
        recorders_.push_back(std::make_unique<SnapshotSink>());
        request.sinks.push_back(recorders_.back().get());
    }
    request_ = request;
}

SnapshotRecording::~SnapshotRecording() = default;

QStringList SnapshotRecording::Save(HistoryStore& store, const ScanResult& result, qint64 time) {
    QStringList warnings;
    if (!result.complete) return warnings;
    for (std::size_t i = 0; i < request_.roots.size(); ++i) {
        SnapshotInfo info;
        info.time = time;
        const QByteArray& root = request_.roots[i];
        info.start = AbsoluteDirectory(root);
        info.counting = CountingKey(request_);
        info.volume = request_.rootsAreVolumes;
        for (const DirectoryRecord& row : result.rows) {
            if (row.start != root) continue;
            info.unsized += row.skipped.unsized;
            info.partial = info.partial || row.skipped.Any();
            if (row.Path != root)
                info.children.push_back(
                    {row.Path.mid(root.size()).chopped(1), row.skipped.unsized});
        }
        SaveSnapshot(store, std::move(info), *recorders_[i], warnings);
    }
    return warnings;
}

std::optional<QByteArray> FolderInside(const QByteArray& start, const Words& words) {
    QByteArray folder;
    for (const QByteArray& word : words)
        if (!word.startsWith('-') || word.size() == 1) folder = word;
    if (folder.isEmpty()) return folder;
    if (!folder.endsWith('/')) folder += '/';
    if (folder.startsWith('/')) {
        if (!folder.startsWith(start)) return std::nullopt;
        folder = folder.mid(start.size());
    }
    return folder.isEmpty() ? folder : folder.chopped(1);
}

QByteArray FolderBelow(const QByteArray& start, const QByteArray& absolute) {
    return absolute == start ? QByteArray() : absolute.mid(start.size()).chopped(1);
}

std::optional<SnapshotRows> RowsOfSnapshot(HistoryStore& store, qint64 id, const QByteArray& folder,
                                           QString* error) {
    std::optional<SnapshotInfo> info = store.Find(id);
    if (!info) {
        *error = store.Warning().isEmpty() ? QStringLiteral("there is no snapshot %1").arg(id)
                                           : store.Warning();
        return std::nullopt;
    }
    SnapshotRows rows{*info, folder.isEmpty() ? info->start : info->start + folder + '/', {}};
    std::optional<Figures> found;
    std::map<QByteArray, Figures> children;
    const bool read = store.ForEachRecord(id, [&](const FigureRecord& record) {
        if (record.path == folder) found = record.figures;
        const std::optional<QByteArray> step = StepBelow(folder, record.path);
        const qsizetype depth = folder.isEmpty() ? 0 : folder.size() + 1;
        if (step && record.path.size() == depth + step->size()) children[*step] = record.figures;
    });
    if (!read || !found) {
        *error = !read ? store.Warning()
                       : QStringLiteral("snapshot %1 does not hold %2")
                             .arg(id)
                             .arg(QString::fromLocal8Bit(rows.root));
        return std::nullopt;
    }
    // The folder's own row: the start's own figures, or for a folder inside, what its tree
    // holds beyond its subdirectories' trees.
    Counts own = CountsOf(info->own);
    if (!folder.isEmpty()) {
        Figures rest = *found;
        for (const auto& [name, figures] : children)
            for (int i = 0; i < kFigureCount; ++i)
                rest[i] -= figures[i];
        own = CountsOf(rest);
    }
    std::vector<DirectoryRecord>& out = rows.result.rows;
    out.push_back({rows.root, own, {}, info->volume && folder.isEmpty(), rows.root});
    std::vector<QByteArray> order;
    if (folder.isEmpty()) {
        for (const StartChild& child : info->children)
            if (children.count(child.name)) order.push_back(child.name);
    } else {
        for (const auto& [name, figures] : children)
            order.push_back(name);
    }
    std::map<QByteArray, std::size_t> rowOf;
    for (const QByteArray& name : order) {
        rowOf[name] = out.size();
        out.push_back({rows.root + name + '/', CountsOf(children[name]), {}, false, rows.root});
    }
    for (const StartChild& child : folder.isEmpty() ? info->children : std::vector<StartChild>{})
        if (rowOf.count(child.name)) out[rowOf[child.name]].skipped.unsized = child.unsized;
    if (folder.isEmpty()) {
        qint64 inChildren = 0;
        for (const StartChild& child : info->children)
            inChildren += child.unsized;
        out[0].skipped.unsized = info->unsized - inChildren;
    }
    for (const UnreadFolder& unread : store.Unread(id)) {
        const std::optional<QByteArray> step = StepBelow(folder, unread.path);
        std::size_t row = 0;
        if (step) {
            if (!rowOf.count(*step)) continue;
            row = rowOf[*step];
        } else if (unread.path != folder) {
            continue;
        }
        out[row].skipped.unread.push_back({WalkPath(info->start, unread.path), unread.error});
    }
    for (DirectoryRecord& row : out)
        SortByPath(row.skipped.unread);
    rows.result.complete = true;
    return rows;
}
