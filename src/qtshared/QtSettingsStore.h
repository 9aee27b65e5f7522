// The settings store over QSettings: on Windows the registry key
// HKEY_CURRENT_USER\Software\Korvessa\Dravenloom itself, elsewhere a settings file under the
// user's configuration directory that only its owner may read (it holds the FTP password).
#pragma once

#include "document/SettingsStore.h"

#include <QString>

#include <memory>
#include <optional>

class QSettings;

namespace dravenloom {

class QtSettingsStore : public SettingsStore {
public:
    // The program's own settings (organisation "Korvessa", application "Dravenloom").
    QtSettingsStore();
    // An INI file at the given path, for tests and portable use.
    explicit QtSettingsStore(const QString& iniPath);
    ~QtSettingsStore() override;

    // Only keys at or below "Software\Korvessa\Dravenloom" exist here; the program key is the
    // root group and "...\FTP" the group "FTP". An empty key only comes into being with its
    // first value.
    bool OpenKey(const std::string& key, bool create) override;
    // A value is missing when its key is outside the program key or its name holds a
    // separator, as such a value can never be stored. In a settings file every value is text,
    // so there a boolean is text that reads as a 32-bit integer, and a list (text with a comma
    // written by hand) is no string; in the registry the value's type decides.
    SettingRead<bool> ReadBool(const std::string& key, const std::string& name) override;
    SettingRead<std::string> ReadString(const std::string& key, const std::string& name) override;
    // Every write reaches the disk (or registry) at once.
    bool WriteBool(const std::string& key, const std::string& name, bool value) override;
    bool WriteString(const std::string& key, const std::string& name,
                     const std::string& value) override;

    // Where the settings live (a file path, or the registry path on Windows).
    QString Location() const;

private:
    std::optional<QString> ValuePath(const std::string& key, const std::string& name) const;
    bool Finish();
    void MakePrivate();

    std::unique_ptr<QSettings> Settings;
    bool RegistryBacked = false;
};

} // namespace dravenloom
