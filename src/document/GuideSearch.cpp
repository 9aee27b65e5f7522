// Finding a pattern in the dialogues and responses of a guide.
#include "document/GuideSearch.h"

#include "document/EditView.h"
#include "document/NumberText.h"

#include <algorithm>

namespace dravenloom {

TextSpan LineTextSpan(std::string_view line) {
    const auto number = line.find(NumberMark);
    if (number == std::string_view::npos)
        return {};
    const auto text = line.find(TextMark);
    if (text == std::string_view::npos || text < number)
        return {};
    return {number + 1, text};
}

std::vector<GuideMatch> FindInGuide(const RecordList& records, const TextPattern& pattern) {
    std::vector<GuideMatch> found;
    std::vector<TextMatch> matches;
    std::int32_t previous = 0;
    int response = 0;
    for (std::size_t i = 0; i < records.Lines.size(); ++i) {
        const std::string& line = records.Lines[i];
        const std::int32_t number = LineNumber(line);
        // A line is a response exactly when it repeats the number of the line before it.
        const bool isResponse = i > 0 && number == previous;
        previous = number;
        response = isResponse ? response + 1 : 0;
        if (response > ResponseSlots)
            continue;
        const TextSpan span = LineTextSpan(line);
        if (!span.Valid())
            continue;
        matches.clear();
        pattern.FindAll(std::string_view(line).substr(span.Begin, span.End - span.Begin), matches);
        for (const TextMatch& match : matches)
            found.push_back({number, isResponse ? MatchField::Response : MatchField::Dialogue,
                             response, i, match.Start, match.Length});
    }
    return found;
}

namespace {

std::string Shown(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == '\r' || c == '\n')
            c = ' ';
    return out;
}

} // namespace

MatchContext ContextOf(std::string_view text, std::size_t start, std::size_t length,
                       std::size_t width) {
    start = std::min(start, text.size());
    length = std::min(length, text.size() - start);
    MatchContext context;
    const std::size_t from = start > width ? start - width : 0;
    const std::size_t end = start + length;
    const std::size_t to = std::min(text.size(), end + width);
    context.Before = (from > 0 ? "..." : "") + Shown(text.substr(from, start - from));
    context.Match = Shown(text.substr(start, length));
    context.After = Shown(text.substr(end, to - end)) + (to < text.size() ? "..." : "");
    return context;
}

std::string FieldName(const GuideMatch& match) {
    return match.Field == MatchField::Dialogue ? std::string("dialogue")
                                               : "response " + IntToStr(match.Response);
}

} // namespace dravenloom
