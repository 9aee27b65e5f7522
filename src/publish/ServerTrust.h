// Servers the author chose to trust: the fingerprints of certificates and host keys that no
// authority or known_hosts file vouches for, kept in the settings for each host and port.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dravenloom {

class SettingsStore;

// Where the trusted fingerprints are kept: one string value per "host:port".
inline constexpr const char* TrustedServersKey = "Software\\Korvessa\\Dravenloom\\FTP\\Trusted";

// The fingerprint of a SHA-256 digest (32 bytes) as OpenSSH prints it: "SHA256:" and the
// digest in base64 without padding.
std::string Sha256Fingerprint(std::string_view digest);
// Whether `text` has that form: "SHA256:" and 43 base64 characters.
bool IsSha256Fingerprint(std::string_view text);

// The fingerprint trusted for host:port, or nothing.
std::optional<std::string> ReadTrustedFingerprint(SettingsStore& store, const std::string& host,
                                                  const std::string& port);
// Trusts `fingerprint` for host:port from now on, in place of any before. False when the
// settings cannot hold it.
bool WriteTrustedFingerprint(SettingsStore& store, const std::string& host,
                             const std::string& port, const std::string& fingerprint);

// The question asked before anything is sent to a server that cannot be verified.
std::string UntrustedServerQuestion(const std::string& host, const std::string& port,
                                    const std::string& reason, const std::string& fingerprint);
// Where the question starts, for callers that recognise it.
inline constexpr const char* UntrustedServerStart = "The identity of the server ";

} // namespace dravenloom
