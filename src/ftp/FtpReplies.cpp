// Reply reading, the 227 scan and the PORT argument.
#include "ftp/FtpReplies.h"

#include <cctype>

namespace dravenloom {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The code of a line that starts like a reply ("ddd", "ddd text", "ddd-text"), else 0.
int LineCode(std::string_view line) {
    if (line.size() < 3 || !IsDigit(line[0]) || !IsDigit(line[1]) || !IsDigit(line[2]))
        return 0;
    if (line[0] < '1' || line[0] > '5')
        return 0;
    if (line.size() > 3 && line[3] != ' ' && line[3] != '-')
        return 0;
    return (line[0] - '0') * 100 + (line[1] - '0') * 10 + (line[2] - '0');
}

std::string Trimmed(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] == ' ')
        ++begin;
    while (end > begin && text[end - 1] == ' ')
        --end;
    return std::string(text.substr(begin, end - begin));
}

std::string Shown(std::string_view line) {
    std::string shown;
    for (char c : line.substr(0, 60))
        shown += std::isprint(static_cast<unsigned char>(c)) ? c : '?';
    return shown;
}

void Append(std::string& text, std::string_view more) {
    std::string piece = Trimmed(more);
    if (piece.empty())
        return;
    if (!text.empty())
        text += ' ';
    text += piece;
}

} // namespace

void FtpReplyReader::Feed(std::string_view bytes) {
    if (Failed())
        return;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) {
            Partial.append(bytes.substr(start));
            break;
        }
        Partial.append(bytes.substr(start, end - start));
        start = end + 1;
        if (Partial.size() > MaxLineLength)
            return Fail("The server sent a reply line longer than " +
                        std::to_string(MaxLineLength) + " bytes");
        std::string line;
        line.swap(Partial);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        TakeLine(std::move(line));
        if (Failed())
            return;
    }
    if (Partial.size() > MaxLineLength)
        Fail("The server sent a reply line longer than " + std::to_string(MaxLineLength) +
             " bytes");
}

void FtpReplyReader::TakeLine(std::string line) {
    int code = LineCode(line);
    if (OpenCode == 0) {
        if (code == 0)
            return Fail("The server sent a line that is not a reply: \"" + Shown(line) + "\"");
        std::string_view rest = line.size() > 4 ? std::string_view(line).substr(4) : "";
        if (line.size() > 3 && line[3] == '-') {
            OpenCode = code;
            OpenText = Trimmed(rest);
            OpenLength = line.size();
            return;
        }
        Replies.push_back({code, Trimmed(rest)});
        return;
    }
    OpenLength += line.size() + 1;
    if (OpenLength > MaxReplyLength)
        return Fail("The server sent a reply longer than " + std::to_string(MaxReplyLength) +
                    " bytes");
    if (code == OpenCode && (line.size() == 3 || line[3] == ' ')) {
        Append(OpenText, line.size() > 4 ? std::string_view(line).substr(4) : "");
        Replies.push_back({OpenCode, std::move(OpenText)});
        OpenCode = 0;
        OpenText.clear();
        OpenLength = 0;
        return;
    }
    // Middle lines may carry the code with a hyphen, another code, or none at all.
    Append(OpenText, code == OpenCode ? std::string_view(line).substr(4) : std::string_view(line));
}

std::optional<FtpReply> FtpReplyReader::Next() {
    if (Replies.empty())
        return std::nullopt;
    FtpReply reply = std::move(Replies.front());
    Replies.pop_front();
    return reply;
}

void FtpReplyReader::Reset() {
    *this = FtpReplyReader();
}

void FtpReplyReader::Fail(std::string why) {
    FailureText = std::move(why);
    Partial.clear();
    Partial.shrink_to_fit();
    OpenText.clear();
    Replies.clear();
}

std::optional<PassiveAddress> ParsePassiveReply(std::string_view text) {
    for (std::size_t start = 0; start < text.size(); ++start) {
        if (!IsDigit(text[start]) || (start > 0 && IsDigit(text[start - 1])))
            continue;
        unsigned numbers[6] = {};
        std::size_t at = start;
        int found = 0;
        for (; found < 6; ++found) {
            if (found > 0) {
                if (at >= text.size() || text[at] != ',')
                    break;
                ++at;
                while (at < text.size() && text[at] == ' ')
                    ++at;
            }
            std::size_t digits = 0;
            unsigned value = 0;
            while (at < text.size() && IsDigit(text[at]) && digits < 4) {
                value = value * 10 + static_cast<unsigned>(text[at] - '0');
                ++at;
                ++digits;
            }
            if (digits == 0 || value > 255 || (at < text.size() && IsDigit(text[at])))
                break;
            numbers[found] = value;
        }
        if (found < 6)
            continue;
        PassiveAddress address;
        address.Host = (numbers[0] << 24) | (numbers[1] << 16) | (numbers[2] << 8) | numbers[3];
        address.Port = static_cast<std::uint16_t>(numbers[4] * 256 + numbers[5]);
        if (address.Port == 0)
            continue;
        return address;
    }
    return std::nullopt;
}

std::string PortArgument(std::uint32_t ipv4, std::uint16_t port) {
    return std::to_string((ipv4 >> 24) & 255) + ',' + std::to_string((ipv4 >> 16) & 255) + ',' +
           std::to_string((ipv4 >> 8) & 255) + ',' + std::to_string(ipv4 & 255) + ',' +
           std::to_string(port >> 8) + ',' + std::to_string(port & 255);
}

bool SafeCommandArgument(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

std::string SecondsText(long long milliseconds) {
    if (milliseconds % 1000 == 0)
        return std::to_string(milliseconds / 1000) + " s";
    std::string fraction = std::to_string(1000 + milliseconds % 1000).substr(1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    return std::to_string(milliseconds / 1000) + '.' + fraction + " s";
}

std::string ReplyText(const FtpReply& reply) {
    std::string text = std::to_string(reply.Code);
    if (!reply.Text.empty())
        text += ' ' + reply.Text.substr(0, 200);
    return text;
}

} // namespace dravenloom
