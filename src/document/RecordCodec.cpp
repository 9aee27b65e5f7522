// Building and parsing record lines.
#include "document/RecordCodec.h"

#include "document/Cp1252.h"
#include "document/Errors.h"
#include "document/NumberText.h"

namespace dravenloom {
namespace {

// The field between the first `from` mark and the first `to` mark; empty when either is
// missing or the end comes before the start.
std::string_view Between(std::string_view line, char from, char to) {
    const auto start = line.find(from);
    const auto end = line.find(to);
    if (start == std::string_view::npos || end == std::string_view::npos || end <= start)
        return {};
    return line.substr(start + 1, end - start - 1);
}

std::string_view After(std::string_view line, char mark) {
    const auto start = line.find(mark);
    if (start == std::string_view::npos)
        return {};
    return line.substr(start + 1);
}

bool IsTrimmedAway(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

bool IsBlankPath(const std::string& path) {
    for (char c : path)
        if (!IsTrimmedAway(c))
            return false;
    return true;
}

} // namespace

bool TryLineNumber(std::string_view line, std::int32_t& number) {
    const auto mark = line.find(NumberMark);
    if (mark == std::string_view::npos)
        return false;
    const auto value = ReadNumber(line.substr(0, mark));
    if (!value)
        return false;
    number = *value;
    return true;
}

std::int32_t LineNumber(std::string_view line) {
    std::int32_t number = 0;
    if (TryLineNumber(line, number))
        return number;
    const auto mark = line.find(NumberMark);
    const std::string prefix = Cp1252ToUtf8(line.substr(
        0, mark == std::string_view::npos ? std::min<std::size_t>(line.size(), 20) : mark));
    throw ConversionError("'" + prefix + "' is not a valid integer value");
}

std::string BuildPrimaryLine(std::int32_t number, const std::string& dialogue,
                             const std::string& graphicPath, const std::string& graphicX,
                             const std::string& graphicY, bool center) {
    std::string line = IntToStr(number);
    line += NumberMark;
    line += dialogue;
    line += TextMark;
    if (IsBlankPath(graphicPath)) {
        line += XMark;
        line += YMark;
    } else {
        line += graphicPath;
        line += XMark;
        line += graphicX;
        line += YMark;
        line += graphicY;
    }
    line += CenterMark;
    line += center ? "yes" : "no";
    // A lone CR or LF would split the line in the file.
    return NormalizeLineBreaks(line);
}

PrimaryFields ParsePrimaryLine(std::string_view line) {
    PrimaryFields fields;
    fields.Dialogue = LineText(line);
    fields.GraphicPath = Between(line, TextMark, XMark);
    fields.Center = After(line, CenterMark) == "yes";
    if (!fields.GraphicPath.empty()) {
        fields.GraphicX = Between(line, XMark, YMark);
        fields.GraphicY = Between(line, YMark, CenterMark);
    }
    return fields;
}

std::string BuildResponseLine(std::int32_t number, const std::string& text,
                              const std::string& target) {
    std::string line = IntToStr(number);
    line += NumberMark;
    line += text;
    line += TextMark;
    line += target;
    return NormalizeLineBreaks(line);
}

ResponseSlot ParseResponseLine(std::string_view line) {
    return {std::string(LineText(line)), std::string(LineTarget(line))};
}

std::string_view LineText(std::string_view line) {
    return Between(line, NumberMark, TextMark);
}

std::string_view LineTarget(std::string_view line) {
    return After(line, TextMark);
}

std::string EncodeLineForFile(std::string_view line) {
    std::string out;
    out.reserve(line.size());
    std::size_t start = 0;
    for (std::size_t at = line.find("\r\n"); at != std::string_view::npos;
         at = line.find("\r\n", start)) {
        out.append(line.substr(start, at - start));
        out += BreakMark;
        start = at + 2;
    }
    out.append(line.substr(start));
    return out;
}

std::string DecodeLineFromFile(std::string_view line) {
    std::string out;
    out.reserve(line.size());
    std::size_t start = 0;
    for (std::size_t at = line.find(BreakMark); at != std::string_view::npos;
         at = line.find(BreakMark, start)) {
        out.append(line.substr(start, at - start));
        out += "\r\n";
        start = at + 1;
    }
    out.append(line.substr(start));
    return out;
}

} // namespace dravenloom
