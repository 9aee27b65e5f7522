// What every settings store answers when a value is there, missing, or there but unreadable,
// checked the same way for each store once it holds the contents below (each test stores
// them its own way).
//
//   program key: "Hints" = integer 0; "Wizard" = the string "yes" (no boolean)
//   FTP key:     "Host" = the string "ftp.example.org"; "Port" = a value that can't be read as
//                a string; "Passive" = the string "on" (no boolean); no "Username", no
//                "Directory"
#pragma once

#include "document/SettingsStore.h"
#include "support/MemorySettings.h"

#include <gtest/gtest.h>

#include <string>

namespace dravenloom {

using BoolRead = SettingRead<bool>;
using TextRead = SettingRead<std::string>;

inline void ExpectReadStatesOfPreparedStore(SettingsStore& store) {
    EXPECT_EQ(store.ReadBool(ProgramKey, "Hints"), BoolRead::Of(false));
    EXPECT_EQ(store.ReadBool(ProgramKey, "Wizard"), BoolRead::Unreadable());
    EXPECT_EQ(store.ReadBool(ProgramKey, "Absent"), BoolRead::Missing());

    // The FTP values in the order they are read: a missing string reads as empty and the
    // reading goes on; an unreadable value is told apart, so that it keeps its field as it was.
    EXPECT_EQ(store.ReadString(FtpKey, "Host"), TextRead::Of("ftp.example.org"));
    const TextRead username = store.ReadString(FtpKey, "Username");
    EXPECT_EQ(username, TextRead::Missing());
    EXPECT_EQ(username.Value, "");
    EXPECT_EQ(store.ReadString(FtpKey, "Port"), TextRead::Unreadable());
    EXPECT_EQ(store.ReadString(FtpKey, "Directory"), TextRead::Missing());
    EXPECT_EQ(store.ReadBool(FtpKey, "Passive"), BoolRead::Unreadable());

    // A key that does not exist holds no values.
    EXPECT_EQ(store.ReadString(std::string(FtpKey) + "\\Old", "Host"), TextRead::Missing());
    EXPECT_EQ(store.ReadBool(std::string(FtpKey) + "\\Old", "Passive"), BoolRead::Missing());
}

} // namespace dravenloom
