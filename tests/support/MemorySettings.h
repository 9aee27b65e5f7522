// An in-memory dravenloom::SettingsStore with switches that make its operations fail.
//
// It models the registry the program uses: keys that exist or not, holding named values that
// are either 32-bit integers (booleans are written as 0 or 1) or strings.
//
//   MemorySettings settings;                          // empty: a first run, no keys at all
//   settings.SetBool(ProgramKey, "Hints", false);     // prepares a stored value (creates key)
//   settings.SetString(FtpKey, "Host", "example.org");
//   settings.SetInt(ProgramKey, "Wizard", 7);         // any integer; reads as true
//   settings.FailReads = true;                        // every read answers nothing
//   settings.UnreadableValues.insert({FtpKey, "Port"}); // just this one value fails to read
//   ... drive the core ...
//   EXPECT_EQ(settings.Bool(ProgramKey, "Wizard"), false);
//   EXPECT_TRUE(settings.KeyExists(ProgramKey));
//   EXPECT_EQ(settings.Writes.size(), 1u);
//
// Rules, as in the registry:
//   - OpenKey(key, false) answers whether the key exists; OpenKey(key, true) creates it (and
//     the keys above it) and answers true.
//   - A read fails (nothing) when the key or the value is missing, or the value has the other
//     type: ReadBool of a string value and ReadString of an integer value fail.
//   - A write fails (false, nothing stored) when its key does not exist, so a core that forgets
//     to open the key with creation is caught. A write replaces the value and its type.
//   - Key and value names are compared exactly (the core uses its own constants).
// Switches: FailOpen (OpenKey answers false, creates nothing), FailReads, FailWrites,
// UnreadableValues (per value). Every successful write is also logged in Writes, in order, as
// "<key>|<name>=<value>" with booleans shown as 0/1.
#pragma once

#include "document/SettingsStore.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace dravenloom {

class MemorySettings : public SettingsStore {
public:
    using Value = std::variant<std::int32_t, std::string>;

    bool FailOpen = false;
    bool FailReads = false;
    bool FailWrites = false;
    std::set<std::pair<std::string, std::string>> UnreadableValues;
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

    std::optional<bool> ReadBool(const std::string& key, const std::string& name) override {
        const Value* value = Find(key, name);
        if (!value || !std::holds_alternative<std::int32_t>(*value))
            return std::nullopt;
        return std::get<std::int32_t>(*value) != 0;
    }

    std::optional<std::string> ReadString(const std::string& key,
                                          const std::string& name) override {
        const Value* value = Find(key, name);
        if (!value || !std::holds_alternative<std::string>(*value))
            return std::nullopt;
        return std::get<std::string>(*value);
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
    const Value* Find(const std::string& key, const std::string& name) const {
        if (FailReads || UnreadableValues.count({key, name}))
            return nullptr;
        return Peek(key, name);
    }
};

} // namespace dravenloom
