// A recovery copy of a guide with unsaved changes.
#include "shell/RecoveryCopy.h"

#include "document/GuideFile.h"
#include "document/RecordCodec.h"

#include <charconv>
#include <cstdio>
#include <ctime>
#include <string_view>

namespace dravenloom {
namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

// A path may hold any byte but NUL, line ends included; on its header line it is escaped so
// that the line ends where the header says.
std::string EscapePath(const std::string& path) {
    std::string escaped;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '%') {
            escaped += '%';
            escaped += HexDigits[byte >> 4];
            escaped += HexDigits[byte & 0x0F];
        } else {
            escaped += c;
        }
    }
    return escaped;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<std::string> UnescapePath(std::string_view escaped) {
    std::string path;
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] != '%') {
            path += escaped[i];
            continue;
        }
        if (i + 2 >= escaped.size())
            return std::nullopt;
        const int high = HexValue(escaped[i + 1]);
        const int low = HexValue(escaped[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        path += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return path;
}

template <typename Number> std::optional<Number> ReadDecimal(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

// Takes the next header line "key value" off `rest`; nothing when the line is not there or
// has another key.
std::optional<std::string_view> HeaderValue(std::string_view& rest, std::string_view key) {
    const auto end = rest.find('\n');
    if (end == std::string_view::npos)
        return std::nullopt;
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end + 1);
    if (line.size() <= key.size() || line.substr(0, key.size()) != key || line[key.size()] != ' ')
        return std::nullopt;
    return line.substr(key.size() + 1);
}

std::string TwoDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

} // namespace

RecoveryCopy ComposeRecoveryCopy(const RecordEditor& editor, std::int64_t writtenAt) {
    const GuideDocument& document = editor.Document;
    RecordList shown = document.Records;
    shown.StoreRecord(document.CurrentRecord, editor.WorkingCopy());
    RecoveryCopy copy;
    copy.GuideFileName = document.GuideFileName;
    copy.WrittenAt = writtenAt;
    copy.CurrentRecord = document.CurrentRecord;
    copy.Lines = std::move(shown.Lines);
    return copy;
}

std::string EncodeRecoveryCopy(const RecoveryCopy& copy) {
    std::string body;
    for (const auto& line : copy.Lines) {
        body += EncodeLineForFile(line);
        body += "\r\n";
    }
    std::string bytes = std::string(RecoverySignature) + "\n";
    bytes += "guide " + EscapePath(copy.GuideFileName) + "\n";
    bytes += "written " + std::to_string(copy.WrittenAt) + "\n";
    bytes += "record " + std::to_string(copy.CurrentRecord) + "\n";
    bytes += "bytes " + std::to_string(body.size()) + "\n\n";
    return bytes + body;
}

std::optional<RecoveryCopy> DecodeRecoveryCopy(const std::string& bytes) {
    std::string_view rest = bytes;
    const std::string_view signature = RecoverySignature;
    if (rest.substr(0, signature.size() + 1) != std::string(signature) + "\n")
        return std::nullopt;
    rest.remove_prefix(signature.size() + 1);
    const auto guide = HeaderValue(rest, "guide");
    const auto written = HeaderValue(rest, "written");
    const auto record = HeaderValue(rest, "record");
    const auto size = HeaderValue(rest, "bytes");
    if (!guide || !written || !record || !size || rest.substr(0, 1) != "\n")
        return std::nullopt;
    rest.remove_prefix(1);
    RecoveryCopy copy;
    const auto path = UnescapePath(*guide);
    const auto writtenAt = ReadDecimal<std::int64_t>(*written);
    const auto current = ReadDecimal<std::int32_t>(*record);
    const auto bodySize = ReadDecimal<std::size_t>(*size);
    if (!path || path->empty() || !writtenAt || !current || !bodySize || *bodySize != rest.size())
        return std::nullopt;
    // The guide lines end with CR LF, the last one too: anything else was cut short.
    if (!rest.empty() && (rest.size() < 2 || rest.substr(rest.size() - 2) != "\r\n"))
        return std::nullopt;
    copy.GuideFileName = *path;
    copy.WrittenAt = *writtenAt;
    copy.CurrentRecord = *current;
    copy.Lines = SplitGuideText(std::string(rest));
    for (auto& line : copy.Lines)
        line = DecodeLineFromFile(line);
    return copy;
}

LocalTime LocalTimeOf(std::int64_t seconds) {
    const auto clock = static_cast<std::time_t>(seconds);
    std::tm parts{};
#ifdef _WIN32
    localtime_s(&parts, &clock);
#else
    localtime_r(&clock, &parts);
#endif
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min};
}

namespace {

// "14:32", or "2026-12-07 14:32" when the copy was not written today.
std::string WhenWritten(const LocalTime& written, const LocalTime& now) {
    std::string when = TwoDigits(written.Hour) + ":" + TwoDigits(written.Minute);
    if (!written.SameDay(now))
        when = std::to_string(written.Year) + "-" + TwoDigits(written.Month) + "-" +
               TwoDigits(written.Day) + " " + when;
    return when;
}

} // namespace

std::string RecoveryQuestionText(const RecoveryCopy& copy, const LocalTime& written,
                                 const LocalTime& now) {
    return "Recover unsaved changes to " + FileNamePart(copy.GuideFileName) + " from " +
           WhenWritten(written, now) + "?";
}

std::string UnrestorableCopyText(const RecoveryCopy& copy, const LocalTime& written,
                                 const LocalTime& now, const std::string& fault) {
    return "Unsaved changes to " + FileNamePart(copy.GuideFileName) + " from " +
           WhenWritten(written, now) + " cannot be restored: " + fault +
           ". The copy is kept until it is discarded.";
}

ChoiceRequest UnrestorableCopyQuestion(const std::string& text) {
    ChoiceRequest request;
    request.Caption = "Confirm";
    request.Text = text;
    request.Choices = {"Discard", "Later"};
    request.DefaultChoice = static_cast<int>(UnrestorableAnswer::Later);
    request.EscapeChoice = static_cast<int>(UnrestorableAnswer::Later);
    request.Icon = MsgIcon::Exclamation;
    return request;
}

ChoiceRequest RecoveryQuestion(const std::string& text) {
    ChoiceRequest request;
    request.Caption = "Confirm";
    request.Text = text;
    request.Choices = {"Recover", "Discard", "Later"};
    request.DefaultChoice = static_cast<int>(RecoveryAnswer::Recover);
    request.EscapeChoice = static_cast<int>(RecoveryAnswer::Later);
    request.Icon = MsgIcon::Question;
    return request;
}

} // namespace dravenloom
