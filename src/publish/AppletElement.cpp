// Reading an applet element back into the options.
#include "publish/AppletElement.h"

#include "document/Cp1252.h"
#include "document/GuideFile.h"
#include "publish/AppletTag.h"
#include "publish/HtmlColor.h"

#include <cctype>

namespace dravenloom {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
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

// One tag: its name ("applet", "/applet", "param") and its attributes, names in lower case.
struct Tag {
    std::string Name;
    std::vector<std::pair<std::string, std::string>> Attributes;

    const std::string* Attribute(std::string_view name) const {
        for (const auto& [key, value] : Attributes)
            if (key == name)
                return &value;
        return nullptr;
    }
};

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

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
    tag.Name = Lower(html.substr(nameStart, i - nameStart));
    while (i < html.size() && html[i] != '>') {
        if (IsBlank(html[i]) || html[i] == '/') {
            ++i;
            continue;
        }
        const std::size_t keyStart = i;
        while (i < html.size() && !IsBlank(html[i]) && html[i] != '=' && html[i] != '>')
            ++i;
        std::string key = Lower(html.substr(keyStart, i - keyStart));
        while (i < html.size() && IsBlank(html[i]))
            ++i;
        std::string value;
        if (i < html.size() && html[i] == '=') {
            ++i;
            while (i < html.size() && IsBlank(html[i]))
                ++i;
            if (i < html.size() && (html[i] == '"' || html[i] == '\'')) {
                const char quote = html[i++];
                const auto end = html.find(quote, i);
                const std::size_t stop = end == std::string_view::npos ? html.size() : end;
                value = ReadBackValue(html.substr(i, stop - i));
                i = stop == html.size() ? stop : stop + 1;
            } else {
                const std::size_t valueStart = i;
                while (i < html.size() && !IsBlank(html[i]) && html[i] != '>')
                    ++i;
                value = ReadBackValue(html.substr(valueStart, i - valueStart));
            }
        }
        tag.Attributes.emplace_back(std::move(key), std::move(value));
    }
    at = i < html.size() ? i + 1 : i;
    return tag;
}

std::string Shown(const std::string& bytes) {
    return "\"" + Cp1252ToUtf8(bytes) + "\"";
}

} // namespace

std::optional<AppletParams> FindAppletElement(std::string_view html) {
    std::size_t at = 0;
    bool inside = false;
    AppletParams params;
    while ((at = html.find('<', at)) != std::string_view::npos) {
        const Tag tag = ReadTag(html, at);
        if (!inside) {
            const std::string* code = tag.Attribute("code");
            inside = tag.Name == "applet" && code && *code == "Dravenloom.class";
            continue;
        }
        if (tag.Name == "/applet")
            return params;
        if (tag.Name != "param")
            continue;
        const std::string* name = tag.Attribute("name");
        const std::string* value = tag.Attribute("value");
        if (name)
            params.emplace_back(*name, value ? *value : std::string());
    }
    // An element the file ends inside still counts: its parameters are all there is.
    if (inside)
        return params;
    return std::nullopt;
}

bool LoadsWebPlayer(std::string_view html) {
    std::size_t at = 0;
    while ((at = html.find('<', at)) != std::string_view::npos) {
        const Tag tag = ReadTag(html, at);
        const std::string* source = tag.Attribute("src");
        if (tag.Name != "script" || !source)
            continue;
        std::string_view file = *source;
        file = file.substr(0, file.find_first_of("?#"));
        if (const auto slash = file.find_last_of("/\\"); slash != std::string_view::npos)
            file = file.substr(slash + 1);
        if (Lower(file) == WebPlayerFile)
            return true;
    }
    return false;
}

std::vector<std::string> ApplyAppletParams(const AppletParams& params, AppletOptions& options) {
    std::vector<std::string> problems;
    auto refuse = [&](const std::string& name, const std::string& value, const char* rule) {
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
            problems.push_back(Shown(name) + ": not a setting of the guide");
        }
    }
    return problems;
}

void LoadOptionsFromFile(AppletOptions& options, Platform& platform, std::string& fileName) {
    FileDialogRequest request;
    request.Filter = HtmlFilter;
    request.DefaultExt = HtmlExtension;
    request.FileName = fileName;
    const auto chosen = platform.OpenDialog(request);
    if (!chosen || chosen->empty())
        return;
    fileName = *chosen;
    const std::string html = ReadFileBytes(*chosen);
    const auto params = FindAppletElement(html);
    if (!params) {
        platform.ShowMessage(Information("The file \"" + FileNamePart(*chosen) +
                                         "\" holds no applet element for Dravenloom.class. "
                                         "Nothing was changed."));
        return;
    }
    const std::vector<std::string> problems = ApplyAppletParams(*params, options);
    options.CheckHtml5.Checked = LoadsWebPlayer(html);
    if (problems.empty())
        return;
    std::string text = NotTakenIntro;
    for (const auto& line : problems)
        text += "\n" + line;
    platform.ShowMessage(ValidationError(text));
}

} // namespace dravenloom
