#include "census/report_mode.h"

#include <QDateTime>
#include <QFile>
#include <cstdio>

#include "census/history_report.h"
#include "census/import_snapshot.h"
#include "census/prometheus_report.h"
#include "census/scan.h"
#include "census/skipped_text.h"
#include "census/summary_json.h"
#include "census/summary_reports.h"
#include "census/summary_table.h"
#include "platform/current_directory.h"
#include "settings/load_settings.h"

namespace {

// The table as the window would show it, in the order of Data's RowOrder.
void FillReportGrid(CellGrid& grid, const SummaryData& data, const Settings& settings) {
    ColumnChars chars{};
    grid.SetCols(SummaryColumns(settings));
    SetupGrid(grid, settings, chars);
    FillGrid(grid, data, settings, chars);
}

// Tells on standard error what the walk had to leave out; true when it left anything out.
bool TellSkipped(const Skipped& skipped) {
    for (const UnreadDirectory& folder : skipped.unread)
        std::fprintf(stderr, "tallmere32: %s\n", CannotReadLine(folder).constData());
    if (skipped.unsized != 0) {
        std::fprintf(stderr, "tallmere32: %s\n", qUtf8Printable(UnsizedText(skipped.unsized)));
    }
    return skipped.Any();
}

// The stored way of counting, or the flags' where they differ.
SizeCounting CountingWith(const Settings& settings, const ProgramOptions& options) {
    SizeCounting counting = CountingOf(settings);
    counting.onDisk = counting.onDisk || options.diskUsage;
    counting.linksOnce = counting.linksOnce || options.linksOnce;
    return counting;
}

// Whether this run's summary goes into the history.
bool KeepsSnapshot(const ProgramOptions& options, const Settings& settings) {
    return settings.KeepHistory && !options.noSnapshot;
}

// The walk the options ask for: the stored way of counting, or the flags' where they differ.
ScanRequest RequestOf(const ProgramOptions& options, const Settings& settings,
                      VolumeSource& volumes) {
    const StartPath start = ParseStartPath(options.words, CurrentDirectory());
    ScanRequest request = StartDirectories(start.places, volumes);
    request.counting = CountingWith(settings, options);
    request.stayOnVolume = request.stayOnVolume || options.oneFileSystem;
    request.excludes = ExcludesOf(settings);
    request.excludes += options.excludes;
    return request;
}

// A summary ready to write: its rows, how they were counted, and what they grew by.
struct Summary {
    SummaryData data;
    std::vector<QByteArray> starts;
    SizeCounting counting;
    QDateTime walked;  // when the walk began, or the snapshot's time
    RowGrowths growths{};
    std::optional<SnapshotInfo> base{};  // what the growth is counted from
    Figure excluded = 0;                 // entries the excludes left out
};

QByteArray ReportOf(ReportKind kind, const Summary& summary, const Settings& settings) {
    if (kind == ReportKind::Json) {
        const JsonGrowth growth{summary.growths, summary.base.value_or(SnapshotInfo{})};
        return SummaryJson(summary.data, summary.starts, summary.counting, summary.walked,
                           summary.base ? &growth : nullptr, summary.excluded);
    }
    if (kind == ReportKind::Prometheus) return PrometheusReport(summary.data, summary.walked);
    CellGrid grid;
    FillReportGrid(grid, summary.data, settings);
    if (summary.base) AddGrowthColumns(grid, summary.data, summary.growths, settings);
    if (kind == ReportKind::Csv) return ReportBytes(CsvLines(grid), kind);
    return ReportBytes(
        SummaryTextReport(grid, settings.ComputerName, summary.walked, summary.counting), kind);
}

// Adds the growth of each start directory's rows since the snapshot Which names; the store's
// warnings, or why there is nothing to compare with, to Warnings.
void Compare(HistoryStore& history, Summary& summary, const QString& which, const QByteArray& key,
             QStringList& warnings) {
    for (const QByteArray& start : summary.starts) {
        QString error;
        const std::optional<SnapshotInfo> base =
            BaseSnapshot(history, AbsoluteDirectory(start), key, which,
                         summary.walked.toSecsSinceEpoch() + 1, &error);
        if (!base ||
            !CompareWithSnapshot(history, summary.data, start, *base, summary.growths, &error)) {
            warnings << error;
            continue;
        }
        if (!summary.base) summary.base = base;
    }
}

// Sorts the rows as the switches ask and writes the report; the exit status.
int Emit(const ProgramOptions& options, const Settings& settings, Summary& summary,
         const QStringList& warnings) {
    const Switches switches = ParseSwitches(options.words);
    SortRows(summary.data.Results, summary.data.RowOrder, switches.SortColumn,
             switches.SortAscending);
    const QByteArray report = ReportOf(options.reportKind, summary, settings);
    const int status = EmitReport(report, options.outputPath, "tallmere32");
    TellHistoryWarnings(warnings);
    return TellSkipped(summary.data.AllSkipped) ? 1 : status;
}

// The report of a saved snapshot, or of the folder inside it that the START word names.
int SnapshotReport(const ProgramOptions& options, const Settings& settings) {
    HistoryStore history(HistoryOptions());
    const std::optional<SnapshotInfo> info = history.Find(options.fromSnapshot);
    const std::optional<QByteArray> folder =
        info ? FolderInside(info->start, options.words) : QByteArray();
    QString error =
        QStringLiteral("snapshot %1 does not hold that folder").arg(options.fromSnapshot);
    std::optional<SnapshotRows> rows;
    if (folder) rows = RowsOfSnapshot(history, options.fromSnapshot, *folder, &error);
    if (!rows) {
        std::fprintf(stderr, "tallmere32: %s\n", qUtf8Printable(error));
        return 2;
    }
    Summary summary;
    summary.data.Record(std::move(rows->result.rows));
    summary.starts = {rows->root};
    summary.counting.onDisk = rows->info.counting.startsWith("disk");
    summary.counting.linksOnce = rows->info.counting.contains("links-once");
    summary.walked = QDateTime::fromSecsSinceEpoch(rows->info.time);
    return Emit(options, settings, summary, {});
}

// The folder inside an imported scan that the START words name: "" for none.
std::optional<QByteArray> FocusOf(const Words& words) {
    const StartPlaces places = ParseStartPath(words, ".").places;
    if (places.myComputer) return QByteArray();
    if (places.directories.size() != 1) return std::nullopt;
    return places.directories.front();
}

int CannotImport(const QString& path, const QString& reason) {
    std::fprintf(stderr, "tallmere32: cannot import %s: %s\n", qUtf8Printable(path),
                 qUtf8Printable(reason));
    return 2;
}

// The report of a scan saved by another program, read instead of walking, and kept as a
// snapshot of its root as a walk would be.
int RunImportReport(const ProgramOptions& options, const Settings& settings) {
    const std::optional<QByteArray> focus = FocusOf(options.words);
    if (!focus) return CannotImport(options.importPath, "name at most one folder inside the scan");
    QFile file;
    if (!OpenExport(file, options.importPath)) {
        return CannotImport(options.importPath, file.errorString());
    }
    const SizeCounting counting = CountingWith(settings, options);
    std::optional<ImportRecording> recording;
    if (KeepsSnapshot(options, settings)) recording.emplace(counting);
    const QDateTime read = QDateTime::currentDateTime();
    auto imported =
        ImportNcduExport(file, counting, *focus, recording ? recording->SinkFor() : nullptr);
    if (const ImportError* error = std::get_if<ImportError>(&imported)) {
        std::fprintf(stderr, "tallmere32: %s\n",
                     qUtf8Printable(CannotImportText(options.importPath, *error)));
        return 2;
    }
    ImportedScan& scan = std::get<ImportedScan>(imported);
    if (scan.result.rows.empty()) {
        return CannotImport(options.importPath, QStringLiteral("the scan of %1 holds no folder %2")
                                                    .arg(QString::fromLocal8Bit(scan.root),
                                                         QString::fromLocal8Bit(*focus)));
    }
    Summary summary{{}, {scan.result.rows.front().Path}, counting, read};
    summary.data.Record(std::move(scan.result.rows));
    HistoryStore history(HistoryOptions());
    QStringList warnings;
    if (!options.compare.isEmpty())  // before saving, so never with this import
        Compare(history, summary, options.compare, CountingKey(counting), warnings);
    if (recording) recording->Save(history, scan, read.toSecsSinceEpoch(), warnings);
    return Emit(options, settings, summary, warnings);
}

}  // namespace

int RunSummaryReport(const ProgramOptions& options, SettingsStore& store, VolumeSource& volumes) {
    if (CheckExitOptions(options.words)) {
        std::fprintf(stderr, "tallmere32: -s, -r and -l cannot be combined with --report\n");
        return 2;
    }
    const Settings settings = ReportSettings(store, "tallmere32");
    if (!options.importPath.isEmpty()) return RunImportReport(options, settings);
    if (options.fromSnapshot != 0) return SnapshotReport(options, settings);
    ScanRequest request = RequestOf(options, settings, volumes);
    std::optional<SnapshotRecording> recording;
    if (KeepsSnapshot(options, settings)) recording.emplace(request);
    const int threads = options.threads > 0 ? options.threads : DefaultScanThreads();
    Summary summary{{}, request.roots, request.counting, QDateTime::currentDateTime()};
    const ScanResult result = ScanDirectories(request, threads);
    summary.data.Record(result.rows);
    summary.excluded = result.excluded;
    HistoryStore history(HistoryOptions());
    QStringList warnings;
    if (!options.compare.isEmpty())  // before saving, so never with this walk
        Compare(history, summary, options.compare, CountingKey(request), warnings);
    if (recording) warnings << recording->Save(history, result, summary.walked.toSecsSinceEpoch());
    return Emit(options, settings, summary, warnings);
}
