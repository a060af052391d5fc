#include "history/snapshot_staging.h"

#include <QDataStream>
#include <QDir>

SnapshotStaging::SnapshotStaging()
    : file_(QDir::tempPath() + QStringLiteral("/tallmere32-snapshot-XXXXXX")) {
    // Unlinked at once: the file goes with the process, whatever ends it.
    failed_ = !file_.open() || !QFile::remove(file_.fileName());
}

void SnapshotStaging::Add(QByteArrayView path, const Figures& figures) {
    QByteArray full;
    int records = 0;
    {
        std::lock_guard lock(mutex_);
        writer_.Add(path, figures);
        ++records_;
        if (!writer_.Full()) return;
        records = writer_.Records();
        full = writer_.Take();
    }
    WriteBlock(full, records);  // compressed outside the lock, so other threads go on
}

void SnapshotStaging::AddUnread(QByteArrayView path, int error) {
    std::lock_guard lock(mutex_);
    unread_.push_back({path.toByteArray(), error});
}

void SnapshotStaging::WriteBlock(const QByteArray& raw, int records) {
    const QByteArray block = CompressBlock(raw);
    std::lock_guard lock(fileMutex_);
    QDataStream out(&file_);
    out << qint32(records) << block;
    failed_ = failed_ || out.status() != QDataStream::Ok;
}

bool SnapshotStaging::ForEachBlock(
    const std::function<bool(const QByteArray& block, int records)>& each) {
    if (!writer_.Empty()) {
        const int records = writer_.Records();
        WriteBlock(writer_.Take(), records);
    }
    if (failed_ || !file_.seek(0)) return false;
    QDataStream in(&file_);
    while (!in.atEnd()) {
        qint32 records = 0;
        QByteArray block;
        in >> records >> block;
        if (in.status() != QDataStream::Ok || !each(block, records)) return false;
    }
    return true;
}

QString SnapshotStaging::Error() const {
    return failed_ ? file_.errorString() : QString();
}
