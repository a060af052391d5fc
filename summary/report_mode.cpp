#include "summary/report_mode.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <cstdio>

#include "settings/load_settings.h"
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

// The walk the options ask for: the stored way of counting, or the flags' where they differ.
ScanRequest RequestOf(const ProgramOptions& options, const Settings& settings,
                      VolumeSource& volumes) {
    const StartPath start = ParseStartPath(options.words, QFile::encodeName(QDir::currentPath()));
    ScanRequest request = StartDirectories(start.places, volumes);
    request.counting = CountingOf(settings);
    request.counting.onDisk = request.counting.onDisk || options.diskUsage;
    request.counting.linksOnce = request.counting.linksOnce || options.linksOnce;
    request.stayOnVolume = request.stayOnVolume || options.oneFileSystem;
    request.excludes = ExcludesOf(settings);
    request.excludes += options.excludes;
    return request;
}

QByteArray ReportOf(ReportKind kind, const SummaryData& data, const Settings& settings,
                    const ScanRequest& request, const QDateTime& walked, std::int64_t excluded) {
    if (kind == ReportKind::Json)
        return SummaryJson(data, request.roots, request.counting, walked, excluded);
    CellGrid grid;
    FillReportGrid(grid, data, settings);
    if (kind == ReportKind::Csv) return ReportBytes(CsvLines(grid));
    return ReportBytes(SummaryTextReport(grid, settings.ComputerName, QDateTime::currentDateTime(),
                                         request.counting));
}

}  // namespace

int RunSummaryReport(const ProgramOptions& options, SettingsStore& store, VolumeSource& volumes) {
    if (CheckExitOptions(options.words)) {
        std::fprintf(stderr, "tallmere32: -s, -r and -l cannot be combined with --report\n");
        return 2;
    }
    const Settings settings = ReportSettings(store, "tallmere32");
    const ScanRequest request = RequestOf(options, settings, volumes);
    const int threads = options.threads > 0 ? options.threads : DefaultScanThreads();
    const QDateTime walked = QDateTime::currentDateTime();
    SummaryData data;
    ScanResult walk = ScanDirectories(request, threads);
    data.Record(std::move(walk.rows));
    const Switches switches = ParseSwitches(options.words);
    SortRows(data.Results, data.RowOrder, switches.SortColumn, switches.SortAscending);
    const QByteArray report =
        ReportOf(options.reportKind, data, settings, request, walked, walk.excluded);
    const int status = EmitReport(report, options.outputPath, "tallmere32");
    return TellSkipped(data.AllSkipped) ? 1 : status;
}
