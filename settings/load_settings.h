#pragma once
// Reading the options from the store into the process's record, and saving them.

#include "settings/settings.h"
#include "settings/settings_store.h"

// The message shown when the store can be neither opened nor created.
inline constexpr const char* kStoreUnavailable = "Unable to Create Registry Key";

enum class StoreOutcome { Done, KeyUnavailable };

// Opens the key, creating it when absent. Created tells whether it had to be created.
StoreOutcome OpenOrCreateKey(SettingsStore& store, bool* created);

// Fills Settings from the store: the computer name, the unit (with its divisor and mask), the
// flags and the exclude patterns. A new key first gets the first-run values. A value that is
// absent or unreadable, or a unit or flag 99 characters or longer, leaves its field as it was;
// the very first load with no usable unit takes Bytes.
StoreOutcome LoadSettings(SettingsStore& store, Settings& settings);

// Report mode's reading, which never writes: Settings from the store when it can be read, the
// first-run values when there is no key yet. KeyUnavailable when a key exists but cannot be
// read; Settings then hold the first-run values too.
StoreOutcome ReadSettings(SettingsStore& store, Settings& settings);

// ReadSettings for report mode, which tells on standard error, in one line headed by Program,
// when a key exists but could not be read.
Settings ReportSettings(SettingsStore& store, const char* program);

// Writes the unit word Display, the flags and the exclude patterns of Settings.
StoreOutcome SaveSettings(SettingsStore& store, const Settings& settings, const QString& display);
