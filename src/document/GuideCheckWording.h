// The wording and mark analysis behind the guide check: how marks, texts and record numbers
// are named in its messages, and where the marks of a line stand against the line layout.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dravenloom::guidecheck {

// The marks of each line kind, in the order the layout puts them after the NumberMark.
inline constexpr std::string_view PrimaryMarks("\xB6\xAA\xB1\x80", 4);
inline constexpr std::string_view ResponseMarks("\xB6", 1);

// The five marks a record line is laid out with (BreakMark is a line break, not one of them).
bool IsLayoutMark(char c);

std::string Num(std::int64_t value);

// The mark as the author sees it, with its byte: "¶ (byte 0xB6)".
std::string MarkName(char mark);
// What the mark does in a line: "ends the dialogue or response text".
std::string MarkRole(char mark);
// "¶ (byte 0xB6), ª (byte 0xAA) and € (...)".
std::string MarkList(const std::string& marks);

// A piece of a guide line quoted for a message: code page 1252 shown as UTF-8, control bytes
// as \xNN, long texts cut.
std::string Quote(std::string_view bytes);

// Digits only, without a leading zero: how the program writes record numbers.
bool IsPlainNumber(std::string_view text);

// "record 4", "records 4 and 5", "records 4 to 9".
std::string RecordRange(std::int64_t first, std::int64_t last);
// "record 4", "records 4 and 7", "records 4, 7 and 9".
std::string Names(const std::vector<std::int32_t>& numbers);

// Where the marks of one line stand against the layout: the marks that are not where the
// layout puts one (with the field they stand in) and the layout's marks that are not there.
struct MarkAlignment {
    struct Stray {
        char Mark;
        std::size_t Field; // 0 = the field before the first expected mark, and so on
    };
    std::vector<Stray> Strays;
    std::string Missing;
};

// Aligns the marks after the NumberMark with the expected sequence so that as many as
// possible are matched. Of equally good alignments the one that takes the later occurrences
// as the marks wins, so that a mark typed into a text is the one reported.
MarkAlignment AlignMarks(std::string_view rest, std::string_view expected);

} // namespace dravenloom::guidecheck
