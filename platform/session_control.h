#pragma once
// Ending the user's session or the machine, as asked on the command line.

#include <memory>

enum class SessionAction { LogOff, ShutDown, Restart };

class SessionControl {
  public:
    virtual ~SessionControl() = default;
    // Asks the session manager; the outcome is not reported (the program ends either way).
    virtual void Perform(SessionAction action) = 0;
};

// The session manager of the machine.
std::unique_ptr<SessionControl> MakeSystemSessionControl();
