#include "common/session_control.h"

#include <QProcess>
#include <QString>
#include <QStringList>

void LogindSessionControl::Perform(SessionAction action) {
    switch (action) {
        case SessionAction::ShutDown:
            QProcess::startDetached(QStringLiteral("systemctl"), {QStringLiteral("poweroff")});
            return;
        case SessionAction::Restart:
            QProcess::startDetached(QStringLiteral("systemctl"), {QStringLiteral("reboot")});
            return;
        case SessionAction::LogOff: {
            const QString session = qEnvironmentVariable("XDG_SESSION_ID", QStringLiteral("self"));
            QProcess::startDetached(QStringLiteral("loginctl"),
                                    {QStringLiteral("terminate-session"), session});
            return;
        }
    }
}
