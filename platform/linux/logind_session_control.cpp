// The session manager on Linux: logind, through systemctl and loginctl.
#include <QProcess>
#include <QString>
#include <QStringList>

#include "platform/session_control.h"

namespace {

class LogindSessionControl final : public SessionControl {
  public:
    void Perform(SessionAction action) override {
        switch (action) {
            case SessionAction::ShutDown:
                QProcess::startDetached(QStringLiteral("systemctl"), {QStringLiteral("poweroff")});
                return;
            case SessionAction::Restart:
                QProcess::startDetached(QStringLiteral("systemctl"), {QStringLiteral("reboot")});
                return;
            case SessionAction::LogOff: {
                const QString session =
                    qEnvironmentVariable("XDG_SESSION_ID", QStringLiteral("self"));
                QProcess::startDetached(QStringLiteral("loginctl"),
                                        {QStringLiteral("terminate-session"), session});
                return;
            }
        }
    }
};

}  // namespace

std::unique_ptr<SessionControl> MakeSystemSessionControl() {
    return std::make_unique<LogindSessionControl>();
}
