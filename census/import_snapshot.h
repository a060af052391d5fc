#pragma once
// A scan made elsewhere kept in the history: the snapshot of its root directory, with the
// records a walk of the same tree counted the same way would have saved, staged as the
// export's directories close, so that later walks compare with it.

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <variant>

#include "census/ncdu_import.h"
#include "census/snapshots.h"

class QFile;

// Opens the export Path names: standard input for "-".
bool OpenExport(QFile& file, const QString& path);

// "cannot import PATH: line L, column C: REASON".
QString CannotImportText(const QString& path, const ImportError& error);

// Records one import: handed to ImportNcduExport through SinkFor, saved after it.
class ImportRecording {
  public:
    explicit ImportRecording(const SizeCounting& counting);
    ~ImportRecording();

    // ImportNcduExport's hook: the sink of the scan's root.
    std::function<TreeSink*(const QByteArray& root)> SinkFor();
    // Saves the snapshot of Scan, an export read whole, taken when the export says it was
    // made, else at Now (Unix seconds). The new id, or none; the store's warning joins Warnings.
    std::optional<qint64> Save(HistoryStore& store, const ImportedScan& scan, qint64 now,
                               QStringList& warnings);

  private:
    class Sink;
    SizeCounting counting_;
    std::unique_ptr<Sink> sink_;
};

// Reads the export in the file at Path, counted as Counting, into Store as a snapshot of the
// scan's root, for a window to open. The new snapshot's id, or the error text: "cannot import
// PATH: ..." for a file that cannot be read or is broken, the store's warning when it failed.
std::variant<qint64, QString> ImportSnapshot(const QString& path, const SizeCounting& counting,
                                             HistoryStore& store);
