#include "settings/settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <memory>

IniSettingsStore::IniSettingsStore(QString path) : path_(std::move(path)) {}

IniSettingsStore::~IniSettingsStore() {
    CloseKey();
}

QString IniSettingsStore::DefaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Tallmere32/Tallmere32.ini");
}

bool IniSettingsStore::KeyExists() const {
    return QFileInfo::exists(path_);
}

bool IniSettingsStore::OpenKey() {
    CloseKey();
    const QFileInfo info(path_);
    if (!info.isFile() || !info.isReadable()) return false;
    open_ = std::make_unique<QSettings>(path_, QSettings::IniFormat);
    return true;
}

void IniSettingsStore::CreateKey() {
    if (!QDir().mkpath(QFileInfo(path_).absolutePath())) return;
    QFile file(path_);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append)) file.close();
}

std::optional<QString> IniSettingsStore::ReadValue(const QString& name) {
    if (!open_ || open_->status() != QSettings::NoError) return std::nullopt;
    const QVariant value = open_->value(name);
    if (!value.isValid()) return std::nullopt;
    // An unquoted text with commas reads back as a list.
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(u", ");
    return value.toString();
}

void IniSettingsStore::WriteValue(const QString& name, const QString& text) {
    if (open_) open_->setValue(name, text);
}

void IniSettingsStore::CloseKey() {
    if (!open_) return;
    open_->sync();
    open_.reset();
}
