// The one reader of numbers in text, used everywhere a text becomes a number.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dravenloom {

// An optional '+' or '-', then one or more decimal digits and nothing else, within the signed
// 32-bit range. "021" reads as 21; blanks, hexadecimal and empty texts do not read.
std::optional<std::int32_t> ReadNumber(std::string_view text);

// ReadNumber that fails with a ConversionError naming the text.
std::int32_t StrToInt(std::string_view text);

// The record number after `number`, or nothing when `number` is the highest 32-bit number:
// every step to a following record goes through here, so none can wrap around.
std::optional<std::int32_t> NextRecordNumber(std::int32_t number);

// The value of a hexadecimal digit (either case), or -1 for any other character.
int HexDigitValue(char c);

// Decimal text of a number, without leading zeros.
std::string IntToStr(std::int64_t value);

} // namespace dravenloom
