// The byte layout of one record line: the marks, building and parsing primary and response
// lines, and the line-break rule of the guide file.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace dravenloom {

inline constexpr char NumberMark = '\xA4'; // ends the record number
inline constexpr char TextMark = '\xB6';   // ends the dialogue or response text
inline constexpr char XMark = '\xAA';      // precedes the picture's X
inline constexpr char YMark = '\xB1';      // precedes the picture's Y
inline constexpr char CenterMark = '\x80'; // precedes the center flag
inline constexpr char BreakMark = '\x9A';  // a CR LF inside a text, in the file only

struct ResponseSlot {
    std::string Text;
    std::string Target;

    bool operator==(const ResponseSlot&) const = default;
};

// One record as exchanged between the record list and its users.
struct GuideRecord {
    std::string Dialogue;
    std::string GraphicPath;
    std::string GraphicX = "300";
    std::string GraphicY = "0";
    bool Center = false;
    std::array<ResponseSlot, 6> Responses;

    bool operator==(const GuideRecord&) const = default;
};

// The fields of a primary line.
struct PrimaryFields {
    std::string Dialogue;
    std::string GraphicPath;
    std::string GraphicX = "300";
    std::string GraphicY = "0";
    bool Center = false;
};

// The record number of a line; a ConversionError when the line has no NumberMark or the text
// before it is not a decimal integer.
std::int32_t LineNumber(std::string_view line);

// The record number of a line, or nothing when LineNumber would fail.
bool TryLineNumber(std::string_view line, std::int32_t& number);

std::string BuildPrimaryLine(std::int32_t number, const std::string& dialogue,
                             const std::string& graphicPath, const std::string& graphicX,
                             const std::string& graphicY, bool center);
PrimaryFields ParsePrimaryLine(std::string_view line);

std::string BuildResponseLine(std::int32_t number, const std::string& text,
                              const std::string& target);
ResponseSlot ParseResponseLine(std::string_view line);

// The text between the first NumberMark and the first TextMark (dialogue or response text).
std::string_view LineText(std::string_view line);
// Everything after the first TextMark (a response's target).
std::string_view LineTarget(std::string_view line);

// Each CR LF pair becomes BreakMark; a lone CR or LF is left alone.
std::string EncodeLineForFile(std::string_view line);
// Each BreakMark becomes CR LF.
std::string DecodeLineFromFile(std::string_view line);

} // namespace dravenloom
