// A self-signed certificate made at test time by the openssl command, for the FTP with TLS
// tests, with its fingerprint as openssl computes it from the certificate's DER bytes.
#pragma once

#include <filesystem>
#include <string>

namespace dravenloom {

struct TestCertificate {
    std::filesystem::path Pem; // certificate and key in one file, as pyftpdlib takes them
    std::string Fingerprint;   // "SHA256:" and the base64 digest without padding
    std::string Failure;       // why it could not be made, or empty
};

// A certificate for `subjectAltName` (such as "IP:127.0.0.1" or "DNS:other.example"), in the
// folder. The key is an elliptic curve one: quick to make, and strong enough for OpenSSL's
// default security level, which refuses small RSA keys.
TestCertificate MakeTestCertificate(const std::filesystem::path& folder,
                                    const std::string& subjectAltName);

// True when the server cannot speak TLS (no python3-openssl) or openssl is missing.
bool TlsServerUnavailable();

} // namespace dravenloom
