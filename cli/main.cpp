// dravenloom-cli: finds the command named on the command line and runs it.
#include "CommandRegistry.h"
#include "StandardOutput.h"
#include "TextOutput.h"

#include "document/Errors.h"

#include <csignal>
#include <cstring>
#include <exception>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace dravenloom::cli {
namespace {

bool AsksForHelp(const std::vector<std::string>& arguments) {
    for (const auto& word : arguments) {
        if (word == "--")
            return false;
        if (word == "--help" || word == "-h")
            return true;
    }
    return false;
}

// A message that may quote a path or a value from the command line, made fit for the
// terminal line by line.
std::string ForTerminal(std::string_view message) {
    std::string out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = message.find('\n', start);
        out += TerminalText(message.substr(start, end - start));
        if (end == std::string_view::npos)
            return out;
        out += '\n';
        start = end + 1;
    }
}

int Dispatch(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    if (words.empty()) {
        err << OverviewText();
        return ExitFailure;
    }
    std::string name = words.front();
    if (name == "--help" || name == "-h")
        name = "help";
    const CliCommand* command = CommandRegistry::Global().Find(name);
    if (!command) {
        err << ProgramName << ": unknown command \"" << TerminalText(name) << "\"\n\n"
            << OverviewText();
        return ExitFailure;
    }
    const std::vector<std::string> arguments(words.begin() + 1, words.end());
    if (AsksForHelp(arguments)) {
        out << command->Usage;
        return ExitOk;
    }
    try {
        return command->Run(arguments, out, err);
    } catch (const OutputError&) {
        // Standard output failed; main says why.
        return ExitFailure;
    } catch (const UsageError& error) {
        out.flush();
        err << ProgramName << ' ' << command->Name << ": " << ForTerminal(error.what()) << "\n\n"
            << "Usage: " << command->Usage;
    } catch (const DravenloomError& error) {
        out.flush();
        err << ProgramName << ": " << ForTerminal(ErrorReportText(error.what())) << '\n';
    } catch (const std::exception& error) {
        out.flush();
        err << ProgramName << ": " << ForTerminal(error.what()) << '\n';
    }
    return ExitFailure;
}

} // namespace
} // namespace dravenloom::cli

int main(int argc, char** argv) {
    using namespace dravenloom::cli;
#ifdef SIGPIPE
    // A reader that went away is a failed write to report, not a silent death.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> words(argv + (argc > 0 ? 1 : 0), argv + argc);
    DescriptorOutput standardOutput(1);
    std::ostream out(&standardOutput);
    const int status = Dispatch(words, out, std::cerr);
    out.flush();
    if (!out || standardOutput.Error() != 0) {
        const int error = standardOutput.Error();
        std::cerr << ProgramName << ": can't write to standard output"
                  << (error != 0 ? std::string(": ") + std::strerror(error) : std::string())
                  << '\n';
        return ExitFailure;
    }
    return status;
}
