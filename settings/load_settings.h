#pragma once
// Reading the options from the store into the process's record, and saving them.

#include "settings/settings.h"
#include "settings/settings_store.h"

// The message shown when the store can be neither opened nor created.
inline constexpr const char* kStoreUnavailable = "Unable to Create Registry Key";

enum class StoreOutcome { Done, KeyUnavailable };

// Opens the key, creating it when absent. Created tells whether it had to be created.
StoreOutcome OpenOrCreateKey(SettingsStore& store, bool* created);

// Fills Settings from the store: the computer name, the unit (with its divisor and mask)
// and all five flags. A new key first gets the first-run values. A value that is absent,
// unreadable or 99 characters or longer leaves its field as it was; the very first load
// with no usable unit takes Bytes.
StoreOutcome LoadSettings(SettingsStore& store, Settings& settings);

// Writes the unit word Display and the five flags of Settings.
StoreOutcome SaveSettings(SettingsStore& store, const Settings& settings, const QString& display);
