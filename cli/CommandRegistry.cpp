// The command registry of dravenloom-cli and its argument parser.
#include "CommandRegistry.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace dravenloom::cli {

CommandRegistry& CommandRegistry::Global() {
    static CommandRegistry registry;
    return registry;
}

void CommandRegistry::Add(CliCommand command) {
    if (command.Name.empty() || !command.Run || Entries.count(command.Name) != 0) {
        std::fprintf(stderr, "%s: command \"%s\" is registered twice or incompletely\n",
                     ProgramName, command.Name.c_str());
        std::abort();
    }
    std::string name = command.Name;
    Entries.emplace(std::move(name), std::move(command));
}

const CliCommand* CommandRegistry::Find(std::string_view name) const {
    const auto found = Entries.find(name);
    return found == Entries.end() ? nullptr : &found->second;
}

std::vector<const CliCommand*> CommandRegistry::Commands() const {
    std::vector<const CliCommand*> commands;
    for (const auto& [name, command] : Entries)
        commands.push_back(&command);
    return commands;
}

CommandRegistrar::CommandRegistrar(CliCommand command) {
    CommandRegistry::Global().Add(std::move(command));
}

std::optional<std::string> ParsedArguments::Value(const std::string& option) const {
    const auto found = Values.find(option);
    if (found == Values.end())
        return std::nullopt;
    return found->second;
}

const std::string& ParsedArguments::SingleOperand(const std::string& what) const {
    if (Operands.empty())
        throw UsageError("missing " + what);
    if (Operands.size() > 1)
        throw UsageError("unexpected argument \"" + Operands[1] + "\"");
    return Operands.front();
}

ParsedArguments ParseArguments(const std::vector<std::string>& arguments,
                               std::initializer_list<std::string_view> flags,
                               std::initializer_list<std::string_view> valued) {
    return ParseArguments(arguments, std::vector<std::string_view>(flags),
                          std::vector<std::string_view>(valued));
}

ParsedArguments ParseArguments(const std::vector<std::string>& arguments,
                               const std::vector<std::string_view>& flags,
                               const std::vector<std::string_view>& valued) {
    const auto listed = [](const std::vector<std::string_view>& names, std::string_view word) {
        return std::find(names.begin(), names.end(), word) != names.end();
    };
    ParsedArguments parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            parsed.Operands.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        const auto equals = word.find('=');
        const std::string name = word.substr(0, equals);
        if (listed(valued, name)) {
            if (equals != std::string::npos) {
                parsed.Values[name] = word.substr(equals + 1);
            } else if (i + 1 < arguments.size()) {
                parsed.Values[name] = arguments[++i];
            } else {
                throw UsageError("option " + name + " needs a value");
            }
        } else if (equals == std::string::npos && listed(flags, word)) {
            parsed.Flags.insert(word);
        } else {
            throw UsageError("unknown option \"" + word + "\"");
        }
    }
    return parsed;
}

std::string OverviewText() {
    const auto commands = CommandRegistry::Global().Commands();
    std::size_t width = 0;
    for (const auto* command : commands)
        width = std::max(width, command->Name.size());
    std::string text = std::string("Usage: ") + ProgramName + " COMMAND [ARGUMENTS]\n\n";
    text += "Commands:\n";
    for (const auto* command : commands)
        text += "  " + command->Name + std::string(width - command->Name.size() + 2, ' ') +
                command->Summary + "\n";
    for (const auto* command : commands)
        text += "\n" + command->Usage;
    text += std::string("\nRun \"") + ProgramName + " COMMAND --help\" for one command.\n";
    return text;
}

} // namespace dravenloom::cli
