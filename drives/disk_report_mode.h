#pragma once
// The command line of quorvane32. Without arguments it opens the window; --report writes the
// disk table without a window or a display, for scripts and scheduled jobs. The window reads
// no command line: Qt's own options (-style, -platform, ...) are Qt's, any other word is
// ignored.

#include <QString>
#include <QStringList>

#include "table/report_text.h"

class SettingsStore;
class VolumeSource;

// In the words of tallmere32's ProgramOptions.
struct DiskProgramOptions {
    enum class Mode { Window, Report, Help, Version, Error };
    Mode mode = Mode::Window;
    ReportKind reportKind = ReportKind::Unknown;
    QString outputPath;   // the report file; standard output when empty
    bool trend = false;   // txt and csv add each volume's growth a day and when it is full
    QString error;        // Mode::Error: what was wrong with the command line
    QStringList ignored;  // words that are none of the options
};

// Reads Arguments, the program's name first.
DiskProgramOptions ParseDiskProgramOptions(const QStringList& arguments);

// Tells on standard error, in one line, which words the command line ignored (if any).
void TellIgnored(const DiskProgramOptions& options);

// Surveys the volumes once under the stored settings (only read; the first-run values when
// they cannot be), keeps the survey in the history, and writes the report Options ask for to
// their output path (standard output when empty): with Trend, a text report or comma file has the
// columns "Per Day" (megabytes, signed) and "Full In" after "Changed". Returns the exit status: 0,
// or 1 after a one-line message on standard error (a line per volume that could not be surveyed,
// after the report).
int RunDiskReport(const DiskProgramOptions& options, SettingsStore& store, VolumeSource& volumes);

// Carries out every mode but Window: help and version on standard output (status 0), an
// error as one line on standard error (status 2), a report from the user's settings and the
// machine's volumes.
int RunWithoutWindow(const DiskProgramOptions& options);
