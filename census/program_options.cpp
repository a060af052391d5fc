#include "census/program_options.h"

#include <QDate>

#include "census/scan.h"

namespace {

bool ReadCompare(ProgramOptions& options) {
    bool number = false;
    options.compare.toLongLong(&number);
    if (options.compare == u"last" || number ||
        QDate::fromString(options.compare, Qt::ISODate).isValid())
        return true;
    options.error = QStringLiteral(
                        "--compare takes last, a snapshot's number or a date "
                        "(YYYY-MM-DD), not \"%1\"")
                        .arg(options.compare);
    return false;
}

// The exclude options, whose patterns stay bytes as given; false for any other word.
bool ReadExcludeOption(const QByteArray& word, ProgramOptions& options) {
    if (word.startsWith("--exclude=")) {
        options.excludes += Excludes{{word.mid(10)}, false};
    } else if (word == "--exclude-caches") {
        options.excludes.caches = true;
    } else if (word.startsWith("--exclude-from=")) {
        const QString path = QString::fromLocal8Bit(word.mid(15));
        if (const auto patterns = ReadPatternList(path, &options.error)) {
            options.excludes += Excludes{*patterns, false};
        } else {
            options.mode = ProgramOptions::Mode::Error;
        }
    } else {
        return false;
    }
    return true;
}

bool ReadOption(const QString& argument, ProgramOptions& options) {
    if (argument == u"--help") {
        options.mode = ProgramOptions::Mode::Help;
    } else if (argument == u"--version") {
        options.mode = ProgramOptions::Mode::Version;
    } else if (argument == u"--help-file") {
        options.mode = ProgramOptions::Mode::HelpFile;
    } else if (argument.startsWith(u"--report=")) {
        const QString kind = argument.mid(9);
        options.reportKind =
            kind == u"prometheus" ? ReportKind::Prometheus : ReportKindOfWord(kind);
        if (options.reportKind == ReportKind::Unknown) {
            options.error =
                QStringLiteral("--report takes txt, csv, json or prometheus, not \"%1\"").arg(kind);
            return false;
        }
    } else if (argument == u"--disk-usage") {
        options.diskUsage = true;
    } else if (argument == u"--count-links-once") {
        options.linksOnce = true;
    } else if (argument == u"--one-file-system") {
        options.oneFileSystem = true;
    } else if (argument == u"--no-snapshot") {
        options.noSnapshot = true;
    } else if (argument == u"--list-snapshots") {
        options.mode = ProgramOptions::Mode::ListSnapshots;
    } else if (argument == u"--compare" || argument.startsWith(u"--compare=")) {
        options.compare = argument == u"--compare" ? QStringLiteral("last") : argument.mid(10);
        return ReadCompare(options);
    } else if (argument.startsWith(u"--from-snapshot=")) {
        bool ok = false;
        options.fromSnapshot = argument.mid(16).toLongLong(&ok);
        if (!ok || options.fromSnapshot < 1) {
            options.error = QStringLiteral("--from-snapshot takes a snapshot's number");
            return false;
        }
    } else if (argument.startsWith(u"--forget=")) {
        options.mode = ProgramOptions::Mode::Forget;
        options.forget = argument.mid(9);
        bool ok = false;
        if (options.forget != u"all" && (options.forget.toLongLong(&ok), !ok)) {
            options.error = QStringLiteral("--forget takes a snapshot's number or \"all\"");
            return false;
        }
    } else if (argument.startsWith(u"--import=")) {
        options.importPath = argument.mid(9);
        if (options.importPath.isEmpty()) {
            options.error = QStringLiteral("--import takes a file name, or - for standard input");
            return false;
        }
    } else if (argument.startsWith(u"--output=")) {
        options.outputPath = argument.mid(9);
    } else if (argument.startsWith(u"--threads=")) {
        bool ok = false;
        options.threads = argument.mid(10).toInt(&ok);
        if (!ok || options.threads < 1 || options.threads > kMostScanThreads) {
            options.error =
                QStringLiteral("--threads takes a number from 1 to %1").arg(kMostScanThreads);
            return false;
        }
    } else {
        options.error = QStringLiteral("unknown option %1").arg(argument);
        return false;
    }
    return true;
}

}  // namespace

ProgramOptions ParseProgramOptions(const Words& arguments) {
    ProgramOptions options;
    bool optionsEnded = false;
    for (const QByteArray& word : arguments) {
        if (!optionsEnded && word == "-x") {
            options.oneFileSystem = true;
        } else if (optionsEnded && word.isEmpty()) {
            options.mode = ProgramOptions::Mode::Error;
            options.error = QStringLiteral("an empty start directory");
            return options;
        } else if (!optionsEnded && ReadExcludeOption(word, options)) {
            if (options.mode == ProgramOptions::Mode::Error) return options;
        } else if (optionsEnded || !word.startsWith("--") || word == "--") {
            optionsEnded = optionsEnded || word == "--";
            options.words.push_back(word);
        } else if (!ReadOption(QString::fromLocal8Bit(word), options)) {
            options.mode = ProgramOptions::Mode::Error;
            return options;
        }
    }
    if (options.mode == ProgramOptions::Mode::Window && options.reportKind != ReportKind::Unknown) {
        options.mode = ProgramOptions::Mode::Report;
    }
    const bool reportOnly = !options.outputPath.isEmpty() || options.diskUsage ||
                            options.linksOnce || options.oneFileSystem || options.noSnapshot ||
                            !options.compare.isEmpty();
    if (options.mode == ProgramOptions::Mode::Window && reportOnly) {
        options.mode = ProgramOptions::Mode::Error;
        options.error = QStringLiteral(
            "--output, --disk-usage, --count-links-once, -x, --no-snapshot and --compare go with "
            "--report (the window takes its ways of counting from Options)");
    }
    return options;
}

QString UsageText() {
    return QStringLiteral(
        "Usage: tallmere32 [START ...] [-aN | -dN] [-xLEFT,TOP] [-s | -r | -l]\n"
        "       tallmere32 --report=txt|csv|json|prometheus [--output=FILE] [--disk-usage]\n"
        "                  [--count-links-once] [-x] [START ...] [-aN | -dN]\n"
        "       tallmere32 --report=KIND --import=FILE [FOLDER] [-aN | -dN]\n"
        "       tallmere32 --import=FILE | --from-snapshot=ID [FOLDER]\n"
        "The first two take [--exclude=PATTERN ...] [--exclude-from=FILE] [--exclude-caches].\n"
        "\n"
        "Summarises directory trees: one row for each START directory (what lies directly\n"
        "in it) and one for each directory directly below it (its whole subtree).\n"
        "\n"
        "  START          a directory; several words or a \";\" list are several; \".\" is the\n"
        "                 current directory; none, or \"My Computer\", is every local volume\n"
        "  -aN, -dN       sort ascending or descending by field N: 1 name, 2 files, 3 size,\n"
        "                 4 dirs, 5 hidden files, 6 hidden size, 7 hidden dirs, 8 system\n"
        "                 files, 9 system size, 10 archive files, 11 archive size\n"
        "  -xLEFT,TOP     put the window at LEFT, TOP (twips, 1440 to the inch)\n"
        "  -s, -r, -l     shut the machine down, restart it, or end the session instead\n"
        "  --             each word after it is one directory, exactly as written\n"
        "  --report=KIND  write the text (txt), comma (csv) or JSON (json) report without a\n"
        "                 window, or the samples of a Prometheus textfile (prometheus)\n"
        "  --output=FILE  write the report to FILE instead of standard output\n"
        "  --disk-usage   sizes are the space files take on disk, not their lengths\n"
        "  --count-links-once  a file with several hard links counts once, in the first row\n"
        "                 holding one of them\n"
        "  -x, --one-file-system  do not enter other mounted file systems\n"
        "  --exclude=PATTERN  leave out entries matching the shell pattern: without a \"/\"\n"
        "                 the name of an entry at any depth (node_modules, *.iso), with one\n"
        "                 its absolute path, where * does not cross \"/\" (/home/*/Downloads)\n"
        "  --exclude-from=FILE  leave out the patterns of FILE, one a line; blank lines and\n"
        "                 lines starting with \"#\" are ignored\n"
        "  --exclude-caches  leave out folders holding a CACHEDIR.TAG file with the\n"
        "                 standard signature\n"
        "  --threads=N    walk with N threads, 1 to 64\n"
        "  --no-snapshot  do not keep this summary in the history\n"
        "  --compare[=last|ID|YYYY-MM-DD]  add the growth since an earlier snapshot holding\n"
        "                 the start directory: the newest (last), snapshot ID, or the newest\n"
        "                 taken on or before that day\n"
        "  --from-snapshot=ID [DIR]  the report of snapshot ID (or of DIR inside it) without\n"
        "                 walking\n"
        "  --list-snapshots [DIR ...]  list the snapshots kept (of those start directories),\n"
        "                 in the --report format (txt unless given)\n"
        "  --forget=ID|all  delete snapshot ID, or every snapshot\n"
        "  --import=FILE  report a scan exported by ncdu or gdu (- reads standard input)\n"
        "                 instead of walking; FOLDER, a folder inside the scan, is reported\n"
        "                 in its place; without --report the scan is kept and shown in the\n"
        "                 window, read-only, as --from-snapshot=ID without --report shows one\n"
        "  --help-file    show where the manual is found, and end\n"
        "  --help         show this text\n"
        "  --version      show the version\n"
        "\n"
        "The windows spellings /aN, /dN and /xLEFT,TOP are accepted too. The JSON report gives\n"
        "every figure in bytes; a name that is not valid UTF-8 comes as \"path\" with\n"
        "replacement characters and, beside it, \"path_bytes\": its exact bytes in base64.\n"
        "Excluded entries are neither counted nor entered; a START directory never is. The\n"
        "exclude options work in both modes and add to those kept in Options.\n"
        "Report mode's exit status: 0, 1 when a folder could not be read or the report could\n"
        "not be written, 2 for a mistake on the command line.\n"
        "\n"
        "History: every summary written by --report, walked or imported, is kept as a\n"
        "snapshot in $XDG_DATA_HOME/tallmere32/history.sqlite (~/.local/share/tallmere32/ by\n"
        "default) unless \"Keep a history of summaries\" is off in Options:\n"
        "every snapshot of the last 7 days, then the last of each day for 8 weeks, then the\n"
        "last of each month. --forget=ID or --forget=all deletes them; the man page\n"
        "(section HISTORY) describes the tables for sqlite3.\n");
}
