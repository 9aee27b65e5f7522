// Reading an applet element back into the options.
#include "publish/AppletElement.h"

#include "document/Cp1252.h"
#include "document/GuideFile.h"
#include "document/VisibleText.h"
#include "publish/AppletTag.h"
#include "publish/HtmlColor.h"

#include <cctype>
#include <string>

namespace dravenloom {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

char LowerChar(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Whether `text` is `lower` (a lower-case name) in any case.
bool NamedAs(std::string_view text, std::string_view lower) {
    if (text.size() != lower.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (LowerChar(text[i]) != lower[i])
            return false;
    return true;
}

std::string ReadBackValue(std::string_view value) {
    std::string text;
    constexpr std::string_view quote = "&quot;";
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value.compare(i, quote.size(), quote) == 0) {
            text += '"';
            i += quote.size() - 1;
        } else {
            text += value[i];
        }
    }
    return text;
}

// The attributes a reader looks at; every other attribute is passed over without a copy, so
// that a tag of a million attributes costs no more memory than one of four.
enum Wanted { WantCode, WantName, WantValue, WantSource, WantedCount };
constexpr std::string_view WantedNames[WantedCount] = {"code", "name", "value", "src"};

// One tag: its name as written ("applet", "/APPLET", "param") and the first value of each
// wanted attribute, still as written in the text.
struct Tag {
    std::string_view Name;
    std::optional<std::string_view> Attributes[WantedCount];

    bool Is(std::string_view lower) const { return NamedAs(Name, lower); }
    const std::optional<std::string_view>& operator[](Wanted which) const {
        return Attributes[which];
    }
};

// Reads the tag that starts at html[at] == '<'; `at` ends past its '>'. Comments are skipped
// whole and give a tag without name.
Tag ReadTag(std::string_view html, std::size_t& at) {
    Tag tag;
    if (html.compare(at, 4, "<!--") == 0) {
        const auto end = html.find("-->", at + 4);
        at = end == std::string_view::npos ? html.size() : end + 3;
        return tag;
    }
    std::size_t i = at + 1;
    const std::size_t nameStart = i;
    while (i < html.size() && !IsBlank(html[i]) && html[i] != '>')
        ++i;
    tag.Name = html.substr(nameStart, i - nameStart);
    while (i < html.size() && html[i] != '>') {
        if (IsBlank(html[i]) || html[i] == '/') {
            ++i;
            continue;
        }
        const std::size_t keyStart = i;
        while (i < html.size() && !IsBlank(html[i]) && html[i] != '=' && html[i] != '>')
            ++i;
        const std::string_view key = html.substr(keyStart, i - keyStart);
        while (i < html.size() && IsBlank(html[i]))
            ++i;
        std::string_view value;
        if (i < html.size() && html[i] == '=') {
            ++i;
            while (i < html.size() && IsBlank(html[i]))
                ++i;
            if (i < html.size() && (html[i] == '"' || html[i] == '\'')) {
                const char quote = html[i++];
                const auto end = html.find(quote, i);
                const std::size_t stop = end == std::string_view::npos ? html.size() : end;
                value = html.substr(i, stop - i);
                i = stop == html.size() ? stop : stop + 1;
            } else {
                const std::size_t valueStart = i;
                while (i < html.size() && !IsBlank(html[i]) && html[i] != '>')
                    ++i;
                value = html.substr(valueStart, i - valueStart);
            }
        }
        for (int which = 0; which < WantedCount; ++which)
            if (!tag.Attributes[which] && NamedAs(key, WantedNames[which]))
                tag.Attributes[which] = value;
    }
    at = i < html.size() ? i + 1 : i;
    return tag;
}

// The PARAM names that stand for a setting (and the guide's file name), as generation writes
// them.
constexpr std::string_view SettingNames[] = {
    "frameWidth", "frameHeight", "filename", "title",     "button", "background", "text",
    "face",       "style",       "size",     "textStart", "image",  "imageDir"};

bool NamesASetting(std::string_view name) {
    for (const std::string_view setting : SettingNames)
        if (name == setting)
            return true;
    return false;
}

std::string Shown(const std::string& bytes) {
    return QuotedForAuthor(bytes);
}

} // namespace

std::optional<AppletElement> FindAppletElement(std::string_view html) {
    std::size_t at = 0;
    bool inside = false;
    AppletElement element;
    std::size_t others = 0;
    while ((at = html.find('<', at)) != std::string_view::npos) {
        const Tag tag = ReadTag(html, at);
        if (!inside) {
            inside = tag.Is("applet") && tag[WantCode] &&
                     ReadBackValue(*tag[WantCode]) == "Dravenloom.class";
            continue;
        }
        if (tag.Is("/applet"))
            return element;
        if (!tag.Is("param") || !tag[WantName])
            continue;
        std::string name = ReadBackValue(*tag[WantName]);
        if (!NamesASetting(name) && others++ >= MaxListedParams) {
            ++element.OthersLeftOut;
            continue;
        }
        element.Params.emplace_back(std::move(name), tag[WantValue] ? ReadBackValue(*tag[WantValue])
                                                                    : std::string());
    }
    // An element the file ends inside still counts: its parameters are all there is.
    if (inside)
        return element;
    return std::nullopt;
}

bool LoadsWebPlayer(std::string_view html) {
    std::size_t at = 0;
    while ((at = html.find('<', at)) != std::string_view::npos) {
        const Tag tag = ReadTag(html, at);
        if (!tag.Is("script") || !tag[WantSource])
            continue;
        std::string_view file = *tag[WantSource];
        file = file.substr(0, file.find_first_of("?#"));
        if (const auto slash = file.find_last_of("/\\"); slash != std::string_view::npos)
            file = file.substr(slash + 1);
        if (NamedAs(file, WebPlayerFile))
            return true;
    }
    return false;
}

std::vector<std::string> ApplyAppletParams(const AppletParams& params, AppletOptions& options,
                                           std::size_t othersLeftOut) {
    std::vector<std::string> problems;
    std::size_t unlisted = othersLeftOut;
    // A screenful is listed; past that the lines are only counted (and not even made), so
    // that a page of a million bad values fills neither the memory nor a message.
    auto listed = [&] {
        if (problems.size() < MaxListedParams)
            return true;
        ++unlisted;
        return false;
    };
    auto refuse = [&](const std::string& name, const std::string& value, const char* rule) {
        if (listed())
            problems.push_back(Cp1252ToUtf8(name) + ": " + Shown(value) + " (" + rule + ")");
    };
    for (const auto& [name, value] : params) {
        if (name == "frameWidth" || name == "frameHeight" || name == "textStart") {
            TextField& field = name == "frameWidth"    ? options.WidthEdit
                               : name == "frameHeight" ? options.HeightEdit
                                                       : options.TextStart;
            const char* message = name == "frameWidth"    ? WidthMessage
                                  : name == "frameHeight" ? HeightMessage
                                                          : TextStartMessage;
            if (IsPositiveInteger(value))
                field.Text = value;
            else
                refuse(name, value, message);
        } else if (name == "title" || name == "button" || name == "imageDir") {
            // The fields hold one line; a value that spans lines in the file would break the
            // element it is written into.
            if (value.find_first_of("\r\n") != std::string::npos)
                refuse(name, value, "The value must stay on one line.");
            else
                (name == "title"    ? options.TitleEdit
                 : name == "button" ? options.ButtonEdit
                                    : options.ImageDir)
                    .Text = value;
        } else if (name == "filename") {
            // The guide's own name: generation writes the open guide's name, whatever it was.
        } else if (name == "background" || name == "text") {
            if (const auto colour = ReadHtmlColor(value))
                (name == "background" ? options.Color1 : options.Color2) = *colour;
            else
                refuse(name, value, "A colour is written #RRGGBB.");
        } else if (name == "face") {
            if (IsFontFace(value))
                AppletOptions::SetComboText(options.FaceCombo, value);
            else
                refuse(name, value, FaceMessage);
        } else if (name == "size") {
            if (IsFontSize(value))
                AppletOptions::SetComboText(options.SizeCombo, value);
            else
                refuse(name, value, SizeMessage);
        } else if (name == "style") {
            bool known = false;
            for (const bool bold : {false, true})
                for (const bool italic : {false, true})
                    if (value == StyleWord(bold, italic)) {
                        options.CheckBold.Checked = bold;
                        options.CheckItalic.Checked = italic;
                        known = true;
                    }
            if (!known)
                refuse(name, value, "The style is Regular, Bold, Italic or BoldItalic.");
        } else if (name == "image") {
            if (const int position = SwatchNamed(value))
                options.SwatchClick(position);
            else
                refuse(name, value, "The button picture is one of the twelve swatches' files.");
        } else {
            if (listed())
                problems.push_back(Shown(name) + ": not a setting of the guide");
        }
    }
    if (unlisted > 0)
        problems.push_back("... and " + std::to_string(unlisted) + " more");
    return problems;
}

std::vector<std::string> ApplyAppletElement(const AppletElement& element, AppletOptions& options) {
    return ApplyAppletParams(element.Params, options, element.OthersLeftOut);
}

std::string ReadElementPage(const std::string& path) {
    return ReadFileBytes(path, ElementPageLimit);
}

void LoadOptionsFromFile(AppletOptions& options, Platform& platform, std::string& fileName,
                         const std::string& startFolder) {
    FileDialogRequest request;
    request.Filter = HtmlFilter;
    request.DefaultExt = HtmlExtension;
    request.FileName = fileName;
    request.Directory = startFolder;
    const auto chosen = platform.OpenDialog(request);
    if (!chosen || chosen->empty())
        return;
    fileName = *chosen;
    const std::string html = ReadElementPage(*chosen);
    const auto element = FindAppletElement(html);
    if (!element) {
        platform.ShowMessage(Information("The file \"" + FileNamePart(*chosen) +
                                         "\" holds no applet element for Dravenloom.class. "
                                         "Nothing was changed."));
        return;
    }
    const std::vector<std::string> problems = ApplyAppletElement(*element, options);
    options.CheckHtml5.Checked = LoadsWebPlayer(html);
    if (problems.empty())
        return;
    std::string text = NotTakenIntro;
    for (const auto& line : problems)
        text += "\n" + line;
    platform.ShowMessage(ValidationError(text));
}

} // namespace dravenloom
