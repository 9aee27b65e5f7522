// The wording and mark analysis behind the guide check.
#include "document/GuideCheckWording.h"

#include "document/Cp1252.h"
#include "document/NumberText.h"
#include "document/RecordCodec.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

namespace dravenloom::guidecheck {

bool IsLayoutMark(char c) {
    return c == NumberMark || c == TextMark || c == XMark || c == YMark || c == CenterMark;
}

std::string Num(std::int64_t value) {
    return IntToStr(value);
}

// The mark as the author sees it, with its byte.
std::string MarkName(char mark) {
    switch (mark) {
    case NumberMark:
        return "\xC2\xA4 (byte 0xA4)";
    case TextMark:
        return "\xC2\xB6 (byte 0xB6)";
    case XMark:
        return "\xC2\xAA (byte 0xAA)";
    case YMark:
        return "\xC2\xB1 (byte 0xB1)";
    default:
        return "\xE2\x82\xAC (the euro sign, byte 0x80)";
    }
}

std::string MarkRole(char mark) {
    switch (mark) {
    case NumberMark:
        return "ends the record number";
    case TextMark:
        return "ends the dialogue or response text";
    case XMark:
        return "comes before the picture's X position";
    case YMark:
        return "comes before the picture's Y position";
    default:
        return "comes before the center flag";
    }
}

std::string MarkList(const std::string& marks) {
    std::string out;
    for (std::size_t i = 0; i < marks.size(); ++i) {
        if (i > 0)
            out += i + 1 == marks.size() ? " and " : ", ";
        out += MarkName(marks[i]);
    }
    return out;
}

// A piece of a guide line quoted for a message: code page 1252 shown as UTF-8, control bytes
// as \xNN, long texts cut.
std::string Quote(std::string_view bytes) {
    constexpr std::size_t Shown = 40;
    std::string out = "\"";
    std::size_t count = 0;
    for (char c : bytes) {
        if (count++ == Shown) {
            out += "...";
            break;
        }
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 ||
            b == 0x9D) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", b);
            out += buffer;
        } else {
            out += Cp1252ToUtf8(std::string_view(&c, 1));
        }
    }
    return out + "\"";
}

// Digits only, without a leading zero: how the program writes record numbers.
bool IsPlainNumber(std::string_view text) {
    if (text.empty() || text[0] == '0')
        return false;
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "record 4", "records 4 and 5", "records 4 to 9".
std::string RecordRange(std::int64_t first, std::int64_t last) {
    if (first == last)
        return "record " + Num(first);
    if (last == first + 1)
        return "records " + Num(first) + " and " + Num(last);
    return "records " + Num(first) + " to " + Num(last);
}

// "record 4", "records 4 and 7", "records 4, 7 and 9".
std::string Names(const std::vector<std::int32_t>& numbers) {
    std::string out = numbers.size() == 1 ? "record " : "records ";
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0)
            out += i + 1 == numbers.size() ? " and " : ", ";
        out += Num(numbers[i]);
    }
    return out;
}

namespace {

// Whether the marks of `rest` are exactly `expected`, in order: the usual case, told without
// gathering them. Texts are mostly ASCII, so eight bytes are passed over at a time while none
// of them has its high bit set, as every mark has.
bool MarksAreExactly(std::string_view rest, std::string_view expected) {
    constexpr std::uint64_t HighBits = 0x8080808080808080u;
    std::size_t next = 0;
    std::size_t i = 0;
    while (i < rest.size()) {
        if (rest.size() - i >= sizeof(std::uint64_t)) {
            std::uint64_t word = 0;
            std::memcpy(&word, rest.data() + i, sizeof word);
            if ((word & HighBits) == 0) {
                i += sizeof word;
                continue;
            }
        }
        const char c = rest[i++];
        if (!IsLayoutMark(c))
            continue;
        if (next == expected.size() || c != expected[next])
            return false;
        ++next;
    }
    return next == expected.size();
}

} // namespace

// Aligns the marks after the NumberMark with the expected sequence so that as many as
// possible are matched. Of equally good alignments the one that takes the later occurrences
// as the marks wins, so that a mark typed into a text is the one reported.
MarkAlignment AlignMarks(std::string_view rest, std::string_view expected) {
    if (MarksAreExactly(rest, expected))
        return {};
    std::vector<char> marks;
    for (char c : rest)
        if (IsLayoutMark(c))
            marks.push_back(c);
    MarkAlignment alignment;
    const std::size_t m = marks.size();
    const std::size_t k = expected.size();
    // best[i][j]: most matches of marks[i..] against expected[j..].
    std::vector<std::array<std::uint8_t, 5>> best(m + 1);
    for (std::size_t i = m + 1; i-- > 0;) {
        for (std::size_t j = k + 1; j-- > 0;) {
            std::uint8_t value = 0;
            if (i < m && j < k) {
                value = std::max(best[i + 1][j], best[i][j + 1]);
                if (marks[i] == expected[j])
                    value = std::max<std::uint8_t>(value, best[i + 1][j + 1] + 1);
            }
            best[i][j] = value;
        }
    }
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < m || j < k) {
        if (i < m && (j == k || best[i + 1][j] == best[i][j])) {
            alignment.Strays.push_back({marks[i], j});
            ++i;
        } else if (i < m && j < k && marks[i] == expected[j] &&
                   best[i + 1][j + 1] + 1 == best[i][j]) {
            ++i;
            ++j;
        } else {
            alignment.Missing += expected[j];
            ++j;
        }
    }
    return alignment;
}

} // namespace dravenloom::guidecheck
