// Guide texts searched with PCRE2 in UTF mode, offsets mapped back to the code page bytes.
#include "document/TextSearch.h"

#include "document/Cp1252.h"
#include "document/NumberText.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <algorithm>
#include <cctype>

namespace dravenloom {

namespace {

// Wraps a pattern for "Whole word": no letter, digit or underscore (Unicode's, so accented
// letters count) right before or right after the match.
constexpr std::string_view WordStart = "(?<!\\w)(?:";
constexpr std::string_view WordEnd = ")(?!\\w)";

std::string ErrorText(int code) {
    PCRE2_UCHAR buffer[256];
    const int length = pcre2_get_error_message(code, buffer, sizeof buffer);
    if (length < 0)
        return "error " + IntToStr(code);
    return std::string(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(length));
}

// A plain pattern as an expression: every ASCII character that is not a letter or digit is
// escaped, which PCRE2 takes literally; other characters are literal as they stand.
std::string Escaped(std::string_view pattern) {
    std::string out;
    out.reserve(pattern.size() * 2);
    for (char c : pattern) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80 && !std::isalnum(byte))
            out += '\\';
        out += c;
    }
    return out;
}

// The characters of UTF-8 text before byte `offset` (continuation bytes are not counted).
std::size_t CharactersBefore(std::string_view utf8, std::size_t offset) {
    offset = std::min(offset, utf8.size());
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.begin() + static_cast<std::ptrdiff_t>(offset),
                      [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// A guide text as PCRE2 reads it: UTF-8, and where each byte of the guide text starts in it.
// Plain ASCII is searched as it stands.
struct Subject {
    explicit Subject(std::string_view text) {
        const bool ascii = std::all_of(text.begin(), text.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        if (ascii) {
            Utf8 = text;
            return;
        }
        Converted = Cp1252ToUtf8(text);
        Utf8 = Converted;
        // Every byte of the code page is one character, so the UTF-8 sequences follow the
        // bytes one to one.
        Starts.reserve(text.size() + 1);
        std::size_t at = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            Starts.push_back(at);
            const auto lead = static_cast<unsigned char>(Converted[at]);
            at += lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        }
        Starts.push_back(at);
    }

    std::size_t ByteOf(std::size_t utf8Offset) const {
        if (Starts.empty())
            return utf8Offset;
        return static_cast<std::size_t>(std::lower_bound(Starts.begin(), Starts.end(), utf8Offset) -
                                        Starts.begin());
    }
    std::size_t Utf8Of(std::size_t byte) const { return Starts.empty() ? byte : Starts[byte]; }

    std::string_view Utf8;
    std::string Converted;
    std::vector<std::size_t> Starts;
};

PCRE2_SPTR Units(std::string_view text) {
    return reinterpret_cast<PCRE2_SPTR>(text.data());
}

} // namespace

struct TextPattern::Compiled {
    pcre2_code* Code = nullptr;
    pcre2_match_data* Match = nullptr;

    ~Compiled() {
        pcre2_match_data_free(Match);
        pcre2_code_free(Code);
    }
};

TextPattern::TextPattern(std::string_view utf8Pattern, SearchOptions options)
    : Code(std::make_unique<Compiled>()), Flags(options) {
    if (utf8Pattern.empty())
        throw PatternError("Type what to find.", std::string::npos);
    std::string expression = options.Regex ? std::string(utf8Pattern) : Escaped(utf8Pattern);
    std::size_t prefix = 0;
    if (options.WholeWord) {
        expression = std::string(WordStart) + expression + std::string(WordEnd);
        prefix = WordStart.size();
    }
    // A multi-line text holds CR LF between its lines: "^" and "$" stand at each of them.
    pcre2_compile_context* context = pcre2_compile_context_create(nullptr);
    pcre2_set_newline(context, PCRE2_NEWLINE_ANYCRLF);
    std::uint32_t flags = PCRE2_UTF | PCRE2_UCP | PCRE2_MULTILINE;
    if (!options.MatchCase)
        flags |= PCRE2_CASELESS;
    int error = 0;
    PCRE2_SIZE errorOffset = 0;
    Code->Code =
        pcre2_compile(Units(expression), expression.size(), flags, &error, &errorOffset, context);
    pcre2_compile_context_free(context);
    if (!Code->Code) {
        // The place is counted in what the author typed, not in the wrapping around it.
        const std::size_t typed = errorOffset > prefix ? errorOffset - prefix : 0;
        const std::size_t at = CharactersBefore(utf8Pattern, typed);
        const std::string what = options.Regex ? "The regular expression" : "The text to find";
        throw PatternError(what + " is not valid at character " +
                               IntToStr(static_cast<std::int64_t>(at) + 1) + ": " +
                               ErrorText(error) + ".",
                           at);
    }
    // The compiled machine code makes a search of a large guide several times faster; where
    // the platform has none, the interpreter runs.
    pcre2_jit_compile(Code->Code, PCRE2_JIT_COMPLETE);
    Code->Match = pcre2_match_data_create_from_pattern(Code->Code, nullptr);
}

TextPattern::~TextPattern() = default;
TextPattern::TextPattern(TextPattern&&) noexcept = default;
TextPattern& TextPattern::operator=(TextPattern&&) noexcept = default;

void TextPattern::FindAll(std::string_view text, std::vector<TextMatch>& matches) const {
    if (text.empty())
        return;
    const Subject subject(text);
    std::size_t start = 0;
    while (start < subject.Utf8.size()) {
        const int found = pcre2_match(Code->Code, Units(subject.Utf8), subject.Utf8.size(), start,
                                      PCRE2_NOTEMPTY | PCRE2_NO_UTF_CHECK, Code->Match, nullptr);
        if (found == PCRE2_ERROR_NOMATCH)
            return;
        if (found < 0)
            throw PatternError("The search stopped: " + ErrorText(found) + ".", std::string::npos);
        const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(Code->Match);
        const std::size_t from = subject.ByteOf(ovector[0]);
        const std::size_t to = subject.ByteOf(ovector[1]);
        matches.push_back({from, to - from});
        // NOTEMPTY makes every match at least one character long, so this always moves on.
        start = std::max<std::size_t>(ovector[1], start + 1);
    }
}

std::string TextPattern::Replacement(std::string_view text, const TextMatch& match,
                                     std::string_view utf8Replacement) const {
    if (!Flags.Regex)
        return std::string(utf8Replacement);
    const Subject subject(text);
    // The match again, anchored where the search found it (so lookbehinds see the text before
    // it), with the replacement expanded for it alone.
    std::string out(utf8Replacement.size() + match.Length * 2 + 64, '\0');
    for (;;) {
        PCRE2_SIZE length = out.size();
        const int done = pcre2_substitute(
            Code->Code, Units(subject.Utf8), subject.Utf8.size(), subject.Utf8Of(match.Start),
            PCRE2_ANCHORED | PCRE2_NOTEMPTY | PCRE2_NO_UTF_CHECK |
                PCRE2_SUBSTITUTE_REPLACEMENT_ONLY | PCRE2_SUBSTITUTE_OVERFLOW_LENGTH,
            Code->Match, nullptr, Units(utf8Replacement), utf8Replacement.size(),
            reinterpret_cast<PCRE2_UCHAR*>(out.data()), &length);
        if (done == PCRE2_ERROR_NOMEMORY) {
            out.resize(length);
            continue;
        }
        if (done < 0) {
            // A replacement error gives its place in the replacement text.
            const std::size_t at = CharactersBefore(utf8Replacement, length);
            throw PatternError("The replacement is not valid at character " +
                                   IntToStr(static_cast<std::int64_t>(at) + 1) + ": " +
                                   ErrorText(done) + ".",
                               at);
        }
        if (done == 0)
            throw PatternError("The text no longer matches where it was found.", std::string::npos);
        out.resize(length);
        return out;
    }
}

std::size_t FieldCharacterPosition(std::string_view text, std::size_t offset) {
    offset = std::min(offset, text.size());
    std::size_t pairs = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string_view::npos && at + 1 < offset;
         at = text.find("\r\n", at + 2))
        ++pairs;
    return offset - pairs;
}

} // namespace dravenloom
