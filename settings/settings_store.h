#pragma once
// The per-user store of the options: one key holding text values. The operations are those
// of a registry key, so another store can take the INI file's place.

#include <QString>
#include <memory>
#include <optional>

class QSettings;

class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // Whether the key exists, readable or not.
    virtual bool KeyExists() const = 0;
    // Where the key is, for messages.
    virtual QString Location() const = 0;
    // Opens the existing key; false when it does not exist or cannot be read.
    virtual bool OpenKey() = 0;
    // Creates the key; the outcome shows in the next OpenKey.
    virtual void CreateKey() = 0;
    // The stored text, or nothing when the value is absent or unreadable.
    virtual std::optional<QString> ReadValue(const QString& name) = 0;
    virtual void WriteValue(const QString& name, const QString& text) = 0;
    virtual void CloseKey() = 0;
};

// An INI file, by default Tallmere32/Tallmere32.ini in the user's XDG config folder.
class IniSettingsStore final : public SettingsStore {
  public:
    explicit IniSettingsStore(QString path = DefaultPath());
    ~IniSettingsStore() override;

    static QString DefaultPath();
    const QString& Path() const { return path_; }

    bool KeyExists() const override;
    QString Location() const override { return path_; }
    bool OpenKey() override;
    void CreateKey() override;
    std::optional<QString> ReadValue(const QString& name) override;
    void WriteValue(const QString& name, const QString& text) override;
    void CloseKey() override;

  private:
    QString path_;
    std::unique_ptr<QSettings> open_;  // while the key is open
};
