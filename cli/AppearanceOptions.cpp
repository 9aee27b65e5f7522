// The appearance options shared by `tag` and `render`.
#include "AppearanceOptions.h"
#include "TextOutput.h"

#include "document/Cp1252.h"
#include "document/GuideFile.h"
#include "publish/AppletElement.h"
#include "publish/AppletOptions.h"
#include "publish/HtmlColor.h"

#include <functional>
#include <ostream>
#include <stdexcept>

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
}

} // namespace

std::vector<std::string_view> AppearanceFlags(std::initializer_list<std::string_view> own) {
    std::vector<std::string_view> names{"--bold", "--italic"};
    names.insert(names.end(), own.begin(), own.end());
    return names;
}

std::vector<std::string_view> AppearanceValues(std::initializer_list<std::string_view> own) {
    std::vector<std::string_view> names{"--title",      "--button",     "--width",     "--height",
                                        "--text-start", "--background", "--text",      "--face",
                                        "--size",       "--image",      "--image-dir", "--from"};
    names.insert(names.end(), own.begin(), own.end());
    return names;
}

bool TakeAppearance(const ParsedArguments& parsed, AppletOptions& options,
                    const std::string& command, std::ostream& err) {
    if (const auto from = parsed.Value("--from")) {
        const std::string html = ReadElementPage(*from);
        const auto element = FindAppletElement(html);
        if (!element) {
            err << ProgramName << " " << command << ": " << TerminalText(FileNamePart(*from))
                << " holds no applet element for Dravenloom.class\n";
            return false;
        }
        const auto problems = ApplyAppletElement(*element, options);
        if (!problems.empty()) {
            err << ProgramName << " " << command << ": " << NotTakenIntro << "\n";
            for (const auto& problem : problems)
                err << "  " << TerminalText(problem) << "\n";
            return false;
        }
        // A page that loads the player for browsers without Java ticks that box, as "Load From
        // File" does.
        options.CheckHtml5.Checked = LoadsWebPlayer(html);
    }
    try {
        TakeSettings(parsed, options);
    } catch (const BadValue& bad) {
        err << ProgramName << " " << command << ": " << TerminalText(bad.what()) << "\n";
        return false;
    }
    return true;
}

} // namespace dravenloom::cli
