// The command lines of both programs on any words: nothing fails, and the argument lists the
// programs build to start a summary window read back as exactly the directory they name.
#include <QByteArrayList>
#include <QStringList>
#include <cstdint>
#include <cstdlib>

#include "census/command_line.h"
#include "census/program_options.h"
#include "drives/disk_popup.h"
#include "drives/disk_report_mode.h"
#include "summary/grid_actions.h"

namespace {

void Check(bool holds) {
    if (!holds) std::abort();
}

// Whether Arguments start a summary of Directory alone.
bool NamesExactly(const Words& arguments, const QByteArray& directory) {
    return ParseStartPath(arguments, "/cwd").places == PlacesOfDirectory(directory) &&
           !CheckExitOptions(arguments);
}

}  // namespace

// Words separated by NUL bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QByteArrayList split = input.split('\0');
    const Words words(split.begin(), split.end());
    ParseStartPath(words, "/cwd");
    ParseSwitches(words);
    CheckExitOptions(words);
    ParseProgramOptions(words);
    QStringList arguments{QStringLiteral("quorvane32")};
    for (const QByteArray& word : words)
        arguments << QString::fromLocal8Bit(word);
    ParseDiskProgramOptions(arguments);

    // No row is ever ".": the command line reads it as the current directory wherever it stands.
    const QByteArray& directory = words.front();
    if (directory.isEmpty() || directory == ".") return 0;
    Check(NamesExactly(NewWindowArguments(directory, 3, false, 100, 200), directory));
    if (directory.startsWith('/')) Check(NamesExactly(SummaryArguments(directory), directory));
    return 0;
}
