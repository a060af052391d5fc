#include "ui/app_context.h"

#include "settings/load_settings.h"
#include "ui/user_messages.h"

bool ReloadSettings(AppContext& context, QWidget* window) {
    if (LoadSettings(*context.services.store, context.settings) == StoreOutcome::Done) return true;
    TellUser(context, window, QString::fromLatin1(kStoreUnavailable));
    return false;
}

void TellUser(AppContext& context, QWidget* window, const QString& text) {
    if (!text.isEmpty()) context.services.messages->ShowMessage(window, context.ProgramTitle, text);
}
