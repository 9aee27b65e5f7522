// The settings that outlive a guide, as keys holding named values (the Windows registry under
// the current user, or its stand-in on other systems). Every failure is silent to the author:
// an operation that cannot be done answers false or nothing.
#pragma once

#include <optional>
#include <string>

namespace dravenloom {

// Key paths are written with backslashes, relative to the current user's root, for example
// "Software\\Korvessa\\Dravenloom\\FTP".
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // Whether the key exists, creating it first when asked.
    virtual bool OpenKey(const std::string& key, bool create) = 0;
    // Booleans are stored as 32-bit integers 0 or 1 and read as true when not 0.
    virtual std::optional<bool> ReadBool(const std::string& key, const std::string& name) = 0;
    virtual std::optional<std::string> ReadString(const std::string& key,
                                                  const std::string& name) = 0;
    virtual bool WriteBool(const std::string& key, const std::string& name, bool value) = 0;
    virtual bool WriteString(const std::string& key, const std::string& name,
                             const std::string& value) = 0;
};

inline constexpr const char* ProgramKey = "Software\\Korvessa\\Dravenloom";
inline constexpr const char* FtpKey = "Software\\Korvessa\\Dravenloom\\FTP";

} // namespace dravenloom
