#pragma once
// What the windows of one process share: the options record, the debug switch and the platform
// services (real ones, or fakes in tests). Windows hand each other values, not variables here.

#include <QString>

#include "settings/settings.h"

class Clipboard;
class PrintDialog;
class ProgramLauncher;
class QWidget;
class SaveDialog;
class SessionControl;
class SettingsStore;
class UserMessages;
class VolumeSource;

struct Services {
    SettingsStore* store = nullptr;
    UserMessages* messages = nullptr;
    SaveDialog* saveDialog = nullptr;
    PrintDialog* printDialog = nullptr;
    Clipboard* clipboard = nullptr;
    ProgramLauncher* launcher = nullptr;
    SessionControl* session = nullptr;
    VolumeSource* volumes = nullptr;
};

struct AppContext {
    QString ProgramTitle;  // "Tallmere32" or "Quorvane32": the caption of message boxes
    Settings settings;
    bool DebugMode = false;
    Services services;
};

// Reads the store into Context's settings. When the store can be neither opened nor created,
// tells the user over Window and returns false; the window doing the work then closes.
bool ReloadSettings(AppContext& context, QWidget* window);

// Shows Text in a message box titled with the program's name over Window; an empty Text
// (nothing went wrong) shows nothing.
void TellUser(AppContext& context, QWidget* window, const QString& text);
