// The settings that outlive a guide, as keys holding named values (the Windows registry under
// the current user, or its stand-in on other systems). Every failure is silent to the author:
// an operation that cannot be done answers false, and a read says how it went.
#pragma once

#include <string>
#include <utility>

namespace dravenloom {

// How reading a stored value went. Readers treat the two failures differently: a missing
// string reads as empty, while a value that is there but cannot be read leaves its field as
// it was.
enum class SettingState {
    Found,      // the value is there and was read
    Missing,    // there is no such value (or no such key)
    Unreadable, // there is a value, but not of the type asked for, or it could not be read
};

template <typename T> struct SettingRead {
    SettingState State = SettingState::Missing;
    T Value{}; // the value read; T's empty value unless found

    static SettingRead Of(T value) { return {SettingState::Found, std::move(value)}; }
    static SettingRead Missing() { return {SettingState::Missing, T{}}; }
    static SettingRead Unreadable() { return {SettingState::Unreadable, T{}}; }

    bool Found() const { return State == SettingState::Found; }
    bool operator==(const SettingRead&) const = default;
};

// Key paths are written with backslashes, relative to the current user's root, for example
// "Software\\Korvessa\\Dravenloom\\FTP".
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // Whether the key exists, creating it first when asked.
    virtual bool OpenKey(const std::string& key, bool create) = 0;
    // Booleans are stored as 32-bit integers 0 or 1 and read as true when not 0.
    // Missing when the key or the value does not exist; Unreadable when a value is there but
    // is not a boolean (a string), or reading it failed.
    virtual SettingRead<bool> ReadBool(const std::string& key, const std::string& name) = 0;
    // Unreadable when the value is not a string (an integer) or holds a character that code
    // page 1252 has not.
    virtual SettingRead<std::string> ReadString(const std::string& key,
                                                const std::string& name) = 0;
    virtual bool WriteBool(const std::string& key, const std::string& name, bool value) = 0;
    virtual bool WriteString(const std::string& key, const std::string& name,
                             const std::string& value) = 0;
};

inline constexpr const char* ProgramKey = "Software\\Korvessa\\Dravenloom";
inline constexpr const char* FtpKey = "Software\\Korvessa\\Dravenloom\\FTP";

} // namespace dravenloom
