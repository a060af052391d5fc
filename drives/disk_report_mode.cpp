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

// The words of a quorvane32 command line, sorted.
struct DiskWords {
    std::optional<QString> report;
    std::optional<QString> output;
    bool help = false;
    bool version = false;
    bool trend = false;
    QString mistake;
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
            words.mistake = QStringLiteral("Missing value after '%1'.").arg(option);
            return QString();
        };
        if (word == u"-h" || word == u"--help") {
            words.help = true;
        } else if (word == u"--version") {
            words.version = true;
        } else if (word == u"--trend") {
            words.trend = true;
        } else if (word.startsWith(u"--trend=")) {
            words.mistake = QStringLiteral("'--trend' takes no value.");
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

DiskCommandLine ParseDiskCommandLine(const QStringList& arguments) {
    const DiskWords words = ReadDiskWords(arguments);
    if (!words.mistake.isEmpty()) return Mistake(words.mistake);
    if (words.help) return OnlyAction(DiskCommandLine::Action::Help);
    if (words.version) return OnlyAction(DiskCommandLine::Action::Version);
    DiskCommandLine line;
    line.ignored = words.ignored;
    if (!words.report) {
        if (words.output) return Mistake(QStringLiteral("--output needs --report."));
        if (words.trend) return Mistake(QStringLiteral("--trend needs --report."));
        return line;
    }
    line.kind = ReportKindOfWord(*words.report);
    if (line.kind == ReportKind::Unknown) {
        return Mistake(
            QStringLiteral("Unknown report kind '%1': use txt, csv or json.").arg(*words.report));
    }
    line.action = DiskCommandLine::Action::Report;
    line.output = words.output.value_or(QString());
    line.trend = words.trend;
    return line;
}

void TellIgnored(const DiskCommandLine& line) {
    if (line.ignored.isEmpty()) return;
    std::fprintf(stderr, "%s: ignoring %s\n", kProgramName,
                 qUtf8Printable(line.ignored.join(u' ')));
}

int RunDiskReport(const DiskCommandLine& line, SettingsStore& store, VolumeSource& volumes) {
    const Settings settings = ReportSettings(store, kProgramName);
    const QDateTime now = QDateTime::currentDateTime();
    CellGrid grid;
    SurveyMemory memory;
    const DiskColumns columns{
        .perDay = line.trend, .fullIn = line.trend, .networkMap = settings.CheckNetwork};
    DiskRows rows = SurveyDrives(grid, volumes, settings, columns, memory, {});
    HistoryStore history({HistoryStore::DefaultPath()});
    QString warning;
    KeepSurvey(history, rows, now.toSecsSinceEpoch(), &warning);
    if (!warning.isEmpty()) std::fprintf(stderr, "%s: %s\n", kProgramName, qUtf8Printable(warning));
    WriteForecasts(grid, rows, columns);
    QByteArray bytes;
    if (line.kind == ReportKind::Json) {
        bytes = DiskJson(rows, now);
    } else {
        bytes = ReportBytes(
            line.kind == ReportKind::Csv
                ? CsvLines(grid)
                : DiskTextReport(grid, columns, DiskReportTitle(settings.ComputerName, now)),
            line.kind);
    }
    const int status = EmitReport(bytes, line.output, kProgramName);
    return TellFaults(rows) ? 1 : status;
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
    return RunDiskReport(line, store, *volumes);
}
