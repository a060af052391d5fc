// Quorvane32: the disk space view on its own. With --report it writes the table and ends
// without touching the display.
#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QStringList>
#include <cstdio>
#include <new>

#include "drives/disk_report_mode.h"
#include "drives/frm_quorvane.h"
#include "ui/desktop_services.h"
#include "ui/display.h"
#include "ui/my_info.h"
#include "ui/screen_fit.h"

namespace {

QStringList ArgumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Qt takes its own options (-style, -platform, ...) out of the arguments; the window reads no
// others.
int RunWindow(int argc, char** argv) {
    if (!HasDisplay(ArgumentsOf(argc, argv))) {
        ReportNoDisplay("quorvane32");
        return 1;
    }
    QApplication app(argc, argv);
    KeepWindowsOnScreen(app);
    TellIgnored(ParseDiskProgramOptions(QCoreApplication::arguments()));
    // Desktops match the windows to the desktop entry, and so to its icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tallmere.Quorvane32"));
    QApplication::setWindowIcon(ProgramIcon(QGuiApplication::desktopFileName()));
    const DesktopServices services;
    AppContext context;
    context.ProgramTitle = QStringLiteral("Quorvane32");
    context.services = services.Get();
    frmQuorvane window(context);
    window.Open();
    if (!window.isVisible()) return 1;  // the settings store could not be opened
    return QApplication::exec();
}

int Run(int argc, char** argv) {
    const DiskProgramOptions options = ParseDiskProgramOptions(ArgumentsOf(argc, argv));
    if (options.mode == DiskProgramOptions::Mode::Window) return RunWindow(argc, argv);
    const QCoreApplication app(argc, argv);
    TellIgnored(options);
    return RunWithoutWindow(options);
}

}  // namespace

// Running out of memory is told, never an abort.
int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fputs("quorvane32: out of memory\n", stderr);
        return 1;
    }
}
