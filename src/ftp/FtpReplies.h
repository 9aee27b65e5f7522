// Reading the server's replies out of the bytes of the control connection, and the few
// arguments the client builds or checks itself (the 227 address, the PORT argument, command
// arguments). No sockets here, so every reply form can be tested byte by byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace dravenloom {

struct FtpReply {
    int Code = 0;
    std::string Text; // the text of every line after its code, lines joined by a blank

    bool Preliminary() const { return Code >= 100 && Code < 200; }
    bool Positive() const { return Code >= 200 && Code < 400; }
};

// Collects bytes as they arrive and hands out whole replies in order. A line ends at LF, with
// or without CR before it; a reply "ddd-" goes on until a line that starts with the same code
// and a blank. Any number of replies may come in one piece, and a reply may come in any number
// of pieces. A server that never ends a line or a reply cannot make it grow without bound: past
// MaxLineLength or MaxReplyLength the reader fails and stays failed.
class FtpReplyReader {
public:
    static constexpr std::size_t MaxLineLength = 4096;
    static constexpr std::size_t MaxReplyLength = 64 * 1024;

    void Feed(std::string_view bytes);
    // The oldest complete reply not yet taken.
    std::optional<FtpReply> Next();
    bool HasReply() const { return !Replies.empty(); }
    // True while any byte fed is not yet taken as part of a reply.
    bool HasPending() const { return !Replies.empty() || !Partial.empty() || OpenCode != 0; }
    bool Failed() const { return !FailureText.empty(); }
    // Why it failed, in words.
    const std::string& Failure() const { return FailureText; }
    // Forgets everything (a new connection).
    void Reset();

private:
    void TakeLine(std::string line);
    void Fail(std::string why);

    std::string Partial; // bytes of the line not yet ended
    std::string FailureText;
    std::deque<FtpReply> Replies;
    int OpenCode = 0; // code of the multi-line reply being read, 0 if none
    std::string OpenText;
    std::size_t OpenLength = 0; // bytes of the multi-line reply so far
};

// The reply as a message shows it: its code and the start of its text.
std::string ReplyText(const FtpReply& reply);

// The address and port of a 227 reply. The text is scanned for six numbers separated by commas
// (servers put them in brackets, after a full stop, or plainly), each 0..255; the port is
// p1 * 256 + p2 and must not be 0. Nothing when no such six numbers are there.
struct PassiveAddress {
    std::uint32_t Host = 0; // as named by the server; not used to connect
    std::uint16_t Port = 0;
};
std::optional<PassiveAddress> ParsePassiveReply(std::string_view text);

// "h1,h2,h3,h4,p1,p2" for PORT.
std::string PortArgument(std::uint32_t ipv4, std::uint16_t port);

// True when the text can stand as a command argument: no CR, LF or NUL, which would end the
// command early and let the rest be read as another command.
bool SafeCommandArgument(std::string_view text);

// "Timed out after 15 s" style duration: whole seconds as "15 s", others as "0.3 s".
std::string SecondsText(long long milliseconds);

} // namespace dravenloom
