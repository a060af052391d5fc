// tallmere32: the summary window, or with --report the summary without a window.
#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <cstdio>
#include <new>

#include "census/history_report.h"
#include "census/import_snapshot.h"
#include "census/program_options.h"
#include "census/report_mode.h"
#include "help/context_ids.h"
#include "platform/volumes.h"
#include "settings/load_settings.h"
#include "settings/settings_store.h"
#include "summary/tallmere.h"
#include "table/version.h"
#include "ui/desktop_services.h"
#include "ui/display.h"
#include "ui/my_info.h"
#include "ui/screen_fit.h"

namespace {

// The snapshot the window opens at start: --from-snapshot's, or an import kept as one; 0 for
// none; none after telling why an import failed.
std::optional<qint64> SnapshotToOpen(const ProgramOptions& options) {
    if (options.importPath.isEmpty()) return options.fromSnapshot;
    IniSettingsStore store;
    const Settings settings = ReportSettings(store, "tallmere32");
    HistoryStore history(HistoryOptions());
    const auto imported = ImportSnapshot(options.importPath, CountingOf(settings), history);
    if (const QString* error = std::get_if<QString>(&imported)) {
        std::fprintf(stderr, "tallmere32: %s\n", qUtf8Printable(*error));
        return std::nullopt;
    }
    return std::get<qint64>(imported);
}

int RunWindow(int argc, char** argv, const ProgramOptions& options) {
    if (!HasDisplay()) {
        ReportNoDisplay("tallmere32");
        return 1;
    }
    QApplication app(argc, argv);
    KeepWindowsOnScreen(app);
    // Desktops match the windows to the desktop entry, and so to its icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tallmere.Tallmere32"));
    QApplication::setWindowIcon(ProgramIcon(QGuiApplication::desktopFileName()));
    // Never destroyed: a walk abandoned when the window closed may still be asking the
    // volumes on its way out while the program ends.
    const auto* services = new DesktopServices;
    AppContext context;
    context.ProgramTitle = QStringLiteral("Tallmere32");
    context.services = services->Get();
    const std::optional<qint64> snapshot = SnapshotToOpen(options);
    if (!snapshot) return 2;
    Tallmere window(context, options.words);
    window.OpenSnapshotAtStart(*snapshot);
    if (options.threads > 0) window.SetScanThreads(options.threads);
    window.AddExcludes(options.excludes);
    QObject::connect(&window, &Tallmere::Closing, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    switch (window.Form_Load()) {
        case Tallmere::Started::SessionEnding:
            return 0;
        case Tallmere::Started::NoSettings:
            return 1;
        case Tallmere::Started::Shown:
            break;
    }
    return app.exec();
}

int RunReport(int argc, char** argv, const ProgramOptions& options) {
    QCoreApplication app(argc, argv);
    IniSettingsStore store;
    const std::unique_ptr<VolumeSource> volumes = MakeSystemVolumeSource();
    return RunSummaryReport(options, store, *volumes);
}

int RunHistoryCommand(int argc, char** argv, const ProgramOptions& options) {
    const QCoreApplication app(argc, argv);
    return options.mode == ProgramOptions::Mode::Forget ? RunForget(options)
                                                        : RunListSnapshots(options);
}

// Prints where Help > Contents finds the manual; 1 when it is not there.
int ShowHelpFile(int argc, char** argv) {
    const QCoreApplication app(argc, argv);
    const QString path = LocateHelpFile(QCoreApplication::applicationDirPath());
    std::printf("%s\n", qUtf8Printable(path));
    return QFileInfo(path).isReadable() ? 0 : 1;
}

int Run(int argc, char** argv) {
    const ProgramOptions options = ParseProgramOptions(Words(argv + 1, argv + argc));
    switch (options.mode) {
        case ProgramOptions::Mode::Help:
            std::fputs(qUtf8Printable(UsageText()), stdout);
            return 0;
        case ProgramOptions::Mode::Version:
            std::printf("tallmere32 %s\n", kProgramVersion);
            return 0;
        case ProgramOptions::Mode::Error:
            std::fprintf(stderr, "tallmere32: %s\n", qUtf8Printable(options.error));
            return 2;
        case ProgramOptions::Mode::Report:
            return RunReport(argc, argv, options);
        case ProgramOptions::Mode::ListSnapshots:
        case ProgramOptions::Mode::Forget:
            return RunHistoryCommand(argc, argv, options);
        case ProgramOptions::Mode::HelpFile:
            return ShowHelpFile(argc, argv);
        case ProgramOptions::Mode::Window:
            break;
    }
    return RunWindow(argc, argv, options);
}

}  // namespace

// Running out of memory is told, never an abort: the walk's threads hand it to this one.
int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fputs("tallmere32: out of memory\n", stderr);
        return 1;
    }
}
