#include "settings/load_settings.h"

#include <QSysInfo>
#include <cstdio>
#include <functional>
#include <map>

namespace {

// A stored text must fit the 99-byte buffer with its terminating NUL.
constexpr int kLongestValue = 98;

// Every flag the store keeps, by the name of its value; load and save both go through it.
struct FlagKey {
    const char* name;
    bool Settings::*member;
};
constexpr FlagKey kFlagKeys[] = {
    {"CheckFloppy", &Settings::CheckFloppy},     {"CheckRemovable", &Settings::CheckRemovable},
    {"CheckNetwork", &Settings::CheckNetwork},   {"CheckCDROM", &Settings::CheckCDROM},
    {"ShortDisplay", &Settings::ShortDisplay},   {"SizeOnDisk", &Settings::SizeOnDisk},
    {"HardLinksOnce", &Settings::HardLinksOnce}, {"ExcludeCaches", &Settings::ExcludeCaches},
    {"OfferTrash", &Settings::OfferTrash},       {"KeepHistory", &Settings::KeepHistory},
    {"ShowGrowth", &Settings::ShowGrowth},       {"ShowFullIn", &Settings::ShowFullIn}};

// A stored value by its name, or nothing.
using ValueReader = std::function<std::optional<QString>(const QString& name)>;

// The values a new key gets.
const std::map<QString, QString>& FirstRunValues() {
    static const std::map<QString, QString> values{
        {QStringLiteral("Display"), QStringLiteral("Bytes")},
        {QStringLiteral("CheckFloppy"), QStringLiteral("True")},
        {QStringLiteral("LastSort"), QStringLiteral("a1")}};
    return values;
}

std::optional<QString> FirstRunValue(const QString& name) {
    const auto found = FirstRunValues().find(name);
    if (found == FirstRunValues().end()) return std::nullopt;
    return found->second;
}

std::optional<QString> ReadShortValue(const ValueReader& read, const QString& name) {
    std::optional<QString> text = read(name);
    if (text && text->toUtf8().size() > kLongestValue) return std::nullopt;
    return text;
}

void ReadFlag(const ValueReader& read, const QString& name, bool* flag) {
    if (const std::optional<QString> text = ReadShortValue(read, name)) *flag = FlagOf(*text);
}

void ReadUnit(const ValueReader& read, Settings& settings) {
    if (const std::optional<QString> text = ReadShortValue(read, QStringLiteral("Display"))) {
        settings.Display = *text;
        if (const std::optional<SizeUnit> unit = UnitOf(*text)) settings.Unit = *unit;
    }
}

// The exclude patterns, one a line: a list has no length limit.
void ReadPatterns(const ValueReader& read, Settings& settings) {
    if (const std::optional<QString> text = read(QStringLiteral("ExcludePatterns"))) {
        settings.ExcludePatterns = text->split(u'\n', Qt::SkipEmptyParts);
    }
}

void ReadValues(const ValueReader& read, Settings& settings) {
    ReadUnit(read, settings);
    for (const FlagKey& flag : kFlagKeys)
        ReadFlag(read, QString::fromLatin1(flag.name), &(settings.*flag.member));
    ReadPatterns(read, settings);
}

ValueReader ReaderOf(SettingsStore& store) {
    return [&store](const QString& name) { return store.ReadValue(name); };
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
    if (created) {
        for (const auto& [name, text] : FirstRunValues())
            store.WriteValue(name, text);
    }
    ReadValues(ReaderOf(store), settings);
    store.CloseKey();
    return StoreOutcome::Done;
}

StoreOutcome ReadSettings(SettingsStore& store, Settings& settings) {
    settings.ComputerName = QSysInfo::machineHostName();
    if (store.KeyExists() && store.OpenKey()) {
        ReadValues(ReaderOf(store), settings);
        store.CloseKey();
        return StoreOutcome::Done;
    }
    ReadValues(FirstRunValue, settings);
    return store.KeyExists() ? StoreOutcome::KeyUnavailable : StoreOutcome::Done;
}

Settings ReportSettings(SettingsStore& store, const char* program) {
    Settings settings;
    if (ReadSettings(store, settings) == StoreOutcome::KeyUnavailable) {
        std::fprintf(stderr, "%s: cannot read the settings in %s; using the first-run values\n",
                     program, qUtf8Printable(store.Location()));
    }
    return settings;
}

StoreOutcome SaveSettings(SettingsStore& store, const Settings& settings, const QString& display) {
    bool created = false;
    if (OpenOrCreateKey(store, &created) == StoreOutcome::KeyUnavailable) {
        return StoreOutcome::KeyUnavailable;
    }
    store.WriteValue(QStringLiteral("Display"), display);
    for (const FlagKey& flag : kFlagKeys)
        store.WriteValue(QString::fromLatin1(flag.name), FlagText(settings.*flag.member));
    store.WriteValue(QStringLiteral("ExcludePatterns"), settings.ExcludePatterns.join(u'\n'));
    store.CloseKey();
    return StoreOutcome::Done;
}
