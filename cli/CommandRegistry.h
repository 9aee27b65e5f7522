// The command registry of dravenloom-cli: every command registers itself from its own file.
//
// Adding a command (say `tree`) takes one new file, cli/TreeCommand.cpp, and nothing else:
//
//   #include "CommandRegistry.h"
//
//   namespace dravenloom::cli {
//   namespace {
//
//   int RunTree(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
//       const ParsedArguments parsed = ParseArguments(arguments, {"--json"}, {"--depth"});
//       const std::string& guide = parsed.SingleOperand("GUIDE");
//       ...
//       return ExitOk;
//   }
//
//   const CommandRegistrar Registrar({
//       "tree",
//       "Prints the records of a guide as a tree of responses and jumps",
//       "dravenloom-cli tree GUIDE [--depth N] [--json]\n"
//       "  --depth N  ...\n",
//       RunTree});
//
//   } // namespace
//   } // namespace dravenloom::cli
//
// cli/CMakeLists.txt compiles every cli/*.cpp but main.cpp into an object library whose every
// file the executable links, so the static registrar runs before main() and the dispatcher,
// `help` and `--help` know the command at once. (Keep the commands out of a static library: the
// linker would drop a file that nothing references, and its registrar with it.)
//
// Conventions every command keeps:
//   - `arguments` are the words after the command name, UTF-8 (paths included); `--help` and
//     `-h` never reach a command: the dispatcher prints its usage text instead.
//   - Results go to `out`, complaints to `err`; the return value is the exit status: ExitOk,
//     ExitFindings for a command that reports problems it found, ExitFailure otherwise.
//   - A bad command line is a UsageError (the dispatcher prints the message and the command's
//     usage on stderr, exit 2). A DravenloomError (a file that cannot be read or is no guide)
//     is printed on stderr with exit 2. Commands need not catch either.
//   - Write longer output through BufferedOutput (TextOutput.h): when standard output refuses a
//     write (a full disk, a reader that went away) it stops the command with an OutputError,
//     and main reports the reason with exit status 2.
//   - To read a guide, use OpenedGuide (OpenedGuide.h): it opens the file exactly as the
//     desktop program's Open does.
#pragma once

#include <functional>
#include <initializer_list>
#include <iosfwd>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace dravenloom::cli {

inline constexpr int ExitOk = 0;
inline constexpr int ExitFindings = 1; // the command ran and found problems (check)
inline constexpr int ExitFailure = 2;  // bad command line, unreadable file, not a guide

inline constexpr const char* ProgramName = "dravenloom-cli";

using CommandFunction = std::function<int(const std::vector<std::string>& arguments,
                                          std::ostream& out, std::ostream& err)>;

struct CliCommand {
    std::string Name;    // the word on the command line
    std::string Summary; // one line, no full stop, for the command list
    std::string Usage;   // "dravenloom-cli NAME ..." then option lines, each ending in \n
    CommandFunction Run;
};

class CommandRegistry {
public:
    // The registry every registrar adds to (created on first use, so registration order
    // between files does not matter).
    static CommandRegistry& Global();

    // Two commands of one name are a programming error: the program stops at start-up.
    void Add(CliCommand command);
    const CliCommand* Find(std::string_view name) const;
    // Every command, sorted by name.
    std::vector<const CliCommand*> Commands() const;

private:
    std::map<std::string, CliCommand, std::less<>> Entries;
};

// Registers a command when the program starts; define one as a static in each command file.
class CommandRegistrar {
public:
    explicit CommandRegistrar(CliCommand command);
};

// A command line the command cannot make sense of.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The words of a command line sorted into options and operands.
struct ParsedArguments {
    std::vector<std::string> Operands;
    std::set<std::string> Flags;               // options given without a value
    std::map<std::string, std::string> Values; // options with a value (last one wins)

    bool Has(const std::string& flag) const { return Flags.count(flag) != 0; }
    std::optional<std::string> Value(const std::string& option) const;
    // The one operand the command takes; a UsageError naming `what` when there is none or
    // more than one.
    const std::string& SingleOperand(const std::string& what) const;
};

// Sorts `arguments` into `flags` (options without value), `valued` options ("--record 3" or
// "--record=3") and operands. "--" ends the options; "-" alone is an operand. Any other word
// starting with "-" that is not listed is a UsageError.
ParsedArguments ParseArguments(const std::vector<std::string>& arguments,
                               std::initializer_list<std::string_view> flags,
                               std::initializer_list<std::string_view> valued);
// The same with lists built at run time (options shared between commands, and their own).
ParsedArguments ParseArguments(const std::vector<std::string>& arguments,
                               const std::vector<std::string_view>& flags,
                               const std::vector<std::string_view>& valued);

// The list of commands with their usage texts, as `help` and `--help` print it.
std::string OverviewText();

} // namespace dravenloom::cli
