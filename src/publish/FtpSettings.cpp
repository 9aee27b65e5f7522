// The FTP settings kept between runs.
#include "publish/FtpSettings.h"

#include "document/SettingsStore.h"
#include "publish/PasswordCipher.h"

#include <cstddef>
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

std::size_t IndexOf(UploadProtocol protocol) {
    return static_cast<std::size_t>(protocol);
}

void ShowProtocol(FtpSettings& settings, UploadProtocol protocol) {
    settings.ProtocolCombo.ItemIndex = static_cast<int>(IndexOf(protocol));
    settings.ProtocolCombo.Text = ProtocolCaptions[IndexOf(protocol)];
    // SFTP has one connection for everything: there is no data connection to make passive.
    settings.PassiveCheck.Enabled = protocol != UploadProtocol::Sftp;
}

} // namespace

const char* UsualPort(UploadProtocol protocol) {
    return protocol == UploadProtocol::Sftp ? "22" : DefaultFtpPort;
}

std::optional<UploadProtocol> ProtocolNamed(std::string_view name) {
    for (std::size_t i = 0; i < std::size(ProtocolNames); ++i) {
        const std::string_view known = ProtocolNames[i];
        if (name.size() != known.size())
            continue;
        bool same = true;
        for (std::size_t k = 0; k < name.size() && same; ++k) {
            const char c = name[k];
            same = (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) == known[k];
        }
        if (same)
            return static_cast<UploadProtocol>(i);
    }
    return std::nullopt;
}

UploadProtocol ProtocolOf(const FtpSettings& settings) {
    const int index = settings.ProtocolCombo.ItemIndex;
    if (index < 0 || static_cast<std::size_t>(index) >= std::size(ProtocolCaptions))
        return UploadProtocol::Ftp;
    return static_cast<UploadProtocol>(index);
}

void ChooseProtocol(FtpSettings& settings, UploadProtocol protocol) {
    const UploadProtocol before = ProtocolOf(settings);
    ShowProtocol(settings, protocol);
    if (settings.PortTxt.Text.empty() || settings.PortTxt.Text == UsualPort(before))
        settings.PortTxt.Text = UsualPort(protocol);
}

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
    if (const auto name = ReadText(store, "Protocol"))
        if (const auto protocol = ProtocolNamed(*name))
            ShowProtocol(settings, *protocol);
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
    store.WriteString(FtpKey, "Protocol", ProtocolNames[IndexOf(ProtocolOf(settings))]);
}

} // namespace dravenloom
