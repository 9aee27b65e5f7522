// The applet options and their checks.
#include "publish/AppletOptions.h"

#include "document/Errors.h"
#include "document/NumberText.h"

#include <algorithm>

namespace dravenloom {
namespace {

template <std::size_t N>
std::vector<std::string> EntriesOf(const std::array<const char*, N>& entries) {
    return std::vector<std::string>(entries.begin(), entries.end());
}

} // namespace

std::string SwatchHint(const SwatchEntry& swatch) {
    return std::string("Click here to change the color of the buttons to be displayed in your "
                       "guide to ") +
           swatch.HintWord + ".";
}

int SwatchNamed(const std::string& fileName) {
    for (int position = 1; position <= SwatchCount; ++position)
        if (fileName == Swatches[static_cast<std::size_t>(position - 1)].FileName)
            return position;
    return 0;
}

bool IsFontFace(const std::string& text) {
    return std::find(FaceEntries.begin(), FaceEntries.end(), text) != FaceEntries.end();
}

bool IsFontSize(const std::string& text) {
    const auto size = ReadNumber(text);
    return size && *size >= SmallestSize && *size <= LargestSize;
}

bool IsPositiveInteger(const std::string& text) {
    const auto value = ReadNumber(text);
    return value && *value > 0;
}

AppletOptions::AppletOptions(Platform& platform)
    : Image(Swatches[DefaultSwatch - 1].FileName), ButtonSwatch(DefaultSwatch), Host(platform) {
    WidthEdit.Text = WidthControl.Default;
    HeightEdit.Text = HeightControl.Default;
    TextStart.Text = TextStartControl.Default;
    FaceCombo.Items = EntriesOf(FaceEntries);
    SetComboText(FaceCombo, FaceControl.Default);
    SizeCombo.Items = EntriesOf(SizeEntries);
    SetComboText(SizeCombo, SizeControl.Default);
}

void AppletOptions::SetComboText(ComboBox& box, const std::string& text) {
    box.Text = text;
    const auto found = std::find(box.Items.begin(), box.Items.end(), text);
    box.ItemIndex = found == box.Items.end() ? -1 : static_cast<int>(found - box.Items.begin());
}

void AppletOptions::PositiveFieldExit(TextField& field, const OptionControl& control,
                                      const char* message) {
    if (IsPositiveInteger(field.Text))
        return;
    field.Text = control.Default;
    Host.Focus(field, false);
    Host.ShowMessage(ValidationError(message));
}

void AppletOptions::WidthEditExit() {
    PositiveFieldExit(WidthEdit, WidthControl, WidthMessage);
}

void AppletOptions::HeightEditExit() {
    PositiveFieldExit(HeightEdit, HeightControl, HeightMessage);
}

void AppletOptions::TextStartExit() {
    PositiveFieldExit(TextStart, TextStartControl, TextStartMessage);
}

// The two drop-downs warn first and repair afterwards, unlike the number fields.
void AppletOptions::FaceComboExit() {
    if (IsFontFace(FaceCombo.Text))
        return;
    Host.ShowMessage(ValidationError(FaceMessage));
    SetComboText(FaceCombo, FaceControl.Default);
    Host.FocusCombo(FaceCombo);
}

void AppletOptions::SizeComboExit() {
    if (IsFontSize(SizeCombo.Text))
        return;
    Host.ShowMessage(ValidationError(SizeMessage));
    SetComboText(SizeCombo, SizeControl.Default);
    Host.FocusCombo(SizeCombo);
}

void AppletOptions::MTranBtn1Click() {
    if (const auto chosen = Host.ChooseColour(Color1))
        Color1 = *chosen;
}

void AppletOptions::MTranBtn2Click() {
    if (const auto chosen = Host.ChooseColour(Color2))
        Color2 = *chosen;
}

void AppletOptions::SwatchClick(int position) {
    if (position < 1 || position > SwatchCount)
        throw IndexError("There is no button colour " + IntToStr(position) + ".");
    ButtonSwatch = position;
    Image = Swatches[static_cast<std::size_t>(position - 1)].FileName;
}

AppletSettings AppletOptions::Settings() const {
    AppletSettings settings;
    settings.Title = TitleEdit.Text;
    settings.Button = ButtonEdit.Text;
    settings.ImageDir = ImageDir.Text;
    settings.FrameWidth = WidthEdit.Text;
    settings.FrameHeight = HeightEdit.Text;
    settings.TextStart = TextStart.Text;
    settings.Face = FaceCombo.Text;
    settings.Size = SizeCombo.Text;
    settings.Bold = CheckBold.Checked;
    settings.Italic = CheckItalic.Checked;
    settings.Html5 = CheckHtml5.Checked;
    settings.Background = Color1;
    settings.Text = Color2;
    settings.Image = Image;
    settings.Swatch = &Swatches[static_cast<std::size_t>(ButtonSwatch - 1)];
    return settings;
}

} // namespace dravenloom
