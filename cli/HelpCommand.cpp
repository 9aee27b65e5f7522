// `dravenloom-cli help [COMMAND]`: lists every command with its usage, or shows one.
#include "CommandRegistry.h"

#include <ostream>

namespace dravenloom::cli {
namespace {

int RunHelp(const std::vector<std::string>& arguments, std::ostream& out, std::ostream&) {
    const ParsedArguments parsed = ParseArguments(arguments, {}, {});
    if (parsed.Operands.empty()) {
        out << OverviewText();
        return ExitOk;
    }
    const std::string& name = parsed.SingleOperand("COMMAND");
    const CliCommand* command = CommandRegistry::Global().Find(name);
    if (!command)
        throw UsageError("unknown command \"" + name + "\"");
    out << command->Usage;
    return ExitOk;
}

const CommandRegistrar Registrar({"help", "Lists the commands, or shows how to use one",
                                  "dravenloom-cli help [COMMAND]\n"
                                  "  Lists every command with its usage, or only COMMAND's.\n",
                                  RunHelp});

} // namespace
} // namespace dravenloom::cli
