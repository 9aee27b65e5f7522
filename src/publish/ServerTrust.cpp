// Trusted fingerprints, their form and the question that asks for one.
#include "publish/ServerTrust.h"

#include "document/SettingsStore.h"
#include "publish/GuideExport.h"

namespace dravenloom {
namespace {

std::string ValueName(const std::string& host, const std::string& port) {
    return host + ":" + port;
}

} // namespace

std::string Sha256Fingerprint(std::string_view digest) {
    std::string text = Base64(digest);
    while (!text.empty() && text.back() == '=')
        text.pop_back();
    return "SHA256:" + text;
}

bool IsSha256Fingerprint(std::string_view text) {
    constexpr std::string_view prefix = "SHA256:";
    if (text.size() != prefix.size() + 43 || text.substr(0, prefix.size()) != prefix)
        return false;
    for (const char c : text.substr(prefix.size()))
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
              c == '+' || c == '/'))
            return false;
    return true;
}

std::optional<std::string> ReadTrustedFingerprint(SettingsStore& store, const std::string& host,
                                                  const std::string& port) {
    if (!store.OpenKey(TrustedServersKey, false))
        return std::nullopt;
    const SettingRead<std::string> read = store.ReadString(TrustedServersKey, ValueName(host, port));
    // A damaged value trusts nothing: the server is asked about again.
    if (!read.Found() || !IsSha256Fingerprint(read.Value))
        return std::nullopt;
    return read.Value;
}

bool WriteTrustedFingerprint(SettingsStore& store, const std::string& host,
                             const std::string& port, const std::string& fingerprint) {
    return store.OpenKey(TrustedServersKey, true) &&
           store.WriteString(TrustedServersKey, ValueName(host, port), fingerprint);
}

std::string UntrustedServerQuestion(const std::string& host, const std::string& port,
                                    const std::string& reason, const std::string& fingerprint) {
    return std::string(UntrustedServerStart) + host + ":" + port + " cannot be verified: " +
           reason + ".\n\nIts fingerprint is\n" + fingerprint +
           "\n\nCompare it with the one your host gives you. Trust this server from now on "
           "and upload?";
}

} // namespace dravenloom
