#include "drives/disk_report_mode.h"

#include <QDateTime>
#include <cstdio>
#include <optional>

#include "drives/disk_json.h"
#include "drives/disk_reports.h"
#include "drives/drive_survey.h"
#include "drives/survey_history.h"
#include "platform/volumes.h"
#include "settings/load_settings.h"
#include "settings/settings_store.h"
#include "table/cell_grid.h"
#include "table/version.h"

namespace {

constexpr const char* kProgramName = "quorvane32";

constexpr const char* kHelpText =
    "Usage: quorvane32 [--report=txt|csv|json [--trend] [--output=FILE]]\n"
    "Shows the available, used and total space of every mounted volume. The window takes\n"
    "Qt's own options, such as -style NAME or -platform NAME; other words are ignored.\n"
    "\n"
    "  --report=txt|csv|json  write the disk table as a text report, a comma file or\n"
    "                    JSON (raw bytes; a mount point that is not valid UTF-8 also as\n"
    "                    \"mount_point_bytes\", base64) and end, without a window\n"
    "  --trend           add the columns \"Per Day\" (growth a day in MB) and \"Full In\"\n"
    "                    (when the volume will be full) to a txt or csv report; JSON\n"
    "                    always has the forecast\n"
    "  --output=FILE     write the report to FILE instead of standard output\n"
    "  -h, --help        show this help and end\n"
    "  --version         show the version and end\n";

// Text with its control characters (a mount point may hold a line feed or an escape) as "?",
// so that it stays one harmless line.
QString Printable(QString text) {
    for (QChar& c : text) {
        if (c.category() == QChar::Other_Control) c = u'?';
    }
    return text;
}

// Tells on standard error, a line each, of the volumes that could not be surveyed. True when
// there were any.
bool TellFaults(const DiskRows& rows) {
    bool any = false;
    for (const VolumeRecord& record : rows.volumes) {
        if (record.report.fault.isEmpty()) continue;
        std::fprintf(stderr, "%s: %s\n", kProgramName,
                     qUtf8Printable(Printable(VolumeFaultText(record))));
        any = true;
    }
    return any;
}

DiskProgramOptions OnlyMode(DiskProgramOptions::Mode mode) {
    DiskProgramOptions options;
    options.mode = mode;
    return options;
}

DiskProgramOptions WithError(const QString& error) {
    DiskProgramOptions options = OnlyMode(DiskProgramOptions::Mode::Error);
    options.error = error;
    return options;
}

// The words of a quorvane32 command line, sorted.
struct DiskWords {
    std::optional<QString> report;
    std::optional<QString> output;
    bool help = false;
    bool version = false;
    bool trend = false;
    QString error;
    QStringList ignored;
};

DiskWords ReadDiskWords(const QStringList& arguments) {
    DiskWords words;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& word = arguments[i];
        // "--option=VALUE" or "--option VALUE"
        const auto value = [&](const QString& option) -> std::optional<QString> {
            if (word.startsWith(option + u'=')) return word.mid(option.size() + 1);
            if (word != option) return std::nullopt;
            if (i + 1 < arguments.size()) return arguments[++i];
            words.error = QStringLiteral("Missing value after '%1'.").arg(option);
            return QString();
        };
        if (word == u"-h" || word == u"--help") {
            words.help = true;
        } else if (word == u"--version") {
            words.version = true;
        } else if (word == u"--trend") {
            words.trend = true;
        } else if (word.startsWith(u"--trend=")) {
            words.error = QStringLiteral("'--trend' takes no value.");
        } else if (auto kind = value(QStringLiteral("--report"))) {
            words.report = kind;
        } else if (auto file = value(QStringLiteral("--output"))) {
            words.output = file;
        } else {
            words.ignored << word;
        }
    }
    return words;
}

}  // namespace

DiskProgramOptions ParseDiskProgramOptions(const QStringList& arguments) {
    const DiskWords words = ReadDiskWords(arguments);
    if (!words.error.isEmpty()) return WithError(words.error);
    if (words.help) return OnlyMode(DiskProgramOptions::Mode::Help);
    if (words.version) return OnlyMode(DiskProgramOptions::Mode::Version);
    DiskProgramOptions options;
    options.ignored = words.ignored;
    if (!words.report) {
        if (words.output) return WithError(QStringLiteral("--output needs --report."));
        if (words.trend) return WithError(QStringLiteral("--trend needs --report."));
        return options;
    }
    options.reportKind = ReportKindOfWord(*words.report);
    if (options.reportKind == ReportKind::Unknown) {
        return WithError(
            QStringLiteral("Unknown report kind '%1': use txt, csv or json.").arg(*words.report));
    }
    options.mode = DiskProgramOptions::Mode::Report;
    options.outputPath = words.output.value_or(QString());
    options.trend = words.trend;
    return options;
}

void TellIgnored(const DiskProgramOptions& options) {
    if (options.ignored.isEmpty()) return;
    std::fprintf(stderr, "%s: ignoring %s\n", kProgramName,
                 qUtf8Printable(options.ignored.join(u' ')));
}

int RunDiskReport(const DiskProgramOptions& options, SettingsStore& store, VolumeSource& volumes) {
    const Settings settings = ReportSettings(store, kProgramName);
    const QDateTime now = QDateTime::currentDateTime();
    CellGrid grid;
    SurveyMemory memory;
    const DiskColumns columns{
        .perDay = options.trend, .fullIn = options.trend, .networkMap = settings.CheckNetwork};
    DiskRows rows = SurveyDrives(grid, volumes, settings, columns, memory, {});
    HistoryStore history({HistoryStore::DefaultPath()});
    QString warning;
    KeepSurvey(history, rows, now.toSecsSinceEpoch(), &warning);
    if (!warning.isEmpty()) std::fprintf(stderr, "%s: %s\n", kProgramName, qUtf8Printable(warning));
    WriteForecasts(grid, rows, columns);
    QByteArray bytes;
    if (options.reportKind == ReportKind::Json) {
        bytes = DiskJson(rows, now);
    } else {
        bytes = ReportBytes(
            options.reportKind == ReportKind::Csv
                ? CsvLines(grid)
                : DiskTextReport(grid, columns, DiskReportTitle(settings.ComputerName, now)),
            options.reportKind);
    }
    const int status = EmitReport(bytes, options.outputPath, kProgramName);
    return TellFaults(rows) ? 1 : status;
}

int RunWithoutWindow(const DiskProgramOptions& options) {
    switch (options.mode) {
        case DiskProgramOptions::Mode::Help:
            std::fputs(kHelpText, stdout);
            return 0;
        case DiskProgramOptions::Mode::Version:
            std::printf("Quorvane32 %s\n", kProgramVersion);
            return 0;
        case DiskProgramOptions::Mode::Error:
            std::fprintf(stderr, "%s: %s\n", kProgramName, qUtf8Printable(options.error));
            return 2;
        case DiskProgramOptions::Mode::Report:
        case DiskProgramOptions::Mode::Window:
            break;
    }
    IniSettingsStore store;
    const std::unique_ptr<VolumeSource> volumes = MakeSystemVolumeSource();
    return RunDiskReport(options, store, *volumes);
}
