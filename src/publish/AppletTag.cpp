// The applet element and its HTML file.
#include "publish/AppletTag.h"

#include "document/Cp1252.h"
#include "document/Errors.h"
#include "document/GuideFile.h"
#include "document/VisibleText.h"
#include "publish/HtmlColor.h"

#include <algorithm>
#include <utility>

namespace dravenloom {
namespace {

std::string Param(const char* name, std::string_view value) {
    return std::string("<PARAM NAME=\"") + name + "\" VALUE=\"" + QuoteAttributeValue(value) +
           "\">";
}

// The length of the UTF-8 sequence that starts with this byte (1 for a stray byte).
std::size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

// A chosen file name with the default extension added when the author typed none.
std::string WithHtmlExtension(const std::string& path) {
    const std::string name = FileNamePart(path);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos && dot + 1 < name.size())
        return path;
    return path + "." + HtmlExtension;
}

} // namespace

std::string StyleWord(bool bold, bool italic) {
    if (bold && italic)
        return "BoldItalic";
    if (bold)
        return "Bold";
    if (italic)
        return "Italic";
    return "Regular";
}

std::string QuoteAttributeValue(std::string_view value) {
    std::string quoted;
    quoted.reserve(value.size());
    for (const char c : value) {
        if (c == '"')
            quoted += "&quot;";
        // A control character (a pasted tab or line break, a NUL, an escape) has no place in
        // the element: a line break would split the PARAM line, a NUL cuts the value short in
        // the player, and none of them can be shown. It becomes a blank rather than nothing,
        // because in a one-line field it stood between two pieces of text, and dropping it
        // would run them together ("Chapter\tOne" stays "Chapter One", not "ChapterOne").
        else if (IsControlByte(static_cast<unsigned char>(c)))
            quoted += ' ';
        else
            quoted += c;
    }
    return quoted;
}

std::vector<std::string> AppletTagLines(const AppletSettings& settings,
                                        const std::string& guideName) {
    std::vector<std::string> lines = {
        R"(<APPLET CODE="Dravenloom.class" WIDTH="75" HEIGHT="50" MAYSCRIPT>)",
        Param("frameWidth", settings.FrameWidth),
        Param("frameHeight", settings.FrameHeight),
        Param("filename", guideName),
        Param("title", settings.Title),
        Param("button", settings.Button),
        Param("background", HtmlColorText(settings.Background)),
        Param("text", HtmlColorText(settings.Text)),
        Param("face", settings.Face),
        Param("style", StyleWord(settings.Bold, settings.Italic)),
        Param("size", settings.Size),
        Param("textStart", settings.TextStart),
        Param("image", settings.Image),
        Param("imageDir", settings.ImageDir),
        "Sorry, but your browser does not support Java.",
        "</APPLET>",
    };
    if (settings.Html5)
        lines.emplace_back(WebPlayerLine);
    return lines;
}

std::string GuideNameForTag(const std::string& guideFileName) {
    const std::string name = FileNamePart(guideFileName);
    if (auto bytes = Utf8ToCp1252(name)) {
        // A blank in place of a control character would name another file than the one the
        // upload sends, so such a name is refused as a whole.
        for (const char c : *bytes)
            if (IsControlByte(static_cast<unsigned char>(c)))
                throw DravenloomError("The guide's file name " + QuotedForAuthor(*bytes) +
                                      " holds a control character, which the applet element "
                                      "cannot carry. Save the guide under another name first");
        return std::move(*bytes);
    }
    // Find the first character without a byte, to name it.
    std::size_t at = 0;
    while (at < name.size()) {
        const std::size_t length =
            std::min(SequenceLength(static_cast<unsigned char>(name[at])), name.size() - at);
        const std::string character = name.substr(at, length);
        if (!Utf8ToCp1252(character))
            throw DravenloomError("The guide's file name \"" + name + "\" holds the character \"" +
                                  character +
                                  "\", which an HTML file in code page 1252 cannot hold. Save "
                                  "the guide under another name first");
        at += length;
    }
    throw DravenloomError("The guide's file name \"" + name +
                          "\" cannot be written in code page 1252");
}

AppletTag::AppletTag(GuideDocument& document, RecordEditor& editor, const AppletOptions& options,
                     Platform& platform, WindowHooks hooks)
    : Document(document), Editor(editor), Options(options), Host(platform),
      Hooks(std::move(hooks)) {
    // The page saved last belongs to the guide it was saved for.
    Document.NewGuideObservers.push_back([this] { TagFileName.clear(); });
}

void AppletTag::GenerateBitBtnClick() {
    Editor.CommitRecord();
    bool saved = false;
    if (Document.Untitled()) {
        if (!Hooks.SaveUntitledGuide || !Hooks.SaveUntitledGuide())
            return;
        saved = true;
    }
    // Every line is made before the memo is touched, so a name that can't be written leaves
    // the previous element in place.
    const std::vector<std::string> lines =
        AppletTagLines(Options.Settings(), GuideNameForTag(Document.GuideFileName));
    std::string text;
    for (const auto& line : lines) {
        if (!text.empty())
            text += "\r\n";
        text += line;
    }
    HtmlMemo.Text = std::move(text);
    HtmlMemoChange();
    MemoScrollBar = true;
    if (Hooks.ShowOptionsPage)
        Hooks.ShowOptionsPage();
    Document.SetTitleFromFileName(Document.GuideFileName);
    // Only a guide that was just written is clean. A named guide keeps its modified state:
    // clearing it would let Close throw unsaved edits away without asking.
    if (saved)
        Document.MarkSaved();
}

void AppletTag::HtmlMemoChange() {
    SaveBtn.Enabled = !HtmlMemo.Text.empty();
}

std::vector<std::string> AppletTag::MemoLines() const {
    return SplitGuideText(HtmlMemo.Text);
}

void AppletTag::SaveBtnClick() {
    FileDialogRequest request;
    request.Filter = HtmlFilter;
    request.DefaultExt = HtmlExtension;
    request.FileName = TagFileName;
    request.OverwritePrompt = true;
    // The page usually lies beside the guide it publishes: the first save of a guide's element
    // starts in the guide's folder, offering a page named after the guide.
    if (TagFileName.empty() && !Document.Untitled()) {
        request.Directory = FolderPart(Document.GuideFileName);
        const std::string guide = FileNamePart(Document.GuideFileName);
        request.FileName = guide.substr(0, guide.rfind('.')) + "." + HtmlExtension;
    }
    const auto chosen = Host.SaveDialog(request);
    if (!chosen || chosen->empty())
        return;
    const std::string path = WithHtmlExtension(*chosen);
    std::string bytes;
    for (const auto& line : MemoLines()) {
        bytes += line;
        bytes += "\r\n";
    }
    WriteFileAtomically(path, bytes);
    TagFileName = path;
    Document.ShowStatusNote("Saved the applet element to " + FileNamePart(path));
}

} // namespace dravenloom
