// The applet options: the appearance settings of the published guide as the controls of the
// options page, with the checks made when the author leaves a field and the colour choosers.
// Created once with the main window; nothing but the author's own edits changes them, and they
// are never saved.
#pragma once

#include "document/Controls.h"
#include "document/Platform.h"
#include "document/Rgb.h"
#include "publish/AppletSettings.h"

#include <array>
#include <string>

namespace dravenloom {

inline constexpr const char* OptionsHeading = "Application Options";

// A control of the options page: its name, its label, its hint and the text it starts with.
struct OptionControl {
    const char* Name;
    const char* Caption;
    const char* Hint;
    const char* Default;
};

inline constexpr OptionControl TitleControl{
    "TitleEdit", "Title:", "Type a value to specify the title of your guide.", ""};
inline constexpr OptionControl ButtonControl{
    "ButtonEdit", "Button Caption:", "Type a value to specify the button caption of your guide.",
    ""};
inline constexpr OptionControl ImageDirControl{
    "ImageDir", "Image Directory:",
    "Type a value to specify the remote directory into which you would like images uploaded.", ""};
inline constexpr OptionControl WidthControl{
    "WidthEdit", "Width (in pixels):", "Type a value to specify the width of your guide.", "300"};
inline constexpr OptionControl HeightControl{
    "HeightEdit", "Height (in pixels):", "Type a value to specify the height of your guide.",
    "400"};
inline constexpr OptionControl TextStartControl{
    "TextStart", "Text Starting Position (in pixels):",
    "Type a value to specify the vertical position of the text in your guide.", "5"};
inline constexpr OptionControl FaceControl{
    "FaceCombo", "Font face:", "Click here to specify a font face for your guide.",
    "Times New Roman"};
inline constexpr OptionControl SizeControl{
    "SizeCombo", "Font size:", "Click here to specify a font size for the text in your guide.",
    "12"};
inline constexpr const char* FontStyleCaption = "Font style:";
inline constexpr OptionControl BoldControl{"CheckBold", "Bold",
                                           "Check this box to bold the text in your guide.", ""};
inline constexpr OptionControl ItalicControl{
    "CheckItalic", "Italic", "Check this box to italicize the text in your guide.", ""};
// Off by default, so that the element stays the sixteen lines unless the author asks.
inline constexpr OptionControl Html5Control{
    "CheckHtml5", "Also play in browsers without Java",
    "Check this box to let your guide play in browsers that cannot run Java as well.", ""};
inline constexpr OptionControl CurrentImageControl{
    "CurrentImage",
    "Current button:", "Displays the current color of the buttons to be displayed in your guide.",
    ""};
inline constexpr const char* SwatchesCaption = "Buttons:";

// A colour of the page: the panel that shows it and the click area laid over its bar.
struct ColourControl {
    const char* PanelName;
    const char* Caption;
    const char* ButtonName;
    const char* ButtonHint;
};

inline constexpr ColourControl BackgroundControl{
    "ColorPanel1", "Background color:", "MTranBtn1",
    "Click here to select a background color for your guide."};
inline constexpr ColourControl TextColourControl{
    "ColorPanel2", "Text color:", "MTranBtn2",
    "Click here to specify a text color for your guide."};

inline constexpr std::array<const char*, 3> FaceEntries{"Arial", "Courier", "Times New Roman"};
inline constexpr std::array<const char*, 4> SizeEntries{"10", "12", "14", "18"};

inline constexpr const char* WidthMessage = "Width must be a positive integer value.";
inline constexpr const char* HeightMessage = "Height must be a positive integer value.";
inline constexpr const char* TextStartMessage =
    "Text Starting Position must be a positive integer value.";
inline constexpr const char* FaceMessage = "Invalid font face.";
inline constexpr const char* SizeMessage = "Font size must be between 10 and 18.";
inline constexpr int SmallestSize = 10;
inline constexpr int LargestSize = 18;

// One of the twelve button colours: its swatch, the picture the published guide's buttons use
// and the colour word of its hint.
struct SwatchEntry {
    const char* Colour;
    const char* FileName;
    const char* HintWord;
};

inline constexpr int SwatchCount = 12;
// Left to right as the page shows them.
inline constexpr std::array<SwatchEntry, SwatchCount> Swatches{{
    {"white", "white.gif", "white"},
    {"red", "red.gif", "red"},
    {"orange", "orange.gif", "orange"},
    {"peach", "peach.gif", "peach"},
    {"yellow", "yellow.gif", "yellow"},
    {"green", "green.gif", "green"},
    {"blue", "blue.gif", "blue"},
    {"magenta", "magenta.gif", "magenta"},
    {"purple", "purple.gif", "fuchsia"},
    {"brown", "brown.gif", "brown"},
    {"gray", "gray.gif", "gray"},
    {"black", "black.gif", "black"},
}};
inline constexpr int DefaultSwatch = 11; // gray

// "Click here to change the color of the buttons ... to " + the colour word + ".".
std::string SwatchHint(const SwatchEntry& swatch);
// The swatch (1 to 12) whose picture has this file name, or 0 when none has.
int SwatchNamed(const std::string& fileName);
// Whether the text is one of the drop-down's entries, spelled exactly.
bool IsFontFace(const std::string& text);
// Whether the text reads as an integer from 10 to 18.
bool IsFontSize(const std::string& text);
// Whether the text reads as an integer greater than 0.
bool IsPositiveInteger(const std::string& text);

class AppletOptions {
public:
    explicit AppletOptions(Platform& platform);
    AppletOptions(const AppletOptions&) = delete;
    AppletOptions& operator=(const AppletOptions&) = delete;

    // The author types into the fields and ticks the boxes directly; none of it touches the
    // guide, so no field has change handling.
    TextField TitleEdit;
    TextField ButtonEdit;
    TextField ImageDir;
    TextField WidthEdit;
    TextField HeightEdit;
    TextField TextStart;
    ComboBox FaceCombo;
    ComboBox SizeCombo;
    CheckBox CheckBold;
    CheckBox CheckItalic;
    CheckBox CheckHtml5; // the element also loads the player for browsers without Java
    Rgb Color1 = White;  // the background, shown in ColorPanel1
    Rgb Color2 = Black;  // the text colour, shown in ColorPanel2
    std::string Image;   // the button picture's file name
    int ButtonSwatch;    // the chosen swatch (1 to 12), shown in CurrentImage

    // Leave checks: a bad text is put back to the field's default, the focus goes back to the
    // field and a warning names the rule ("Error", OK, exclamation).
    void WidthEditExit();
    void HeightEditExit();
    void TextStartExit();
    void FaceComboExit();
    void SizeComboExit();

    // The click areas over the colour bars: the colour chooser, preset with the current colour;
    // cancelling it changes nothing.
    void MTranBtn1Click();
    void MTranBtn2Click();

    // A click on swatch `position` (1 to 12): it becomes the button picture.
    void SwatchClick(int position);

    // The settings as they stand now.
    AppletSettings Settings() const;

    // Puts text into a drop-down's edit part, choosing the entry that is spelled the same.
    static void SetComboText(ComboBox& box, const std::string& text);

private:
    void PositiveFieldExit(TextField& field, const OptionControl& control, const char* message);

    Platform& Host;
};

} // namespace dravenloom
