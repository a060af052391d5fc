#pragma once
// The program starts a user asks for from a table's popup. Each returns "" when the start
// succeeded, else a sentence for the user saying what went wrong.

#include <QByteArray>
#include <QString>
#include <vector>

class ProgramLauncher;

// Opens Directory in the desktop's file manager.
QString ExploreDirectory(ProgramLauncher& launcher, const QByteArray& directory);

// Starts the tallmere32 program beside this one, else the one on the PATH, with Arguments.
QString StartSummaryProgram(ProgramLauncher& launcher, const std::vector<QByteArray>& arguments);
