#include "drives/disk_report_mode.h"

#include <QDateTime>
#include <cstdio>
#include <optional>

#include "drives/disk_json.h"
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
    "Usage: quorvane32 [--report=txt|csv|json [--output=FILE]]\n"
    "Shows the available, used and total space of every mounted volume. The window takes\n"
    "Qt's own options, such as -style NAME or -platform NAME; other words are ignored.\n"
    "\n"
    "  --report=txt|csv|json  write the disk table as a text report, a comma file or\n"
    "                    JSON (raw bytes; a mount point that is not valid UTF-8 also as\n"
    "                    \"mount_point_bytes\", base64) and end, without a window\n"
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
    DiskCommandLine line;
    std::optional<QString> report;
    std::optional<QString> output;
    bool help = false;
    bool version = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& word = arguments[i];
        const auto value = [&](const QString& option) -> std::optional<QString> {
            if (word.startsWith(option + u'=')) return word.mid(option.size() + 1);
            if (word != option) return std::nullopt;
            if (i + 1 < arguments.size()) return arguments[++i];
            line.mistake = QStringLiteral("Missing value after '%1'.").arg(option);
            return QString();
        };
        if (word == u"-h" || word == u"--help") {
            help = true;
        } else if (word == u"--version") {
            version = true;
        } else if (auto kind = value(QStringLiteral("--report"))) {
            report = kind;
        } else if (auto file = value(QStringLiteral("--output"))) {
            output = file;
        } else {
            line.ignored << word;
        }
    }
    if (!line.mistake.isEmpty()) return Mistake(line.mistake);
    if (help) return OnlyAction(DiskCommandLine::Action::Help);
    if (version) return OnlyAction(DiskCommandLine::Action::Version);
    if (!report) {
        if (output) return Mistake(QStringLiteral("--output needs --report."));
        return line;
    }
    line.kind = ReportKindOfWord(*report);
    if (line.kind == ReportKind::Unknown) {
        return Mistake(
            QStringLiteral("Unknown report kind '%1': use txt, csv or json.").arg(*report));
    }
    line.action = DiskCommandLine::Action::Report;
    line.output = output.value_or(QString());
    return line;
}

void TellIgnored(const DiskCommandLine& line) {
    if (line.ignored.isEmpty()) return;
    std::fprintf(stderr, "%s: ignoring %s\n", kProgramName,
                 qUtf8Printable(line.ignored.join(u' ')));
}

int RunDiskReport(ReportKind kind, const QString& output, SettingsStore& store,
                  VolumeSource& volumes) {
    const Settings settings = ReportSettings(store, kProgramName);
    const QDateTime now = QDateTime::currentDateTime();
    if (kind == ReportKind::Json) {
        return EmitReport(DiskJson(volumes, settings, now), output, kProgramName);
    }
    CellGrid grid;
    SurveyMemory memory;
    SurveyDrives(grid, volumes, settings, memory, {});
    const QStringList lines =
        kind == ReportKind::Csv ? CsvLines(grid)
                                : DiskTextReport(grid, DiskReportTitle(settings.ComputerName, now));
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
