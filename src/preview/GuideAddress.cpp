// The rule for the addresses a guide may have opened.
#include "preview/GuideAddress.h"

#include "document/Cp1252.h"

#include <algorithm>
#include <cctype>

namespace dravenloom {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char lower, char c) {
               return std::tolower(static_cast<unsigned char>(c)) == lower;
           });
}

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Blanks, control characters and the characters no address carries unescaped, which would let
// a desktop handler read the address as something else (a second argument, a quoted command).
bool HasUnsafeCharacter(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= 0x20 || byte == 0x7F || c == '"' || c == '\\' || c == '<' || c == '>' ||
               c == '`';
    });
}

// The host of a web address: letters, digits, hyphens and full stops, at least one full stop
// between two labels, optionally followed by a port.
bool IsHost(std::string_view host) {
    if (const auto colon = host.find(':'); colon != std::string_view::npos) {
        const std::string_view port = host.substr(colon + 1);
        if (port.empty() || port.size() > 5 || !std::all_of(port.begin(), port.end(), [](char c) {
                return std::isdigit(static_cast<unsigned char>(c));
            }))
            return false;
        host = host.substr(0, colon);
    }
    if (host.empty() || host.front() == '.' || host.front() == '-' || host.back() == '.' ||
        host.find('.') == std::string_view::npos || host.find("..") != std::string_view::npos)
        return false;
    return std::all_of(host.begin(), host.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return std::isalnum(byte) || c == '-' || c == '.' || byte >= 0x80;
    });
}

// What follows "scheme://" up to the path, query or fragment.
std::string_view HostPart(std::string_view rest) {
    return rest.substr(0, rest.find_first_of("/?#"));
}

} // namespace

std::optional<std::string> OpenableGuideAddress(std::string_view target) {
    const std::string_view address = Trimmed(target);
    if (address.empty() || HasUnsafeCharacter(address))
        return std::nullopt;

    for (const std::string_view scheme : {"http://", "https://"}) {
        if (StartsWithNoCase(address, scheme)) {
            std::string_view host = HostPart(address.substr(scheme.size()));
            // "user:password@" before the host is legal in a web address.
            if (const auto at = host.rfind('@'); at != std::string_view::npos)
                host = host.substr(at + 1);
            if (!IsHost(host))
                return std::nullopt;
            return Cp1252ToUtf8(address);
        }
    }
    if (StartsWithNoCase(address, "mailto:")) {
        const std::string_view mailbox = address.substr(7);
        const auto at = mailbox.find('@');
        if (at == 0 || at == std::string_view::npos || at + 1 >= mailbox.size())
            return std::nullopt;
        return Cp1252ToUtf8(address);
    }
    // A bare web address: a host name first, never a scheme of its own ("file:", "javascript:",
    // a drive letter), never a path.
    if (!IsHost(HostPart(address)))
        return std::nullopt;
    return "http://" + Cp1252ToUtf8(address);
}

} // namespace dravenloom
