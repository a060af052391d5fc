#include "summary/report_mode.h"

#include <QDateTime>
#include <QFile>
#include <cstdio>

#include "platform/current_directory.h"
#include "settings/load_settings.h"
#include "summary/ncdu_import.h"
#include "summary/prometheus_report.h"
#include "summary/scan.h"
#include "summary/skipped_text.h"
#include "summary/summary_json.h"
#include "summary/summary_reports.h"
#include "summary/summary_table.h"

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

// The walk the options ask for: the stored way of counting, or the flags' where they differ.
ScanRequest RequestOf(const ProgramOptions& options, const Settings& settings,
                      VolumeSource& volumes) {
    const StartPath start = ParseStartPath(options.words, CurrentDirectory());
    ScanRequest request = StartDirectories(start.places, volumes);
    request.counting = CountingWith(settings, options);
    request.stayOnVolume = request.stayOnVolume || options.oneFileSystem;
    return request;
}

QByteArray ReportOf(ReportKind kind, const SummaryData& data, const Settings& settings,
                    const ScanRequest& request, const QDateTime& walked) {
    if (kind == ReportKind::Json) return SummaryJson(data, request.roots, request.counting, walked);
    if (kind == ReportKind::Prometheus) return PrometheusReport(data, walked);
    CellGrid grid;
    FillReportGrid(grid, data, settings);
    if (kind == ReportKind::Csv) return ReportBytes(CsvLines(grid), kind);
    return ReportBytes(SummaryTextReport(grid, settings.ComputerName, QDateTime::currentDateTime(),
                                         request.counting),
                       kind);
}

// Sorts Rows as the switches ask, writes the report and tells what the walk left out.
int WriteSummaryReport(const ProgramOptions& options, const Settings& settings,
                       const ScanRequest& request, std::vector<DirectoryRecord> rows,
                       const QDateTime& walked) {
    SummaryData data;
    data.Record(std::move(rows));
    const Switches switches = ParseSwitches(options.words);
    SortRows(data.Results, data.RowOrder, switches.SortColumn, switches.SortAscending);
    const QByteArray report = ReportOf(options.reportKind, data, settings, request, walked);
    const int status = EmitReport(report, options.outputPath, "tallmere32");
    return TellSkipped(data.AllSkipped) ? 1 : status;
}

// The folder inside an imported scan that the START words name: "" for none.
std::optional<QByteArray> FocusOf(const Words& words) {
    const StartPlaces places = ParseStartPath(words, ".").places;
    if (places.myComputer) return QByteArray();
    if (places.directories.size() != 1) return std::nullopt;
    return places.directories.front();
}

// Opens the export Path names: standard input for "-".
bool OpenExport(QFile& file, const QString& path) {
    if (path == u"-") return file.open(stdin, QIODevice::ReadOnly);
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly);
}

int CannotImport(const QString& path, const QString& reason) {
    std::fprintf(stderr, "tallmere32: cannot import %s: %s\n", qUtf8Printable(path),
                 qUtf8Printable(reason));
    return 2;
}

// The report of a scan saved by another program, read instead of walking.
int RunImportReport(const ProgramOptions& options, const Settings& settings) {
    const std::optional<QByteArray> focus = FocusOf(options.words);
    if (!focus) return CannotImport(options.importPath, "name at most one folder inside the scan");
    QFile file;
    if (!OpenExport(file, options.importPath)) {
        return CannotImport(options.importPath, file.errorString());
    }
    ScanRequest request;
    request.counting = CountingWith(settings, options);
    const QDateTime read = QDateTime::currentDateTime();
    auto imported = ImportNcduExport(file, request.counting, *focus);
    if (const ImportError* error = std::get_if<ImportError>(&imported)) {
        return CannotImport(options.importPath, QStringLiteral("line %1, column %2: %3")
                                                    .arg(error->line)
                                                    .arg(error->column)
                                                    .arg(error->reason));
    }
    ImportedScan& scan = std::get<ImportedScan>(imported);
    if (scan.result.rows.empty()) {
        return CannotImport(options.importPath, QStringLiteral("the scan of %1 holds no folder %2")
                                                    .arg(QString::fromLocal8Bit(scan.root),
                                                         QString::fromLocal8Bit(*focus)));
    }
    request.roots = {scan.result.rows.front().Path};
    return WriteSummaryReport(options, settings, request, std::move(scan.result.rows), read);
}

}  // namespace

int RunSummaryReport(const ProgramOptions& options, SettingsStore& store, VolumeSource& volumes) {
    if (CheckExitOptions(options.words)) {
        std::fprintf(stderr, "tallmere32: -s, -r and -l cannot be combined with --report\n");
        return 2;
    }
    const Settings settings = ReportSettings(store, "tallmere32");
    if (!options.importPath.isEmpty()) return RunImportReport(options, settings);
    const ScanRequest request = RequestOf(options, settings, volumes);
    const int threads = options.threads > 0 ? options.threads : DefaultScanThreads();
    const QDateTime walked = QDateTime::currentDateTime();
    return WriteSummaryReport(options, settings, request, ScanDirectories(request, threads).rows,
                              walked);
}
