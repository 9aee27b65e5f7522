// The "Remote Server:" fields of the upload page, and how they are kept in the settings.
#pragma once

#include "document/Controls.h"
#include "publish/FtpClient.h"

#include <optional>
#include <string_view>

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
inline constexpr const char* ProtocolHint =
    "Choose how the files travel: plain FTP, FTP protected by TLS, or SFTP over SSH.";

// The "Protocol:" choices, in the order the drop-down lists them, and as the command line and
// the settings name them.
inline constexpr const char* ProtocolCaptions[] = {"FTP", "FTP with TLS", "SFTP"};
inline constexpr const char* ProtocolNames[] = {"ftp", "ftps", "sftp"};
// The port each protocol usually listens on.
const char* UsualPort(UploadProtocol protocol);
// "ftp", "ftps", "sftp" (any case); nothing for another text.
std::optional<UploadProtocol> ProtocolNamed(std::string_view name);

struct FtpSettings {
    TextField HostTxt;
    TextField UserTxt;
    TextField PassTxt; // shown as "*" for every character
    TextField PortTxt{DefaultFtpPort};
    TextField DirTxt;
    CheckBox PassiveCheck;
    ComboBox ProtocolCombo{{ProtocolCaptions[0], ProtocolCaptions[1], ProtocolCaptions[2]},
                           ProtocolCaptions[0],
                           0};
};

// The protocol the drop-down shows (FTP for anything it cannot read).
UploadProtocol ProtocolOf(const FtpSettings& settings);
// The author chose `protocol`: while the port field still holds the usual port of the protocol
// chosen before (or nothing), it takes the new protocol's usual port.
void ChooseProtocol(FtpSettings& settings, UploadProtocol protocol);

// Reads the stored values into the fields, in the order Host, Username, Password, Port,
// Directory, Passive, Protocol (missing or unknown: the drop-down stays as it is, FTP for a
// new page, so settings from before the choice existed go on as plain FTP). Without the FTP key the fields keep what they hold. A missing text reads
// as empty, a missing Passive leaves the box alone; each value is read on its own: one that
// cannot be read (and a stored password that is not an enciphered one) leaves its own field
// as it was, and the other values are read all the same.
void ReadFtpSettings(SettingsStore& store, FtpSettings& settings);

// Writes all seven values, creating the key; the password enciphered with `seed` whatever the
// protocol.
void WriteFtpSettings(SettingsStore& store, const FtpSettings& settings, unsigned char seed);

} // namespace dravenloom
