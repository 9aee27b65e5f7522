// `dravenloom-cli tag GUIDE [options]`: the applet element that the "Generate HTML" page writes
// for a guide, with the appearance settings given on the command line or taken from an element
// saved earlier.
#include "CommandRegistry.h"
#include "OpenedGuide.h"
#include "TextOutput.h"

#include "document/Cp1252.h"
#include "document/Errors.h"
#include "document/GuideFile.h"
#include "publish/AppletElement.h"
#include "publish/AppletOptions.h"
#include "publish/AppletTag.h"
#include "publish/HtmlColor.h"

#include <functional>
#include <ostream>

namespace dravenloom::cli {
namespace {

// A value the command refuses: the option, the value as given and the field's rule.
class BadValue : public std::runtime_error {
public:
    BadValue(const std::string& option, const std::string& value, const std::string& rule)
        : std::runtime_error(option + " \"" + value + "\": " + rule) {}
};

// A value from the command line (UTF-8) as the code page bytes the options hold.
std::string CodePageText(const std::string& option, const std::string& utf8) {
    auto bytes = Utf8ToCp1252(utf8);
    if (!bytes)
        throw BadValue(option, utf8,
                       "it holds a character that an HTML file in code page 1252 cannot hold.");
    return std::move(*bytes);
}

// The value of `option`, checked by `valid`, given to `apply`.
void TakeValue(const ParsedArguments& parsed, const std::string& option,
               const std::function<bool(const std::string&)>& valid, const char* rule,
               const std::function<void(const std::string&)>& apply) {
    const auto value = parsed.Value(option);
    if (!value)
        return;
    const std::string bytes = CodePageText(option, *value);
    if (!valid(bytes))
        throw BadValue(option, *value, rule);
    apply(bytes);
}

void TakeSettings(const ParsedArguments& parsed, AppletOptions& options) {
    const auto oneLine = [](const std::string& v) {
        return v.find_first_of("\r\n") == std::string::npos;
    };
    const char* oneLineRule = "The value must stay on one line.";
    TakeValue(parsed, "--title", oneLine, oneLineRule,
              [&](const std::string& v) { options.TitleEdit.Text = v; });
    TakeValue(parsed, "--button", oneLine, oneLineRule,
              [&](const std::string& v) { options.ButtonEdit.Text = v; });
    TakeValue(parsed, "--image-dir", oneLine, oneLineRule,
              [&](const std::string& v) { options.ImageDir.Text = v; });
    TakeValue(parsed, "--width", IsPositiveInteger, WidthMessage,
              [&](const std::string& v) { options.WidthEdit.Text = v; });
    TakeValue(parsed, "--height", IsPositiveInteger, HeightMessage,
              [&](const std::string& v) { options.HeightEdit.Text = v; });
    TakeValue(parsed, "--text-start", IsPositiveInteger, TextStartMessage,
              [&](const std::string& v) { options.TextStart.Text = v; });
    TakeValue(parsed, "--face", IsFontFace, FaceMessage,
              [&](const std::string& v) { AppletOptions::SetComboText(options.FaceCombo, v); });
    TakeValue(parsed, "--size", IsFontSize, SizeMessage,
              [&](const std::string& v) { AppletOptions::SetComboText(options.SizeCombo, v); });
    const auto isColour = [](const std::string& v) { return ReadHtmlColor(v).has_value(); };
    const char* colourRule = "A colour is written #RRGGBB.";
    TakeValue(parsed, "--background", isColour, colourRule,
              [&](const std::string& v) { options.Color1 = *ReadHtmlColor(v); });
    TakeValue(parsed, "--text", isColour, colourRule,
              [&](const std::string& v) { options.Color2 = *ReadHtmlColor(v); });
    TakeValue(
        parsed, "--image", [](const std::string& v) { return SwatchNamed(v) != 0; },
        "The button picture is one of white.gif, red.gif, orange.gif, peach.gif, yellow.gif, "
        "green.gif, blue.gif, magenta.gif, purple.gif, brown.gif, gray.gif, black.gif.",
        [&](const std::string& v) { options.SwatchClick(SwatchNamed(v)); });
    if (parsed.Has("--bold"))
        options.CheckBold.Checked = true;
    if (parsed.Has("--italic"))
        options.CheckItalic.Checked = true;
    if (parsed.Has("--html5"))
        options.CheckHtml5.Checked = true;
}

int RunTag(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const ParsedArguments parsed = ParseArguments(
        arguments, {"--bold", "--italic", "--html5"},
        {"--title", "--button", "--width", "--height", "--text-start", "--background", "--text",
         "--face", "--size", "--image", "--image-dir", "--from", "--output"});
    const std::string& path = parsed.SingleOperand("GUIDE");
    // The element names a guide the player must be able to read: refuse what is none.
    OpenedGuide guide(path);
    AppletOptions options(guide.Host);
    if (const auto from = parsed.Value("--from")) {
        const std::string html = ReadFileBytes(*from);
        const auto params = FindAppletElement(html);
        if (!params) {
            err << ProgramName << " tag: " << FileNamePart(*from)
                << " holds no applet element for Dravenloom.class\n";
            return ExitFailure;
        }
        const auto problems = ApplyAppletParams(*params, options);
        if (!problems.empty()) {
            err << ProgramName << " tag: " << NotTakenIntro << "\n";
            for (const auto& problem : problems)
                err << "  " << problem << "\n";
            return ExitFailure;
        }
        options.CheckHtml5.Checked = LoadsWebPlayer(html);
    }
    try {
        TakeSettings(parsed, options);
    } catch (const BadValue& bad) {
        err << ProgramName << " tag: " << bad.what() << "\n";
        return ExitFailure;
    }
    const auto lines = AppletTagLines(options.Settings(), GuideNameForTag(path));
    if (const auto output = parsed.Value("--output")) {
        std::string bytes;
        for (const auto& line : lines)
            bytes += line + "\r\n";
        WriteFileAtomically(*output, bytes);
        out << "Wrote the applet element for " << FileNamePart(path) << " to "
            << FileNamePart(*output) << "\n";
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
