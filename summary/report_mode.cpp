#include "summary/report_mode.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <cstdio>

#include "settings/load_settings.h"
#include "summary/scan.h"
#include "summary/skipped_text.h"
#include "summary/summary_reports.h"
#include "summary/summary_table.h"

namespace {

void FillReportGrid(CellGrid& grid, SummaryData& data, const Settings& settings,
                    const Switches& switches) {
    ColumnChars chars{};
    grid.SetCols(SummaryColumns(settings));
    SetupGrid(grid, settings, chars);
    SortRows(data.Results, data.RowOrder, switches.SortColumn, switches.SortAscending);
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

}  // namespace

int RunSummaryReport(const ProgramOptions& options, SettingsStore& store, VolumeSource& volumes) {
    if (CheckExitOptions(options.words)) {
        std::fprintf(stderr, "tallmere32: -s, -r and -l cannot be combined with --report\n");
        return 2;
    }
    const Settings settings = ReportSettings(store, "tallmere32");
    const StartPath start = ParseStartPath(options.words, QFile::encodeName(QDir::currentPath()));
    const int threads = options.threads > 0 ? options.threads : DefaultScanThreads();
    SummaryData data;
    data.Record(ScanDirectories(StartDirectories(start.places, volumes), threads).rows);
    CellGrid grid;
    FillReportGrid(grid, data, settings, ParseSwitches(options.words));
    const QStringList lines =
        options.reportKind == ReportKind::Text
            ? SummaryTextReport(grid, settings.ComputerName, QDateTime::currentDateTime())
            : CsvLines(grid);
    const int status = EmitReport(ReportBytes(lines), options.outputPath, "tallmere32");
    return TellSkipped(data.AllSkipped) ? 1 : status;
}
