#pragma once
// A settings store in memory: a key that may exist, may be impossible to create, and whose
// values tests can look at and preset.

#include <QMap>
#include <QString>

#include "settings/settings_store.h"

class MemoryStore final : public SettingsStore {
  public:
    bool exists = false;
    bool creatable = true;
    QMap<QString, QString> values;
    int opens = 0;

    bool OpenKey() override {
        ++opens;
        return exists;
    }
    void CreateKey() override { exists = exists || creatable; }
    std::optional<QString> ReadValue(const QString& name) override {
        if (!values.contains(name)) return std::nullopt;
        return values.value(name);
    }
    void WriteValue(const QString& name, const QString& text) override { values[name] = text; }
    void CloseKey() override {}
};
