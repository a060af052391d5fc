#pragma once
// The program starts a user asks for from a table's popup. Each returns "" when the start
// succeeded, else a sentence for the user saying what went wrong.

#include <QByteArray>
#include <QString>
#include <vector>

class ProgramLauncher;

// Opens Directory in the desktop's file manager.
QString ExploreDirectory(ProgramLauncher& launcher, const QByteArray& directory);

// Starts the summary program Program (empty when none was found) with Arguments.
QString StartSummaryProgram(ProgramLauncher& launcher, const QByteArray& program,
                            const std::vector<QByteArray>& arguments);
