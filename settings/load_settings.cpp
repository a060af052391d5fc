#include "settings/load_settings.h"

#include <QSysInfo>

#include "table/number_mask.h"

namespace {

// A stored text must fit the 99-byte buffer with its terminating NUL.
constexpr int kLongestValue = 98;

std::optional<QString> ReadShortValue(SettingsStore& store, const QString& name) {
    std::optional<QString> text = store.ReadValue(name);
    if (text && text->toUtf8().size() > kLongestValue) return std::nullopt;
    return text;
}

void ReadFlag(SettingsStore& store, const QString& name, bool* flag) {
    if (const std::optional<QString> text = ReadShortValue(store, name)) *flag = FlagOf(*text);
}

void ReadUnit(SettingsStore& store, Settings& settings) {
    if (const std::optional<QString> text = ReadShortValue(store, QStringLiteral("Display"))) {
        settings.Display = *text;
        UnitOf(settings.Display, &settings.SizeDivisor, &settings.SizeFormat);
    }
    if (settings.SizeDivisor == 0) {
        settings.SizeDivisor = 1;
        settings.SizeFormat = kCountMask.toString();
    }
}

void WriteFirstRunValues(SettingsStore& store) {
    store.WriteValue(QStringLiteral("Display"), QStringLiteral("Bytes"));
    store.WriteValue(QStringLiteral("CheckFloppy"), QStringLiteral("True"));
    store.WriteValue(QStringLiteral("LastSort"), QStringLiteral("a1"));
}

}  // namespace

StoreOutcome OpenOrCreateKey(SettingsStore& store, bool* created) {
    *created = false;
    if (store.OpenKey()) return StoreOutcome::Done;
    store.CreateKey();
    if (!store.OpenKey()) return StoreOutcome::KeyUnavailable;
    *created = true;
    return StoreOutcome::Done;
}

StoreOutcome LoadSettings(SettingsStore& store, Settings& settings) {
    settings.ComputerName = QSysInfo::machineHostName();
    bool created = false;
    if (OpenOrCreateKey(store, &created) == StoreOutcome::KeyUnavailable) {
        return StoreOutcome::KeyUnavailable;
    }
    if (created) WriteFirstRunValues(store);
    ReadUnit(store, settings);
    ReadFlag(store, QStringLiteral("CheckFloppy"), &settings.CheckFloppy);
    ReadFlag(store, QStringLiteral("ShortDisplay"), &settings.ShortDisplay);
    ReadFlag(store, QStringLiteral("CheckRemovable"), &settings.CheckRemovable);
    ReadFlag(store, QStringLiteral("CheckNetwork"), &settings.CheckNetwork);
    ReadFlag(store, QStringLiteral("CheckCDROM"), &settings.CheckCDROM);
    store.CloseKey();
    return StoreOutcome::Done;
}

StoreOutcome SaveSettings(SettingsStore& store, const Settings& settings, const QString& display) {
    bool created = false;
    if (OpenOrCreateKey(store, &created) == StoreOutcome::KeyUnavailable) {
        return StoreOutcome::KeyUnavailable;
    }
    store.WriteValue(QStringLiteral("Display"), display);
    store.WriteValue(QStringLiteral("CheckFloppy"), FlagText(settings.CheckFloppy));
    store.WriteValue(QStringLiteral("CheckRemovable"), FlagText(settings.CheckRemovable));
    store.WriteValue(QStringLiteral("CheckNetwork"), FlagText(settings.CheckNetwork));
    store.WriteValue(QStringLiteral("CheckCDROM"), FlagText(settings.CheckCDROM));
    store.WriteValue(QStringLiteral("ShortDisplay"), FlagText(settings.ShortDisplay));
    store.CloseKey();
    return StoreOutcome::Done;
}
