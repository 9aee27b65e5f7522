// Guide texts made fit for a terminal or a JSON string, and buffered output.
#pragma once

#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace dravenloom::cli {

// A JSON string literal (with its quotes) of UTF-8 text: quote and backslash escaped, CR and
// LF as \r and \n, other control characters (C0, DEL and C1) as \u00XX.
std::string JsonString(std::string_view utf8);

// Guide bytes (code page 1252) as UTF-8 lines for a terminal: split at CR LF (and at a lone
// CR or LF), and every control character but the tab shown as \xNN, so that a guide cannot
// send escape sequences to the terminal. Always at least one line.
std::vector<std::string> TerminalLines(std::string_view guideBytes);

// One line of UTF-8 text from outside (a command-line value, a file name, a message quoting
// a page) made fit for a terminal: every control character (C0 with tab and line breaks, DEL,
// C1) and every byte that is not part of a valid UTF-8 sequence written as \xNN, so that
// nothing in it can act as an escape sequence or break the line.
std::string TerminalText(std::string_view utf8);

// The output stream refused a write: the command stops, and the program reports why.
class OutputError : public std::runtime_error {
public:
    OutputError() : std::runtime_error("standard output can't be written") {}
};

// Collects output and hands it to the stream in large pieces. A piece the stream refuses is an
// OutputError, so that a command stops at once instead of producing what nobody can read.
class BufferedOutput {
public:
    explicit BufferedOutput(std::ostream& out) : Out(out) {}
    // Hands over what is left; a failure then is left for the stream's owner to notice.
    ~BufferedOutput();
    BufferedOutput(const BufferedOutput&) = delete;
    BufferedOutput& operator=(const BufferedOutput&) = delete;

    BufferedOutput& operator<<(std::string_view text) {
        Buffer += text;
        if (Buffer.size() >= 1 << 16)
            Flush();
        return *this;
    }
    void Flush();

private:
    std::ostream& Out;
    std::string Buffer;
};

} // namespace dravenloom::cli
