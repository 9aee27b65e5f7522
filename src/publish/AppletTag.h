// The applet element: the sixteen lines that load the published guide into a web page, written
// into the options page's memo, and the memo saved to an HTML file.
#pragma once

#include "document/Controls.h"
#include "document/GuideDocument.h"
#include "document/Platform.h"
#include "document/RecordEditor.h"
#include "publish/AppletOptions.h"
#include "publish/AppletSettings.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace dravenloom {

inline constexpr const char* TagHeading =
    "Copy and paste these tags into your HTML document at the desired position.";
inline constexpr OptionControl HtmlMemoControl{
    "htmlMemo", "", "Displays the HTML to be placed into your HTML document.", ""};
inline constexpr OptionControl GenerateControl{
    "GenerateBitBtn", "Generate HTML",
    "Click here to generate HTML to be placed into your web page.", ""};
inline constexpr OptionControl SaveControl{"SaveBtn", "Save To File",
                                           "Click here to save the generated HTML to a file.", ""};

inline constexpr const char* HtmlFilter = "HTML Files (*.html, *.htm)|*.html; *.htm";
inline constexpr const char* HtmlExtension = "html";
inline constexpr int AppletTagLineCount = 16;
// The player for browsers without Java, beside the class files in the Applet folder, and the
// line that loads it, added after the element when the author asks for it.
inline constexpr const char* WebPlayerFile = "dravenloom.js";
inline constexpr const char* WebPlayerLine = "<script src=\"dravenloom.js\"></script>";

// "BoldItalic", "Bold", "Italic" or "Regular".
std::string StyleWord(bool bold, bool italic);

// A value as it stands between the double quotes of a PARAM line: a double quote would end the
// attribute early and hand the player a cut value, so it is written as "&quot;"; a control
// character (IsControlByte) becomes a blank; every other character, "&" and angle brackets
// included, is written as typed.
std::string QuoteAttributeValue(std::string_view value);

// The sixteen lines of the element for these settings and the guide file's name (code page
// 1252 bytes, without directory), in order, without line ends; a seventeenth that loads the
// player for browsers without Java when the settings ask for it.
std::vector<std::string> AppletTagLines(const AppletSettings& settings,
                                        const std::string& guideName);

// The guide file's name without directory, as code page 1252 bytes for line 4. A name holding
// a character the code page has no byte for, or a control character, is refused
// (DravenloomError naming it), rather than written as a character that names no file on the
// server.
std::string GuideNameForTag(const std::string& guideFileName);

class AppletTag {
public:
    // What generation needs from the window: saving an untitled guide under a name the author
    // chooses in the Save Guide dialog (false when cancelled; the title and modified state are
    // left as the Save command leaves them), and showing the options page.
    struct WindowHooks {
        std::function<bool()> SaveUntitledGuide;
        std::function<void()> ShowOptionsPage;
    };

    AppletTag(GuideDocument& document, RecordEditor& editor, const AppletOptions& options,
              Platform& platform, WindowHooks hooks);
    AppletTag(const AppletTag&) = delete;
    AppletTag& operator=(const AppletTag&) = delete;

    // The memo the element is written into (code page 1252 bytes, lines joined by CR LF); the
    // author may edit it. It gets a vertical scroll bar at the first generation.
    TextField HtmlMemo;
    bool MemoScrollBar = false;
    Button GenerateBitBtn;
    Button SaveBtn{false}; // enabled exactly while the memo is not empty

    // GenerateAppletTag.
    void GenerateBitBtnClick();
    // SaveTagToFile; the status line then says where the element went.
    void SaveBtnClick();
    // Every change of the memo's text, the author's and the program's.
    void HtmlMemoChange();

    // The memo's text as lines (CR LF, a lone CR or a lone LF ends a line).
    std::vector<std::string> MemoLines() const;

    // The file the save dialog offers first: the one chosen last for this guide; while there
    // is none, a page named after the guide in the guide's folder.
    std::string TagFileName;

private:
    GuideDocument& Document;
    RecordEditor& Editor;
    const AppletOptions& Options;
    Platform& Host;
    WindowHooks Hooks;
};

} // namespace dravenloom
