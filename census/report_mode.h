#pragma once
// The summary without a window: the same walk, sort and table, written as the text or comma
// report to standard output or a file.

#include "census/program_options.h"

class SettingsStore;
class VolumeSource;

// The settings are only read: without them the first-run values serve. Folders that could not
// be read are told on standard error, one line each. Returns the exit status: 0, 1 when the
// output failed or the walk left anything out, 2 for a command line that asks for more than a
// report.
int RunSummaryReport(const ProgramOptions& options, SettingsStore& store, VolumeSource& volumes);
