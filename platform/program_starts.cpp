#include "platform/program_starts.h"

#include "platform/program_launcher.h"

QString ExploreDirectory(ProgramLauncher& launcher, const QByteArray& directory) {
    QString error;
    if (launcher.OpenDirectory(directory, &error)) return {};
    return QStringLiteral("Unable to open %1: %2").arg(QString::fromUtf8(directory), error);
}

QString StartSummaryProgram(ProgramLauncher& launcher, const QByteArray& program,
                            const std::vector<QByteArray>& arguments) {
    if (program.isEmpty()) return QStringLiteral("Unable to find tallmere32.");
    QString error;
    if (launcher.StartProgram(program, arguments, &error)) return {};
    return QStringLiteral("Unable to start tallmere32: ") + error;
}
