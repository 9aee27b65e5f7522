// `dravenloom-cli find GUIDE PATTERN [--regex] [--ignore-case] [--whole-word] [--json]`: every
// match in the dialogues and responses of a guide, as "Find..." lists them.
#include "CommandRegistry.h"
#include "OpenedGuide.h"
#include "SearchArguments.h"
#include "TextOutput.h"

#include "document/Cp1252.h"
#include "document/NumberText.h"

#include <ostream>

namespace dravenloom::cli {
namespace {

// Guide bytes as one line for the terminal (no line breaks are left in a context).
std::string Terminal(std::string_view bytes) {
    std::string line;
    for (const std::string& part : TerminalLines(bytes))
        line += part;
    return line;
}

int RunFind(const std::vector<std::string>& arguments, std::ostream& out, std::ostream&) {
    std::vector<std::string_view> flags = SearchFlags;
    flags.push_back("--json");
    const ParsedArguments parsed = ParseArguments(arguments, flags, {});
    if (parsed.Operands.size() != 2)
        throw UsageError(parsed.Operands.size() < 2 ? "needs a GUIDE and a PATTERN"
                                                    : "takes one GUIDE and one PATTERN");
    const TextPattern pattern(parsed.Operands[1], SearchOptionsOf(parsed));
    const OpenedGuide guide(parsed.Operands[0]);
    const RecordList& records = guide.Document.Records;
    const std::vector<GuideMatch> matches = FindInGuide(records, pattern);

    const bool json = parsed.Has("--json");
    BufferedOutput output(out);
    if (json)
        output << "[";
    bool first = true;
    for (const GuideMatch& match : matches) {
        const std::string& line = records.Lines[match.Line];
        const TextSpan span = LineTextSpan(line);
        const std::string_view text =
            std::string_view(line).substr(span.Begin, span.End - span.Begin);
        const MatchContext context = ContextOf(text, match.Start, match.Length);
        if (json) {
            output << (first ? "" : ",") << "\n  {\"record\": " << IntToStr(match.Record)
                   << ", \"field\": "
                   << (match.Field == MatchField::Dialogue ? "\"dialogue\"" : "\"response\"");
            if (match.Field == MatchField::Response)
                output << ", \"response\": " << IntToStr(match.Response);
            output << ", \"offset\": " << IntToStr(static_cast<std::int64_t>(match.Start))
                   << ", \"match\": "
                   << JsonString(Cp1252ToUtf8(text.substr(match.Start, match.Length)))
                   << ", \"text\": "
                   << JsonString(Cp1252ToUtf8(context.Before + context.Match + context.After))
                   << "}";
        } else {
            output << "Record " << IntToStr(match.Record) << ", " << FieldName(match) << ": "
                   << Terminal(context.Before) << "\xC2\xAB" << Terminal(context.Match)
                   << "\xC2\xBB" << Terminal(context.After) << "\n";
        }
        first = false;
    }
    if (json)
        output << (matches.empty() ? "]\n" : "\n]\n");
    return matches.empty() ? ExitFindings : ExitOk;
}

const CommandRegistrar Registrar(
    {"find", "Finds a text or a regular expression in the dialogues and responses of a guide",
     std::string("dravenloom-cli find GUIDE PATTERN [--regex] [--ignore-case] [--whole-word] "
                 "[--json]\n"
                 "  Lists every match of PATTERN in what the reader reads: the dialogues and the\n"
                 "  response texts (link markup included), never record numbers, picture paths\n"
                 "  or targets. One line a match: the record, the field and the text around the\n"
                 "  match, the match between \xC2\xAB and \xC2\xBB. Capitals count unless "
                 "--ignore-case.\n") +
         SearchFlagsUsage +
         "  --json         print a JSON array instead, one object a match: \"record\", \"field\"\n"
         "                 (\"dialogue\" or \"response\"), \"response\" (1 to 6, for a "
         "response),\n"
         "                 \"offset\" (characters into the field, a line break counting two),\n"
         "                 \"match\" and \"text\" (the match with the text around it)\n"
         "  Exit status: 0 something matched, 1 nothing did, 2 the guide can't be read or\n"
         "  the expression is not valid (the message says where it breaks).\n",
     RunFind});

} // namespace
} // namespace dravenloom::cli
