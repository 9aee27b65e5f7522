// `dravenloom-cli remove GUIDE N [--output OUT]`: removes a record as the program's "Remove"
// does, with its link repair, and writes the guide.
#include "CommandRegistry.h"
#include "OpenedGuide.h"

#include "document/Errors.h"
#include "document/NumberText.h"
#include "navigation/LogicTree.h"
#include "navigation/RecordRemoval.h"

#include <ostream>

namespace dravenloom::cli {
namespace {

// The author who asked for the removal: the question whether to remove is answered OK.
class ConfirmingPlatform : public SilentPlatform {
public:
    MsgAnswer ShowMessage(const MessageRequest& request) override {
        return request.Buttons == MsgButtons::OkCancel ? MsgAnswer::Ok
                                                       : SilentPlatform::ShowMessage(request);
    }
};

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

    // The program's own Remove, over the same editor: the record shown as the last step of a
    // walk shows it (nothing was edited, so nothing is stored on the way), the question
    // answered OK, then Save.
    ConfirmingPlatform confirming;
    LogicTree tree(guide.Document, guide.Host);
    RecordRemoval removal(guide.Document, guide.View, guide.Editor, guide.Nav, tree, confirming,
                          [] { return false; });
    guide.Document.CurrentRecord = *number;
    guide.Editor.LoadRecord();
    removal.RemoveCurrentRecord();
    if (!removal.RemovalDone)
        throw DravenloomError("Record " + IntToStr(*number) + " was not removed");
    guide.Document.GuideFileName = target;
    guide.Files.Save1Click();

    const std::int32_t left = guide.Document.RecordCount;
    out << "Removed record " << IntToStr(*number) << "; " << target << " holds "
        << (left == 1 ? std::string("1 record") : IntToStr(left) + " records") << "\n";
    return ExitOk;
}

const CommandRegistrar Registrar(
    {"remove", "Removes a record from a guide and repairs the jumps to the records after it",
     "dravenloom-cli remove GUIDE N [--output OUT]\n"
     "  Removes record N from GUIDE as the program's \"Remove\" does, without asking: its\n"
     "  lines go, the records after it move up by one, jumps follow the records they named\n"
     "  and jumps to record N are emptied (their response texts stay). The record the\n"
     "  program shows afterwards (the one before N, or the new record 1) is stored as the\n"
     "  program stores it, with the dialogue \"Enter primary dialogue here.\" when its own is\n"
     "  empty; so removing the only record leaves that placeholder record. A guide whose\n"
     "  lines are out of number order is refused (exit status 2, the file left as it was).\n"
     "  --output OUT  write the result to OUT instead of over GUIDE\n"
     "  The file is written to a temporary file first that then replaces it.\n",
     RunRemove});

} // namespace
} // namespace dravenloom::cli
