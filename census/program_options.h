#pragma once
// The options of the tallmere32 program itself, read before the summary's own command line.

#include <QString>

#include "census/command_line.h"
#include "census/excludes.h"
#include "table/report_text.h"

struct ProgramOptions {
    enum class Mode { Window, Report, Help, Version, HelpFile, Error, ListSnapshots, Forget };
    Mode mode = Mode::Window;
    ReportKind reportKind = ReportKind::Unknown;
    QString outputPath;  // report mode: "" for standard output
    QString importPath;  // a scan's export to report instead of walking; "-" standard input
    int threads = 0;     // 0: the default
    // Report mode's ways of counting, over the stored options for this run.
    bool diskUsage = false;
    bool linksOnce = false;
    bool oneFileSystem = false;
    // The history of summaries (report mode).
    bool noSnapshot = false;  // do not save this summary
    QString compare;          // "" no comparison; "last", an id or a YYYY-MM-DD date
    qint64 fromSnapshot = 0;  // the report of this snapshot instead of a walk; 0 none
    QString forget;           // Mode::Forget: an id or "all"
    Excludes excludes;        // in both modes, added to the stored ones
    Words words;              // the summary's command line: START words and switches
    QString error;            // Mode::Error: the one line to print
};

ProgramOptions ParseProgramOptions(const Words& arguments);

// The text of --help.
QString UsageText();
