// `dravenloom-cli tag GUIDE [options]`: the applet element that the "Generate HTML" page writes
// for a guide, with the appearance settings given on the command line or taken from an element
// saved earlier.
#include "AppearanceOptions.h"
#include "CommandRegistry.h"
#include "OpenedGuide.h"
#include "TextOutput.h"

#include "document/Errors.h"
#include "document/GuideFile.h"
#include "publish/AppletOptions.h"
#include "publish/AppletTag.h"

#include <ostream>

namespace dravenloom::cli {
namespace {

int RunTag(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const ParsedArguments parsed =
        ParseArguments(arguments, AppearanceFlags({"--html5"}), AppearanceValues({"--output"}));
    const std::string& path = parsed.SingleOperand("GUIDE");
    // The element names a guide the player must be able to read: refuse what is none.
    OpenedGuide guide(path);
    AppletOptions options(guide.Host);
    if (!TakeAppearance(parsed, options, "tag", err))
        return ExitFailure;
    if (parsed.Has("--html5"))
        options.CheckHtml5.Checked = true;
    const auto lines = AppletTagLines(options.Settings(), GuideNameForTag(path));
    if (const auto output = parsed.Value("--output")) {
        std::string bytes;
        for (const auto& line : lines)
            bytes += line + "\r\n";
        WriteFileAtomically(*output, bytes);
        out << "Wrote the applet element for " << TerminalText(FileNamePart(path)) << " to "
            << TerminalText(FileNamePart(*output)) << "\n";
        return ExitOk;
    }
    BufferedOutput buffered(out);
    for (const auto& line : lines)
        buffered << TerminalLines(line).front() << "\n"; // no escape sequences reach the terminal
    return ExitOk;
}

const CommandRegistrar Registrar(
    {"tag", "Prints the applet element that publishes a guide, as \"Generate HTML\" writes it",
     "dravenloom-cli tag GUIDE [--title T] [--button B] [--width W] [--height H]\n"
     "                         [--text-start N] [--background #RRGGBB] [--text #RRGGBB]\n"
     "                         [--face F] [--size S] [--bold] [--italic] [--image NAME]\n"
     "                         [--image-dir D] [--html5] [--from FILE.html]\n"
     "                         [--output FILE.html]\n"
     "  Prints the sixteen lines of the APPLET element for GUIDE (a .dvx file) with the\n"
     "  appearance settings of the \"Generate HTML\" page: their defaults, then those of the\n"
     "  first element in FILE.html (--from), then those given here. Each value is checked\n"
     "  as its field checks it; a bad one is refused with the field's message (exit 2).\n"
     "  FILE.html may be at most 16 MB. A control character in a value is written as a\n"
     "  blank: the element never carries one.\n"
     "  --face is Arial, Courier or Times New Roman; --size 10 to 18; --image one of the\n"
     "  twelve button pictures (gray.gif by default).\n"
     "  --html5  adds a seventeenth line that loads dravenloom.js, the player for browsers\n"
     "           without Java (\"Also play in browsers without Java\"); a FILE.html\n"
     "           that loads dravenloom.js ticks it as well\n"
     "  --output FILE.html  writes the lines there instead, each ended by CR LF, in code\n"
     "                      page 1252, through a temporary file\n",
     RunTag});

} // namespace
} // namespace dravenloom::cli
