#include "drives/disk_report_mode.h"

#include <QCommandLineParser>
#include <QDateTime>
#include <cstdio>

#include "drives/disk_reports.h"
#include "drives/drive_survey.h"
#include "platform/volumes.h"
#include "settings/load_settings.h"
#include "settings/settings_store.h"
#include "table/cell_grid.h"
#include "table/version.h"

namespace {

constexpr const char* kProgramName = "quorvane32";

constexpr const char* kHelpText =
    "Usage: quorvane32 [--report=txt|csv [--output=FILE]]\n"
    "Shows the available, used and total space of every mounted volume.\n"
    "\n"
    "  --report=txt|csv  write the disk table as a text report or a comma file and end,\n"
    "                    without a window (no display needed)\n"
    "  --output=FILE     write the report to FILE instead of standard output\n"
    "  -h, --help        show this help and end\n"
    "  --version         show the version and end\n";

DiskCommandLine OnlyAction(DiskCommandLine::Action action) {
    DiskCommandLine line;
    line.action = action;
    return line;
}

DiskCommandLine Mistake(const QString& what) {
    DiskCommandLine line = OnlyAction(DiskCommandLine::Action::Mistake);
    line.mistake = what;
    return line;
}

}  // namespace

DiskCommandLine ParseDiskCommandLine(const QStringList& arguments) {
    if (arguments.size() <= 1) return {};
    QCommandLineParser parser;
    const QCommandLineOption report(QStringLiteral("report"), {}, QStringLiteral("kind"));
    const QCommandLineOption output(QStringLiteral("output"), {}, QStringLiteral("file"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({report, output, help, version});
    if (!parser.parse(arguments)) return Mistake(parser.errorText());
    if (!parser.positionalArguments().isEmpty()) {
        return Mistake(QStringLiteral("Unexpected argument '%1'.")
                           .arg(parser.positionalArguments().constFirst()));
    }
    if (parser.isSet(help)) return OnlyAction(DiskCommandLine::Action::Help);
    if (parser.isSet(version)) return OnlyAction(DiskCommandLine::Action::Version);
    if (!parser.isSet(report)) return Mistake(QStringLiteral("--output needs --report."));
    const ReportKind kind = ReportKindOfWord(parser.value(report));
    if (kind == ReportKind::Unknown) {
        return Mistake(
            QStringLiteral("Unknown report kind '%1': use txt or csv.").arg(parser.value(report)));
    }
    return {DiskCommandLine::Action::Report, kind, parser.value(output), {}};
}

int RunDiskReport(ReportKind kind, const QString& output, SettingsStore& store,
                  VolumeSource& volumes) {
    Settings settings;
    if (LoadSettings(store, settings) == StoreOutcome::KeyUnavailable) {
        std::fprintf(stderr, "%s: %s\n", kProgramName, kStoreUnavailable);
        return 1;
    }
    CellGrid grid;
    SurveyMemory memory;
    SurveyDrives(grid, volumes, settings, memory, {});
    const QStringList lines =
        kind == ReportKind::Csv
            ? CsvLines(grid)
            : DiskTextReport(grid,
                             DiskReportTitle(settings.ComputerName, QDateTime::currentDateTime()));
    return EmitReport(ReportBytes(lines), output, kProgramName);
}

int RunDiskCommandLine(const DiskCommandLine& line) {
    switch (line.action) {
        case DiskCommandLine::Action::Help:
            std::fputs(kHelpText, stdout);
            return 0;
        case DiskCommandLine::Action::Version:
            std::printf("Quorvane32 %s\n", kProgramVersion);
            return 0;
        case DiskCommandLine::Action::Mistake:
            std::fprintf(stderr, "%s: %s\n", kProgramName, qUtf8Printable(line.mistake));
            return 2;
        case DiskCommandLine::Action::Report:
        case DiskCommandLine::Action::Window:
            break;
    }
    IniSettingsStore store;
    const std::unique_ptr<VolumeSource> volumes = MakeSystemVolumeSource();
    return RunDiskReport(line.kind, line.output, store, *volumes);
}
