#include "settings/app_context.h"

#include "common/desktop_dialogs.h"
#include "common/program_launcher.h"
#include "common/session_control.h"
#include "common/user_messages.h"
#include "common/volumes.h"
#include "settings/load_settings.h"
#include "settings/settings_store.h"

struct DesktopServices::Owned {
    IniSettingsStore store;
    MessageBoxMessages messages;
    QtSaveDialog saveDialog;
    QtPrintDialog printDialog;
    QtClipboard clipboard;
    DesktopProgramLauncher launcher;
    LogindSessionControl session;
    std::unique_ptr<VolumeSource> volumes = MakeSystemVolumeSource();
};

DesktopServices::DesktopServices() : owned_(std::make_unique<Owned>()) {}

DesktopServices::~DesktopServices() = default;

Services DesktopServices::Get() const {
    Owned& o = *owned_;
    return Services{&o.store,     &o.messages, &o.saveDialog, &o.printDialog,
                    &o.clipboard, &o.launcher, &o.session,    o.volumes.get()};
}

bool ReloadSettings(AppContext& context, QWidget* window) {
    if (LoadSettings(*context.services.store, context.settings) == StoreOutcome::Done) return true;
    TellUser(context, window, QString::fromLatin1(kStoreUnavailable));
    return false;
}

void TellUser(AppContext& context, QWidget* window, const QString& text) {
    if (!text.isEmpty()) context.services.messages->ShowMessage(window, context.ProgramTitle, text);
}
