// An in-memory dravenloom::SettingsStore with switches that make its operations fail.
//
// It models the registry the program uses: keys that exist or not, holding named values that
// are 32-bit integers (booleans are written as 0 or 1), strings, or of a type the program can't
// read (as a registry binary value).
//
//   MemorySettings settings;                          // empty: a first run, no keys at all
//   settings.SetBool(ProgramKey, "Hints", false);     // prepares a stored value (creates key)
//   settings.SetString(FtpKey, "Host", "example.org");
//   settings.SetInt(ProgramKey, "Wizard", 7);         // any integer; reads as true
//   settings.SetUnreadable(FtpKey, "Port");           // there, but no read can take it
//   settings.FailReads = true;                        // every read fails
//   ... drive the core ...
//   EXPECT_EQ(settings.Bool(ProgramKey, "Wizard"), false);
//   EXPECT_TRUE(settings.KeyExists(ProgramKey));
//   EXPECT_EQ(settings.Writes.size(), 1u);
//
// Rules, as in the registry:
//   - OpenKey(key, false) answers whether the key exists; OpenKey(key, true) creates it (and
//     the keys above it) and answers true.
//   - A read is Missing when the key or the value does not exist, and Unreadable when the value
//     has another type (ReadBool of a string, ReadString of an integer, any read of an
//     unreadable value); with FailReads set every read is Unreadable.
//   - A write fails (false, nothing stored) when its key does not exist, so a core that forgets
//     to open the key with creation is caught. A write replaces the value and its type.
//   - Key and value names are compared exactly (the core uses its own constants).
// Switches: FailOpen (OpenKey answers false, creates nothing), FailReads, FailWrites. Every
// successful write is also logged in Writes, in order, as "<key>|<name>=<value>" with
// booleans shown as 0/1.
#pragma once

#include "document/SettingsStore.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace dravenloom {

class MemorySettings : public SettingsStore {
public:
    // A value of a type the program never reads or writes.
    struct OtherType {};
    using Value = std::variant<std::int32_t, std::string, OtherType>;

    bool FailOpen = false;
    bool FailReads = false;
    bool FailWrites = false;
    std::vector<std::string> Writes;

    bool OpenKey(const std::string& key, bool create) override {
        if (FailOpen)
            return false;
        if (Keys.count(key))
            return true;
        if (!create)
            return false;
        CreateKey(key);
        return true;
    }

    SettingRead<bool> ReadBool(const std::string& key, const std::string& name) override {
        return Read<bool, std::int32_t>(key, name, [](std::int32_t v) { return v != 0; });
    }

    SettingRead<std::string> ReadString(const std::string& key, const std::string& name) override {
        return Read<std::string, std::string>(key, name, [](const std::string& v) { return v; });
    }

    bool WriteBool(const std::string& key, const std::string& name, bool value) override {
        if (FailWrites || !Keys.count(key))
            return false;
        Keys[key][name] = std::int32_t{value ? 1 : 0};
        Writes.push_back(key + "|" + name + "=" + (value ? "1" : "0"));
        return true;
    }

    bool WriteString(const std::string& key, const std::string& name,
                     const std::string& value) override {
        if (FailWrites || !Keys.count(key))
            return false;
        Keys[key][name] = value;
        Writes.push_back(key + "|" + name + "=" + value);
        return true;
    }

    // Preparing and inspecting, bypassing the switches.

    void CreateKey(const std::string& key) {
        // Creating a key creates the keys above it, as the registry does.
        for (std::size_t pos = key.find('\\'); pos != std::string::npos;
             pos = key.find('\\', pos + 1))
            Keys[key.substr(0, pos)];
        Keys[key];
    }
    void SetInt(const std::string& key, const std::string& name, std::int32_t value) {
        CreateKey(key);
        Keys[key][name] = value;
    }
    void SetBool(const std::string& key, const std::string& name, bool value) {
        SetInt(key, name, value ? 1 : 0);
    }
    void SetString(const std::string& key, const std::string& name, const std::string& value) {
        CreateKey(key);
        Keys[key][name] = value;
    }
    void SetUnreadable(const std::string& key, const std::string& name) {
        CreateKey(key);
        Keys[key][name] = OtherType{};
    }
    void Erase(const std::string& key, const std::string& name) {
        if (auto it = Keys.find(key); it != Keys.end())
            it->second.erase(name);
    }

    bool KeyExists(const std::string& key) const { return Keys.count(key) != 0; }
    bool Has(const std::string& key, const std::string& name) const {
        auto it = Keys.find(key);
        return it != Keys.end() && it->second.count(name) != 0;
    }
    // The stored boolean (nothing when missing or not an integer).
    std::optional<bool> Bool(const std::string& key, const std::string& name) const {
        const Value* value = Peek(key, name);
        if (!value || !std::holds_alternative<std::int32_t>(*value))
            return std::nullopt;
        return std::get<std::int32_t>(*value) != 0;
    }
    // The stored integer exactly as written (booleans are 0 or 1).
    std::optional<std::int32_t> Int(const std::string& key, const std::string& name) const {
        const Value* value = Peek(key, name);
        if (!value || !std::holds_alternative<std::int32_t>(*value))
            return std::nullopt;
        return std::get<std::int32_t>(*value);
    }
    std::optional<std::string> String(const std::string& key, const std::string& name) const {
        const Value* value = Peek(key, name);
        if (!value || !std::holds_alternative<std::string>(*value))
            return std::nullopt;
        return std::get<std::string>(*value);
    }

    std::map<std::string, std::map<std::string, Value>> Keys;

private:
    const Value* Peek(const std::string& key, const std::string& name) const {
        auto it = Keys.find(key);
        if (it == Keys.end())
            return nullptr;
        auto value = it->second.find(name);
        return value == it->second.end() ? nullptr : &value->second;
    }
    template <typename T, typename Stored, typename Convert>
    SettingRead<T> Read(const std::string& key, const std::string& name, Convert convert) const {
        if (FailReads)
            return SettingRead<T>::Unreadable();
        const Value* value = Peek(key, name);
        if (!value)
            return SettingRead<T>::Missing();
        if (!std::holds_alternative<Stored>(*value))
            return SettingRead<T>::Unreadable();
        return SettingRead<T>::Of(convert(std::get<Stored>(*value)));
    }
};

// Read results in test messages, as "Found(true)", "Missing" or "Unreadable".
template <typename T> void PrintTo(const SettingRead<T>& read, std::ostream* os) {
    switch (read.State) {
    case SettingState::Found:
        *os << "Found(" << ::testing::PrintToString(read.Value) << ")";
        return;
    case SettingState::Missing:
        *os << "Missing";
        return;
    case SettingState::Unreadable:
        *os << "Unreadable";
        return;
    }
}

} // namespace dravenloom
