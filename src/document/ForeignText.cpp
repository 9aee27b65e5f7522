// Characters a field can't hold, their replacements, and the question offering them.
//
// Unicode's decompositions come from utf8proc: a small C library with Debian packages, whose
// only job is normalisation and character properties. It reduces every letter with marks to
// its base letter (ő, ă, ş, ș, ǔ, ...), composes letters typed as base letter and combining
// mark, and turns compatibility forms (ligatures, full-width letters, odd spaces) into plain
// ones. A hand-written table would cover a few hundred letters and miss the rest; ICU would do
// the same work but is many times its size and far more than the core needs.
#include "document/ForeignText.h"

#include "document/Cp1252.h"

#include <utf8proc.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <unordered_map>
#include <utility>

namespace dravenloom {
namespace {

// The replacements Unicode's decompositions don't give: letters whose mark is part of the
// letter (ł has no "l + stroke" form), the record marks the code page has but a record can't
// hold, dashes and signs the code page lacks, and currency signs by their currency's code, as
// "EUR" is written where the euro sign can't stand. Sorted by code point.
constexpr std::array<std::pair<char32_t, const char*>, 25> Replacements = {{
    {0x00B1, "+/-"},    // plus-minus sign (a record mark)
    {0x0110, "D"},      // D with stroke
    {0x0111, "d"},      // d with stroke
    {0x0126, "H"},      // H with stroke
    {0x0127, "h"},      // h with stroke
    {0x0131, "i"},      // dotless i
    {0x0141, "L"},      // L with stroke
    {0x0142, "l"},      // l with stroke
    {0x0166, "T"},      // T with stroke
    {0x0167, "t"},      // t with stroke
    {0x2010, "-"},      // hyphen
    {0x2011, "-"},      // non-breaking hyphen
    {0x2012, "\u2013"}, // figure dash: en dash
    {0x2015, "\u2014"}, // horizontal bar: em dash
    {0x201B, "'"},      // reversed single quotation mark
    {0x201F, "\""},     // reversed double quotation mark
    {0x2032, "'"},      // prime
    {0x2033, "\""},     // double prime
    {0x2044, "/"},      // fraction slash (⅓ is 1⁄3)
    {0x20AC, "EUR"},    // euro sign (a record mark)
    {0x20B4, "UAH"},    // hryvnia sign
    {0x20B9, "INR"},    // Indian rupee sign
    {0x20BA, "TRY"},    // Turkish lira sign
    {0x20BD, "RUB"},    // ruble sign
    {0x2212, "-"},      // minus sign
}};

// More characters than this are named by their count only: a box taller than the screen would
// hide its buttons.
constexpr std::size_t MostNamed = 20;

// utf8proc's normalisations: composed (NFC), compatibility composed (NFKC), and compatibility
// decomposed with the marks taken off.
constexpr auto Composed = static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_COMPOSE);
constexpr auto CompatibleComposed =
    static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_COMPOSE | UTF8PROC_COMPAT);
constexpr auto BaseLetters = static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_DECOMPOSE |
                                                            UTF8PROC_COMPAT | UTF8PROC_STRIPMARK);

bool Fits(char32_t cp, TextRule rule) {
    const auto byte = Cp1252FromCodePoint(cp);
    return byte && !(rule == TextRule::Record && IsReservedMarkByte(*byte));
}

const char* TableReplacement(char32_t cp) {
    const auto* found =
        std::lower_bound(Replacements.begin(), Replacements.end(), cp,
                         [](const auto& entry, char32_t value) { return entry.first < value; });
    return found != Replacements.end() && found->first == cp ? found->second : nullptr;
}

void AppendUtf8(std::string& out, char32_t cp) {
    utf8proc_uint8_t buffer[4];
    const auto size = utf8proc_encode_char(static_cast<utf8proc_int32_t>(cp), buffer);
    out.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(size));
}

std::u32string Decode(std::string_view utf8) {
    std::u32string out;
    const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(utf8.data());
    for (std::size_t i = 0; i < utf8.size();) {
        utf8proc_int32_t cp = 0;
        const auto used =
            utf8proc_iterate(bytes + i, static_cast<utf8proc_ssize_t>(utf8.size() - i), &cp);
        if (used <= 0) {
            out += U'\uFFFD';
            ++i;
        } else {
            out += static_cast<char32_t>(cp);
            i += static_cast<std::size_t>(used);
        }
    }
    return out;
}

std::string Encode(std::u32string_view text) {
    std::string out;
    for (char32_t cp : text)
        AppendUtf8(out, cp);
    return out;
}

// The text mapped by utf8proc (valid UTF-8 in, code points out).
std::u32string Mapped(std::u32string_view text, utf8proc_option_t options) {
    if (text.empty())
        return {};
    const std::string utf8 = Encode(text);
    utf8proc_uint8_t* result = nullptr;
    const auto size = utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(utf8.data()),
                                   static_cast<utf8proc_ssize_t>(utf8.size()), &result, options);
    if (size < 0)
        return std::u32string(text);
    std::u32string out =
        Decode(std::string_view(reinterpret_cast<char*>(result), static_cast<std::size_t>(size)));
    std::free(result);
    return out;
}

bool IsCombiningMark(char32_t cp) {
    const auto category = utf8proc_category(static_cast<utf8proc_int32_t>(cp));
    return category == UTF8PROC_CATEGORY_MN || category == UTF8PROC_CATEGORY_MC ||
           category == UTF8PROC_CATEGORY_ME;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// "a", "a and b", "a, b and c".
std::string Listed(const std::vector<std::string>& items) {
    std::string out;
    for (std::size_t k = 0; k < items.size(); ++k) {
        if (k > 0)
            out += k + 1 == items.size() ? " and " : ", ";
        out += items[k];
    }
    return out;
}

} // namespace

std::string CharacterName(char32_t cp) {
    std::string out;
    if (IsCombiningMark(cp))
        AppendUtf8(out, U'\u25CC');
    AppendUtf8(out, cp);
    char code[16];
    std::snprintf(code, sizeof code, " (U+%04X)", static_cast<unsigned>(cp));
    return out + code;
}

std::string ReplacementOf(char32_t cp, TextRule rule) {
    if (const char* text = TableReplacement(cp))
        return text;
    const std::u32string one(1, cp);
    const auto allFit = [rule](const std::u32string& text) {
        return !text.empty() &&
               std::all_of(text.begin(), text.end(), [rule](char32_t c) { return Fits(c, rule); });
    };
    // A compatibility form that the code page holds as it stands: ǆ is dž, ﬁ is fi, ℃ is °C.
    const std::u32string compatible = Mapped(one, CompatibleComposed);
    if (compatible != one && allFit(compatible))
        return Encode(compatible);
    // Otherwise the base letters with their marks taken off: ő is o, ș is s, š is s.
    std::string out;
    for (char32_t c : Mapped(one, BaseLetters)) {
        if (Fits(c, rule))
            AppendUtf8(out, c);
        else if (const char* text = TableReplacement(c))
            out += text;
        else
            return {};
    }
    // A spacing accent (˘, ˝) decomposes to a space and its mark: no replacement for an accent.
    const bool onlySpaces = out.find_first_not_of(' ') == std::string::npos;
    if (onlySpaces && utf8proc_category(static_cast<utf8proc_int32_t>(cp)) != UTF8PROC_CATEGORY_ZS)
        return {};
    return out;
}

ForeignText FindForeignCharacters(std::string_view utf8, TextRule rule) {
    ForeignText found;
    // A pasted page of another script holds thousands of distinct characters.
    std::unordered_map<char32_t, std::size_t> seen;
    for (char32_t cp : Mapped(Decode(utf8), Composed)) {
        if (Fits(cp, rule)) {
            AppendUtf8(found.Replaced, cp);
            continue;
        }
        auto [known, added] = seen.try_emplace(cp, found.Characters.size());
        if (added)
            found.Characters.push_back({cp, ReplacementOf(cp, rule)});
        found.Replaced += found.Characters[known->second].Replacement;
    }
    return found;
}

std::string ForeignTextNotice(const ForeignText& found, TextRule rule) {
    std::string names;
    const std::size_t named = std::min(found.Characters.size(), MostNamed);
    for (std::size_t k = 0; k < named; ++k)
        names += (k > 0 ? ", " : "") + CharacterName(found.Characters[k].CodePoint);
    if (found.Characters.size() > named)
        names += " and " + std::to_string(found.Characters.size() - named) + " more";

    std::string text = rule == TextRule::Record
                           ? "A guide can't store these characters: " + names + "."
                           : "The Western European character set has no place for these "
                             "characters: " +
                                 names + ".";
    std::vector<std::string> marks;
    for (const ForeignCharacter& c : found.Characters) {
        const auto byte = Cp1252FromCodePoint(c.CodePoint);
        if (byte && IsReservedMarkByte(*byte)) {
            marks.push_back(std::string());
            AppendUtf8(marks.back(), c.CodePoint);
        }
    }
    if (!marks.empty())
        text += " The guide file reserves " + Listed(marks) + " to mark the parts of a record.";
    return text;
}

MessageRequest ReplacementQuestion(const ForeignText& found, TextRule rule) {
    std::string text = ForeignTextNotice(found, rule) + "\n\nInsert the text with ";
    text += found.Characters.size() == 1 ? "this change?\n" : "these changes?\n";
    const std::size_t named = std::min(found.Characters.size(), MostNamed);
    for (std::size_t k = 0; k < named; ++k) {
        const ForeignCharacter& c = found.Characters[k];
        std::string shown;
        if (IsCombiningMark(c.CodePoint))
            AppendUtf8(shown, U'\u25CC');
        AppendUtf8(shown, c.CodePoint);
        text += c.Replacement.empty() ? "    " + shown + " is left out\n"
                                      : "    " + shown + " becomes " + Quoted(c.Replacement) + "\n";
    }
    if (found.Characters.size() > named)
        text += "    and the " + std::to_string(found.Characters.size() - named) +
                " others are replaced or left out by the same rules\n";
    text += "\n\"No\" leaves the field as it was.";
    return {"Question", text, MsgButtons::YesNo, MsgIcon::Question};
}

std::optional<std::string> OfferReplacedText(Platform& platform, const ForeignText& found,
                                             TextRule rule) {
    if (!found.Characters.empty() &&
        platform.ShowMessage(ReplacementQuestion(found, rule)) != MsgAnswer::Yes)
        return std::nullopt;
    return found.Replaced;
}

} // namespace dravenloom
