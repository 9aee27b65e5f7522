// `dravenloom-cli replace GUIDE PATTERN REPLACEMENT [...] [--output OUT]`: replaces every match
// in the dialogues and responses as "Replace All" does, and writes the guide.
#include "CommandRegistry.h"
#include "OpenedGuide.h"
#include "SearchArguments.h"

#include "document/Errors.h"
#include "document/GuideReplace.h"
#include "document/NumberText.h"

#include <ostream>

namespace dravenloom::cli {
namespace {

std::string Count(std::size_t n, const char* one, const char* many) {
    return IntToStr(static_cast<std::int64_t>(n)) + " " + (n == 1 ? one : many);
}

int RunReplace(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const ParsedArguments parsed = ParseArguments(arguments, SearchFlags, {"--output"});
    if (parsed.Operands.size() != 3)
        throw UsageError(parsed.Operands.size() < 3
                             ? "needs a GUIDE, a PATTERN and a REPLACEMENT"
                             : "takes one GUIDE, one PATTERN and one REPLACEMENT");
    const std::string& path = parsed.Operands[0];
    const std::string target = parsed.Value("--output").value_or(path);
    if (target.empty())
        throw UsageError("--output needs a file name");
    const TextPattern pattern(parsed.Operands[1], SearchOptionsOf(parsed));

    OpenedGuide guide(path);
    RecordList& records = guide.Document.Records;
    const std::vector<GuideMatch> matches = FindInGuide(records, pattern);
    if (matches.empty()) {
        out << "No matches; nothing was written\n";
        return ExitFindings;
    }
    ReplacePlan plan = PlanReplacements(records, pattern, matches, parsed.Operands[2]);
    if (!plan.Refusal.empty()) {
        err << ProgramName << ": " << plan.Refusal << "\n";
        return ExitFailure;
    }
    ApplyLineEdits(records, plan.Edits);
    // The record the editor shows is stored again by the save: it must show the new text.
    guide.Editor.LoadRecord();
    guide.Document.GuideFileName = target;
    guide.Files.Save1Click();
    out << "Replaced " << Count(plan.Replacements, "match", "matches") << " in "
        << Count(plan.Records, "record", "records") << "; " << target << " written\n";
    return ExitOk;
}

const CommandRegistrar Registrar(
    {"replace", "Replaces a text or a regular expression in the dialogues and responses",
     std::string(
         "dravenloom-cli replace GUIDE PATTERN REPLACEMENT [--regex] [--ignore-case]\n"
         "                           [--whole-word] [--output OUT]\n"
         "  Replaces every match of PATTERN in the dialogues and response texts, as\n"
         "  \"Replace All\" does, and writes the guide. With --regex, REPLACEMENT may name\n"
         "  the expression's groups: $1, ${name}, $$ for a dollar sign.\n") +
         SearchFlagsUsage +
         "  --output OUT   write the result to OUT instead of over GUIDE\n"
         "  Nothing is written when a replacement would put a character into a record that a\n"
         "  guide can't hold (the file's mark characters such as the euro sign, or one outside\n"
         "  the Western European character set), leave a response or a dialogue without\n"
         "  picture empty, or leave a CR or LF alone: the message names why (exit status 2).\n"
         "  The file is written to a temporary file first that then replaces it.\n"
         "  Exit status: 0 replaced, 1 nothing matched (nothing written), 2 otherwise.\n",
     RunReplace});

} // namespace
} // namespace dravenloom::cli
