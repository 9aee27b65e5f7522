// The layout cases, and the JSON they are written as.
#include "LayoutCases.h"

#include "document/Cp1252.h"
#include "document/GuideFile.h"
#include "document/RecordCodec.h"
#include "document/RecordList.h"
#include "preview/ScreenLayout.h"
#include "preview/ScreenRenderer.h"
#include "publish/AppletOptions.h"
#include "support/RecordingCanvas.h"
#include "support/ScriptedPlatform.h"

#include <cstdio>
#include <map>
#include <random>
#include <vector>

namespace dravenloom {
namespace {

struct Settings {
    std::string TextStart = "5";
    std::string Width = "300";
    std::string Face = "Times New Roman";
    std::string Size = "12";
    bool Bold = false;
    bool Italic = false;
};

struct Case {
    std::string Name;
    std::string About;
    Settings Look;
    std::vector<std::string> Guide; // record lines, CR LF inside texts
    std::int32_t Record = 1;
};

// The fake font of every case: 6 pixels a character, with a few narrower and wider ones so
// that the average character width of a line matters. CR and LF have no width, as in every
// real canvas of the players: the average is taken over text that still holds its line breaks.
const std::map<char, int> FontWidths = {{'\r', 0}, {'\n', 0}, {' ', 4}, {'i', 3},
                                        {'l', 3},  {'.', 3},  {',', 3}, {'W', 12},
                                        {'M', 11}, {'m', 10}, {'w', 9}, {'\xE9', 7}};
constexpr int FontDefault = 6;

std::string Primary(std::int32_t n, const std::string& dialogue, bool center = false,
                    const std::string& picture = "", const std::string& x = "",
                    const std::string& y = "") {
    return BuildPrimaryLine(n, dialogue, picture, x, y, center);
}
std::string Response(std::int32_t n, const std::string& text, const std::string& target = "") {
    return BuildResponseLine(n, text, target);
}

const std::string Lorem =
    "The quick brown fox jumps over the lazy dog while the small white mouse watches from "
    "behind the old wooden Wardrobe, wondering what will happen next in this long story.";

std::vector<Case> Cases() {
    std::vector<Case> cases;
    const auto add = [&cases](std::string name, std::string about, std::vector<std::string> guide,
                              Settings look = {}, std::int32_t record = 1) {
        cases.push_back(
            {std::move(name), std::move(about), std::move(look), std::move(guide), record});
    };
    add("defaults", "one line of dialogue, two one-line responses",
        {Primary(1, "Hello"), Response(1, "Yes", "2"), Response(1, "No", "3"), Primary(2, "Two")});
    for (const char* size : {"10", "14", "18"}) {
        Settings look;
        look.Size = size;
        add(std::string("size-") + size, "the gaps and line step follow the font size",
            {Primary(1, Lorem), Response(1, Lorem, "1"), Response(1, "Short", "1")}, look);
    }
    {
        Settings look;
        look.Face = "Courier";
        add("courier", "the Courier face widens the paragraph gap",
            {Primary(1, "Hello"), Response(1, "Yes", "1")}, look);
        look.Face = "Arial";
        look.Bold = true;
        look.Italic = true;
        add("bold-italic", "bold responses widen the gap; italic is on every line",
            {Primary(1, Lorem), Response(1, "Yes", "1"), Response(1, "No", "1")}, look);
    }
    add("long-dialogue", "a dialogue wrapped at the last blank within the capacity",
        {Primary(1, Lorem + " " + Lorem), Response(1, "Next", "1")});
    add("hyphen", "a word longer than a line is broken with a hyphen",
        {Primary(1, std::string(120, 'x')), Response(1, std::string(70, 'W') + " end", "1")});
    add("exact-capacity", "a text exactly as long as the capacity is still broken",
        {Primary(1, std::string(42, 'a')), Primary(2, "aaaa bbbb cccc dddd eeee ffff gggg hhh"),
         Response(2, "x", "1")},
        {}, 2);
    add("line-breaks", "CR LF ends a line; two give an empty line; one at the end adds none",
        {Primary(1, "First\r\nSecond\r\n\r\nFourth\r\n"), Response(1, "One\r\nTwo", "1"),
         Response(1, "End\r\n", "1"), Response(1, "After", "1")});
    add("break-within-capacity", "a blank and a line break within the capacity",
        {Primary(1, "Some words here\r\nand more words after the break that run on and on "
                    "until the line is full")});
    add("centred", "centred lines, measured against the primary wrap width",
        {Primary(1, "Short\r\n" + Lorem + " " + std::string(60, 'W'), true),
         Response(1, "Responses are never centred", "1")});
    {
        Settings look;
        look.Width = "20";
        add("centred-narrow", "a centred line never starts left of x = 3",
            {Primary(1, "Wide words Wmmm", true)}, look);
    }
    add("links", "link markup in the middle, in capitals, alone, and disabled by a ]",
        {Primary(1, "Links"), Response(1, "Visit [url:www.example.com] today"),
         Response(1, "Shop [URL:https://shop.example/a?b=c]"), Response(1, "[url:x.example]"),
         Response(1, "a] then [url:y.example] stays", "1"),
         Response(1, "[url:no close bracket", "1")});
    add("seven-responses", "only the first six responses are drawn",
        {Primary(1, "Many"), Response(1, "r1", "1"), Response(1, "r2", "1"), Response(1, "r3", "1"),
         Response(1, "r4", "1"), Response(1, "r5", "1"), Response(1, "r6", "1"),
         Response(1, "r7", "1"), Primary(2, "Two")});
    add("empty-texts", "an empty dialogue (a picture record) and an empty link text",
        {Primary(1, "", false, "pic.gif", "10", "20"), Response(1, "[url:a.example]"),
         Response(1, "", "1"), Response(1, "after", "1")});
    add("picture", "the picture's place is taken as stored",
        {Primary(1, "With a picture", false, "images\\bulb.jpg", "120", "-5"),
         Response(1, "Yes", "1")});
    add("second-record", "a record after others: targets are line positions in the guide",
        {Primary(1, "One"), Response(1, "a", "2"), Primary(2, "Two"), Response(2, "b", "1"),
         Response(2, "c", "3"), Primary(3, "Three")},
        {}, 2);
    add("western-letters", "code page 1252 letters are one character each",
        {Primary(1, "Caf\xE9 cr\xE8me br\xFBl\xE9\x65 \x80 5, na\xEFve \xE9t\xE9 \xE9t\xE9 "
                    "\xE9t\xE9 \xE9t\xE9 \xE9t\xE9 \xE9t\xE9 \xE9t\xE9"),
         Response(1, "\xAB Oui \xBB", "1")});
    for (const char* width : {"1", "5", "12", "100000"}) {
        Settings look;
        look.Width = width;
        add(std::string("width-") + width, "tiny and huge widths end",
            {Primary(1, "Tiny widths still end: " + Lorem), Response(1, "ab cd", "1")}, look);
    }
    {
        Settings look;
        look.TextStart = "200";
        add("text-start", "the text starts lower", {Primary(1, "Low"), Response(1, "x", "1")},
            look);
    }
    // Random texts from a fixed seed: blanks, line breaks and wide letters anywhere.
    std::mt19937 random(20261208);
    const std::string alphabet = "aaaaeeiilm WWw   ..\r\n";
    for (int i = 0; i < 12; ++i) {
        const auto text = [&](std::size_t length) {
            std::string out;
            for (std::size_t j = 0; j < length; ++j) {
                const char c = alphabet[random() % alphabet.size()];
                if (c == '\r' || c == '\n')
                    out += "\r\n";
                else
                    out += c;
            }
            return out;
        };
        Settings look;
        look.Width = std::to_string(20 + random() % 400);
        look.Size = std::to_string(10 + 2 * (random() % 5));
        std::vector<std::string> guide = {Primary(1, text(random() % 300), random() % 2 == 0)};
        for (int k = 0; k < 3; ++k)
            guide.push_back(Response(1, text(random() % 80), "1"));
        add("random-" + std::to_string(i + 1), "random text", guide, look);
    }
    return cases;
}

std::string Quote(const std::string& guideBytes) {
    std::string out = "\"";
    for (const char c : Cp1252ToUtf8(guideBytes)) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (b < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04X", b);
            out += buffer;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string Bool(bool value) {
    return value ? "true" : "false";
}

std::string CaseJson(const Case& c) {
    ScriptedPlatform host;
    AppletOptions options(host);
    options.TextStart.Text = c.Look.TextStart;
    options.WidthEdit.Text = c.Look.Width;
    options.FaceCombo.Text = c.Look.Face;
    options.SizeCombo.Text = c.Look.Size;
    options.CheckBold.Checked = c.Look.Bold;
    options.CheckItalic.Checked = c.Look.Italic;
    const AppletSettings settings = options.Settings();

    RecordingCanvas canvas;
    canvas.CharWidth = FontDefault;
    canvas.Widths = FontWidths;
    FakePictureLoader pictures;
    ScreenRenderer renderer(canvas, pictures, host);
    renderer.PrepareDemoCanvas(settings);
    const RecordList records(c.Guide);
    const ScreenLayout layout = LayOutRecordScreen(records, c.Record, settings, canvas);
    if (layout.Failure)
        std::rethrow_exception(layout.Failure);

    std::string json =
        "    {\n      \"name\": " + Quote(c.Name) + ",\n      \"about\": " + Quote(c.About) + ",\n";
    json += "      \"settings\": {\"textStart\": " + Quote(c.Look.TextStart) +
            ", \"width\": " + Quote(c.Look.Width) + ", \"face\": " + Quote(c.Look.Face) +
            ", \"size\": " + Quote(c.Look.Size) + ", \"bold\": " + Bool(c.Look.Bold) +
            ", \"italic\": " + Bool(c.Look.Italic) + "},\n";
    json += "      \"guide\": [\n";
    for (std::size_t i = 0; i < c.Guide.size(); ++i)
        json += "        " + Quote(EncodeLineForFile(c.Guide[i])) +
                (i + 1 < c.Guide.size() ? ",\n" : "\n");
    json += "      ],\n      \"record\": " + std::to_string(c.Record) + ",\n";
    json += "      \"points\": " + std::to_string(canvas.FontSize()) + ",\n";
    json += "      \"picture\": ";
    if (layout.Graphic)
        json += "{\"path\": " + Quote(layout.Graphic->Path) +
                ", \"x\": " + std::to_string(layout.Graphic->X) +
                ", \"y\": " + std::to_string(layout.Graphic->Y) + "}";
    else
        json += "null";
    json += ",\n      \"lines\": [\n";
    for (std::size_t i = 0; i < layout.Lines.size(); ++i) {
        const TextLine& line = layout.Lines[i];
        json += "        {\"x\": " + std::to_string(line.X) + ", \"y\": " + std::to_string(line.Y) +
                ", \"text\": " + Quote(line.Text) + ", \"bold\": " + Bool(line.Bold) +
                ", \"italic\": " + Bool(line.Italic) + "}" +
                (i + 1 < layout.Lines.size() ? ",\n" : "\n");
    }
    json += "      ],\n      \"buttons\": [";
    for (std::size_t i = 0; i < layout.Buttons.size(); ++i)
        json += (i ? ", " : "") + std::string("{\"x\": ") + std::to_string(ButtonX) +
                ", \"y\": " + std::to_string(layout.Buttons[i].Top) + "}";
    json += "],\n      \"regions\": {\"tops\": [";
    for (std::size_t k = 0; k < MaxResponses; ++k)
        json += (k ? ", " : "") + std::to_string(layout.Regions.ResponseTops[k]);
    json += "], \"targets\": [";
    for (std::size_t k = 0; k < MaxResponses; ++k)
        json += (k ? ", " : "") + Quote(layout.Regions.ResponseTargets[k]);
    json += "]}\n    }";
    return json;
}

} // namespace

std::string LayoutCasesJson() {
    std::string json =
        "{\n  \"about\": \"Record screens laid out by the Dravenloom renderer. Every player lays "
        "out each case with the fake font (every character 'default' pixels wide unless "
        "'widths' names it, whatever the face, size and style) and must give the same lines, "
        "buttons and regions. 'guide' holds guide file lines, decoded from code page 1252 (the "
        "byte 0x9A, shown as \\u0161, stands for CR LF inside a text). Written by "
        "dravenloom-layout-cases; do not edit by hand.\",\n";
    json += "  \"font\": {\"default\": " + std::to_string(FontDefault) + ", \"widths\": {";
    bool first = true;
    for (const auto& [c, width] : FontWidths) {
        json += (first ? "" : ", ") + Quote(std::string(1, c)) + ": " + std::to_string(width);
        first = false;
    }
    json += "}},\n  \"cases\": [\n";
    const std::vector<Case> cases = Cases();
    for (std::size_t i = 0; i < cases.size(); ++i)
        json += CaseJson(cases[i]) + (i + 1 < cases.size() ? ",\n" : "\n");
    json += "  ]\n}\n";
    return json;
}

} // namespace dravenloom
