// `dravenloom-cli stats GUIDE [--json]`: the figures of a guide as "Statistics" shows them.
#include "CommandRegistry.h"
#include "OpenedGuide.h"
#include "TextOutput.h"

#include "document/NumberText.h"
#include "shell/GuideStatistics.h"

#include <ostream>

namespace dravenloom::cli {
namespace {

std::string Number(std::size_t n) {
    return IntToStr(static_cast<std::int64_t>(n));
}

std::string JsonList(const std::vector<std::int32_t>& numbers) {
    std::string list = "[";
    for (std::size_t i = 0; i < numbers.size(); ++i)
        list += (i ? ", " : "") + IntToStr(numbers[i]);
    return list + "]";
}

// "none", or the numbers joined by commas.
std::string TextList(const std::vector<std::int32_t>& numbers) {
    if (numbers.empty())
        return "none";
    std::string list;
    for (std::size_t i = 0; i < numbers.size(); ++i)
        list += (i ? ", " : "") + IntToStr(numbers[i]);
    return list;
}

int RunStats(const std::vector<std::string>& arguments, std::ostream& out, std::ostream&) {
    const ParsedArguments parsed = ParseArguments(arguments, {"--json"}, {});
    const OpenedGuide guide(parsed.SingleOperand("GUIDE"));
    const GuideStatistics stats =
        ComputeStatistics(guide.Document.Records, guide.Document.RecordCount);
    BufferedOutput output(out);
    if (parsed.Has("--json")) {
        output << "{\"records\": " << IntToStr(stats.Records)
               << ", \"responses\": " << Number(stats.Responses)
               << ", \"words\": " << Number(stats.Words) << ", \"jumps\": " << Number(stats.Jumps)
               << ", \"webLinks\": " << Number(stats.WebLinks)
               << ", \"pictures\": " << Number(stats.Pictures)
               << ", \"unreachable\": " << JsonList(stats.Unreachable)
               << ", \"endings\": " << JsonList(stats.Endings)
               << ", \"depth\": " << IntToStr(stats.Depth)
               << ", \"dangling\": " << JsonList(stats.Dangling) << "}\n";
        return ExitOk;
    }
    output << "Records:      " << IntToStr(stats.Records) << "\n"
           << "Responses:    " << Number(stats.Responses) << "\n"
           << "Words:        " << Number(stats.Words) << "\n"
           << "Jumps:        " << Number(stats.Jumps) << "\n"
           << "Web links:    " << Number(stats.WebLinks) << "\n"
           << "Pictures:     " << Number(stats.Pictures) << "\n"
           << "Depth:        " << IntToStr(stats.Depth) << "\n"
           << "Endings:      " << TextList(stats.Endings) << "\n"
           << "Unreachable:  " << TextList(stats.Unreachable) << "\n"
           << "Dangling:     " << TextList(stats.Dangling) << "\n";
    return ExitOk;
}

const CommandRegistrar Registrar(
    {"stats", "Prints the figures of a guide: records, responses, words, links, walks",
     "dravenloom-cli stats GUIDE [--json]\n"
     "  Counts the records, the responses, the words of the dialogues and responses, the\n"
     "  responses that jump to a record, the web links and the pictures, and walks the\n"
     "  guide from record 1: the records no walk reaches, the endings (records a walk\n"
     "  reaches that have no response), the depth (the most clicks the shortest walk needs\n"
     "  to reach a record) and the records whose responses jump to a record that does not\n"
     "  exist.\n"
     "  --json  print one JSON object: records, responses, words, jumps, webLinks, pictures,\n"
     "          unreachable, endings, depth, dangling (the lists ascending record numbers)\n",
     RunStats});

} // namespace
} // namespace dravenloom::cli
