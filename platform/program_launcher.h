#pragma once
// Starting other programs: the desktop's file manager on a directory, and further copies of
// the summary program. Arguments are bytes and never pass through a shell.

#include <QByteArray>
#include <QString>
#include <vector>

class ProgramLauncher {
  public:
    virtual ~ProgramLauncher() = default;
    // Opens Directory in the desktop's file manager. On failure Error says why.
    virtual bool OpenDirectory(const QByteArray& directory, QString* error) = 0;
    // Starts Program with Arguments, detached; does not wait. On failure Error says why.
    virtual bool StartProgram(const QByteArray& program, const std::vector<QByteArray>& arguments,
                              QString* error) = 0;
};

// Starts Program (looked up on the PATH unless it holds a "/") with Arguments as a process of
// its own that outlives this one; does not wait for it. "" when it started, else the system's
// reason.
QString StartDetachedProgram(const QByteArray& program, const std::vector<QByteArray>& arguments);

// The tallmere32 program beside the running one, else the one found on the PATH; empty when
// there is none.
QByteArray LocateSummaryProgram();
