// `dravenloom-cli remove GUIDE N [--output OUT]`: removes a record as the program's "Remove"
// does, with its link repair, and writes the guide.
#include "CommandRegistry.h"
#include "OpenedGuide.h"

#include "document/Errors.h"
#include "document/NumberText.h"
#include "navigation/RecordRemoval.h"

#include <ostream>

namespace dravenloom::cli {
namespace {

int RunRemove(const std::vector<std::string>& arguments, std::ostream& out, std::ostream&) {
    const ParsedArguments parsed = ParseArguments(arguments, {}, {"--output"});
    if (parsed.Operands.size() != 2)
        throw UsageError(parsed.Operands.size() < 2 ? "needs a GUIDE and a record number N"
                                                    : "takes one GUIDE and one record number N");
    const std::string& path = parsed.Operands[0];
    const std::string& numberText = parsed.Operands[1];
    const auto number = ReadNumber(numberText);
    if (!number)
        throw UsageError("N needs a record number, not \"" + numberText + "\"");
    const std::string target = parsed.Value("--output").value_or(path);
    if (target.empty())
        throw UsageError("--output needs a file name");

    OpenedGuide guide(path);
    const std::int32_t count = guide.Document.RecordCount;
    if (*number < 1 || *number > count)
        throw DravenloomError("Record " + IntToStr(*number) + " does not exist: the guide \"" +
                              path + "\" has " +
                              (count == 1 ? "only record 1" : "records 1 to " + IntToStr(count)));

    RemoveRecordLines(guide.Document.Records, *number, count);
    // As in the program, a guide keeps one record: the only one removed, the placeholder
    // record takes its place.
    if (guide.Document.Records.Empty())
        guide.Document.Records.Lines.push_back(
            BuildPrimaryLine(1, PlaceholderDialogue, "", "300", "0", false));
    guide.Document.GuideFileName = target;
    guide.Files.WriteGuideFile();

    const std::int32_t left = count > 1 ? count - 1 : 1;
    out << "Removed record " << IntToStr(*number) << "; " << target << " holds "
        << (left == 1 ? std::string("1 record") : IntToStr(left) + " records") << "\n";
    return ExitOk;
}

const CommandRegistrar Registrar(
    {"remove", "Removes a record from a guide and repairs the jumps to the records after it",
     "dravenloom-cli remove GUIDE N [--output OUT]\n"
     "  Removes record N from GUIDE as the program's \"Remove\" does, without asking: its\n"
     "  lines go, the records after it move up by one, jumps follow the records they named\n"
     "  and jumps to record N are emptied (their response texts stay). Removing the only\n"
     "  record leaves the placeholder record \"Enter primary dialogue here.\". A guide whose\n"
     "  lines are out of number order is refused (exit status 2, the file left as it was).\n"
     "  --output OUT  write the result to OUT instead of over GUIDE\n"
     "  The file is written to a temporary file first that then replaces it.\n",
     RunRemove});

} // namespace
} // namespace dravenloom::cli
