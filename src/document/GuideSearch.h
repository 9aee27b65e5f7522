// Finding a pattern in what the reader of a guide reads: the dialogues and the response texts
// (link markup included), never record numbers, picture paths or targets.
#pragma once

#include "document/RecordList.h"
#include "document/TextSearch.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dravenloom {

enum class MatchField { Dialogue, Response };

// One match in a guide. Start and Length are bytes of the field's text as the record list
// holds it (CR LF between lines).
struct GuideMatch {
    std::int32_t Record = 0;
    MatchField Field = MatchField::Dialogue;
    int Response = 0;     // 1 to 6 for a response (its slot as the Edit View shows it), else 0
    std::size_t Line = 0; // the index of its line in the record list
    std::size_t Start = 0;
    std::size_t Length = 0;

    bool operator==(const GuideMatch&) const = default;
};

// Where the text of a record line lies: from after its first NumberMark to before its first
// TextMark. Both npos for a line without them in that order.
struct TextSpan {
    std::size_t Begin = std::string_view::npos;
    std::size_t End = std::string_view::npos;
    bool Valid() const { return Begin != std::string_view::npos; }
};
TextSpan LineTextSpan(std::string_view line);

// Every match of `pattern` in the records' texts, in list order. A response line past the
// sixth of its record is not searched (the editor shows six). A line that cannot be read
// fails with a ConversionError.
std::vector<GuideMatch> FindInGuide(const RecordList& records, const TextPattern& pattern);

// A match in the words around it, for a list of matches: up to `width` bytes on either side,
// cut with "..." where the text goes on, line breaks shown as blanks. Guide bytes.
struct MatchContext {
    std::string Before;
    std::string Match;
    std::string After;
};
MatchContext ContextOf(std::string_view text, std::size_t start, std::size_t length,
                       std::size_t width = 30);

// "dialogue" or "response 2", as lists and messages name the field.
std::string FieldName(const GuideMatch& match);

} // namespace dravenloom
