// The "Remote Server:" fields of the upload page, and how they are kept in the settings.
#pragma once

#include "document/Controls.h"

namespace dravenloom {

class SettingsStore;

inline constexpr const char* HostHint =
    "Type a value to specify the remote server to which you would like to connect.";
inline constexpr const char* UserHint =
    "Type a value to specify the username for logging into the server.";
inline constexpr const char* PassHint =
    "Type a value to specify the password for logging into the server.";
inline constexpr const char* PortHint = "Type a value to specify a port for the remote server.";
inline constexpr const char* DirHint =
    "Type the directory into which you would like the applet files to be uploaded.";
inline constexpr const char* DefaultFtpPort = "21";

struct FtpSettings {
    TextField HostTxt;
    TextField UserTxt;
    TextField PassTxt; // shown as "*" for every character
    TextField PortTxt{DefaultFtpPort};
    TextField DirTxt;
    CheckBox PassiveCheck;
};

// Reads the stored values into the fields, in the order Host, Username, Password, Port,
// Directory, Passive. Without the FTP key the fields keep what they hold. A missing text reads
// as empty, a missing Passive leaves the box alone; each value is read on its own: one that
// cannot be read (and a stored password that is not an enciphered one) leaves its own field
// as it was, and the other values are read all the same.
void ReadFtpSettings(SettingsStore& store, FtpSettings& settings);

// Writes all six values, creating the key; the password enciphered with `seed`.
void WriteFtpSettings(SettingsStore& store, const FtpSettings& settings, unsigned char seed);

} // namespace dravenloom
