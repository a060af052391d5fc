#include "common/program_starts.h"

#include "common/program_launcher.h"

QString ExploreDirectory(ProgramLauncher& launcher, const QByteArray& directory) {
    QString error;
    if (launcher.OpenDirectory(directory, &error)) return {};
    return error;
}

QString StartSummaryProgram(ProgramLauncher& launcher, const std::vector<QByteArray>& arguments) {
    const QByteArray program = LocateSummaryProgram();
    if (program.isEmpty()) return QStringLiteral("The program tallmere32 was not found.");
    QString error;
    if (launcher.StartProgram(program, arguments, &error)) return {};
    return QStringLiteral("The program tallmere32 could not be started: ") + error;
}
