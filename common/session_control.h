#pragma once
// Ending the user's session or the machine, as asked on the command line.

enum class SessionAction { LogOff, ShutDown, Restart };

class SessionControl {
  public:
    virtual ~SessionControl() = default;
    // Asks the session manager; the outcome is not reported (the program ends either way).
    virtual void Perform(SessionAction action) = 0;
};

// logind through systemctl and loginctl.
class LogindSessionControl final : public SessionControl {
  public:
    void Perform(SessionAction action) override;
};
