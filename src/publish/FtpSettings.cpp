// The FTP settings kept between runs.
#include "publish/FtpSettings.h"

#include "document/SettingsStore.h"
#include "publish/PasswordCipher.h"

#include <optional>

namespace dravenloom {
namespace {

// A missing text reads as empty; nothing when the value is there but cannot be read.
std::optional<std::string> ReadText(SettingsStore& store, const char* name) {
    const SettingRead<std::string> read = store.ReadString(FtpKey, name);
    if (read.State == SettingState::Unreadable)
        return std::nullopt;
    return read.Value;
}

} // namespace

void ReadFtpSettings(SettingsStore& store, FtpSettings& settings) {
    if (!store.OpenKey(FtpKey, false))
        return;
    // Each value stands on its own: one that was damaged (a password that is no encipherment,
    // a value of the wrong type) leaves its own field as it was, and costs none of the others.
    if (const auto host = ReadText(store, "Host"))
        settings.HostTxt.Text = *host;
    if (const auto user = ReadText(store, "Username"))
        settings.UserTxt.Text = *user;
    if (const auto stored = ReadText(store, "Password"))
        if (const auto password = DecipherPassword(*stored))
            settings.PassTxt.Text = *password;
    if (const auto port = ReadText(store, "Port"))
        settings.PortTxt.Text = *port;
    if (const auto directory = ReadText(store, "Directory"))
        settings.DirTxt.Text = *directory;
    const SettingRead<bool> passive = store.ReadBool(FtpKey, "Passive");
    if (passive.Found())
        settings.PassiveCheck.Checked = passive.Value;
}

void WriteFtpSettings(SettingsStore& store, const FtpSettings& settings, unsigned char seed) {
    if (!store.OpenKey(FtpKey, true))
        return;
    store.WriteString(FtpKey, "Host", settings.HostTxt.Text);
    store.WriteString(FtpKey, "Username", settings.UserTxt.Text);
    store.WriteString(FtpKey, "Password", EncipherPassword(settings.PassTxt.Text, seed));
    store.WriteString(FtpKey, "Port", settings.PortTxt.Text);
    store.WriteString(FtpKey, "Directory", settings.DirTxt.Text);
    store.WriteBool(FtpKey, "Passive", settings.PassiveCheck.Checked);
}

} // namespace dravenloom
