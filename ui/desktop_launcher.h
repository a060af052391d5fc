#pragma once
// The program launcher of a desktop session: the file manager through the desktop's URL
// handler, other programs started detached.

#include "platform/program_launcher.h"

class DesktopProgramLauncher final : public ProgramLauncher {
  public:
    bool OpenDirectory(const QByteArray& directory, QString* error) override;
    bool StartProgram(const QByteArray& program, const std::vector<QByteArray>& arguments,
                      QString* error) override;
};
