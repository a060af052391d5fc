#include "ui/desktop_services.h"

#include "platform/session_control.h"
#include "platform/volumes.h"
#include "settings/settings_store.h"
#include "ui/desktop_dialogs.h"
#include "ui/desktop_launcher.h"
#include "ui/user_messages.h"

struct DesktopServices::Owned {
    IniSettingsStore store;
    MessageBoxMessages messages;
    QtSaveDialog saveDialog;
    QtPrintDialog printDialog;
    QtClipboard clipboard;
    DesktopProgramLauncher launcher;
    std::unique_ptr<SessionControl> session = MakeSystemSessionControl();
    std::unique_ptr<VolumeSource> volumes = MakeSystemVolumeSource();
};

DesktopServices::DesktopServices() : owned_(std::make_unique<Owned>()) {}

DesktopServices::~DesktopServices() = default;

Services DesktopServices::Get() const {
    Owned& o = *owned_;
    return Services{&o.store,     &o.messages, &o.saveDialog,   &o.printDialog,
                    &o.clipboard, &o.launcher, o.session.get(), o.volumes.get()};
}
