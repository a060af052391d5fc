#include "census/import_snapshot.h"

#include <QDateTime>
#include <QFile>

// The root's sink, which also keeps the root's subdirectories in the export's order: the
// order a snapshot's rows come in.
class ImportRecording::Sink final : public TreeSink {
  public:
    void DirectoryDone(QByteArrayView relativePath, const TreeFigures& figures) override {
        if (!relativePath.isEmpty() && !relativePath.contains('/'))
            children.push_back({relativePath.toByteArray()});
        snapshot.DirectoryDone(relativePath, figures);
    }
    void Unread(QByteArrayView relativePath, int error) override {
        snapshot.Unread(relativePath, error);
    }

    SnapshotSink snapshot;
    std::vector<StartChild> children;
};

QString CannotImportText(const QString& path, const ImportError& error) {
    return QStringLiteral("cannot import %1: line %2, column %3: %4")
        .arg(path)
        .arg(error.line)
        .arg(error.column)
        .arg(error.reason);
}

ImportRecording::ImportRecording(const SizeCounting& counting)
    : counting_(counting), sink_(std::make_unique<Sink>()) {}

ImportRecording::~ImportRecording() = default;

std::function<TreeSink*(const QByteArray&)> ImportRecording::SinkFor() {
    return [this](const QByteArray&) { return sink_.get(); };
}

std::optional<qint64> ImportRecording::Save(HistoryStore& store, const ImportedScan& scan,
                                            qint64 now, QStringList& warnings) {
    SnapshotInfo info;
    info.time = scan.scanned.value_or(now);
    info.start = AbsoluteDirectory(scan.root);
    info.counting = CountingKey(counting_);
    info.partial = !sink_->snapshot.staging.Unread().empty();
    info.children = sink_->children;
    return SaveSnapshot(store, std::move(info), sink_->snapshot, warnings);
}

bool OpenExport(QFile& file, const QString& path) {
    if (path == u"-") return file.open(stdin, QIODevice::ReadOnly);
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly);
}

std::variant<qint64, QString> ImportSnapshot(const QString& path, const SizeCounting& counting,
                                             HistoryStore& store) {
    QFile file;
    if (!OpenExport(file, path))
        return QStringLiteral("cannot import %1: %2").arg(path, file.errorString());
    ImportRecording recording(counting);
    auto imported = ImportNcduExport(file, counting, {}, recording.SinkFor());
    if (const ImportError* error = std::get_if<ImportError>(&imported))
        return CannotImportText(path, *error);
    QStringList warnings;
    const std::optional<qint64> id = recording.Save(store, std::get<ImportedScan>(imported),
                                                    QDateTime::currentSecsSinceEpoch(), warnings);
    if (!id) return warnings.value(0);
    return *id;
}
