// The appearance options as steps of the record history.
#include "shell/OptionsHistory.h"

#include <memory>

namespace dravenloom {

namespace {

// The captions of the options in the order OptionValues holds them, without their colons.
std::string Named(const char* caption) {
    std::string name = caption;
    if (!name.empty() && name.back() == ':')
        name.pop_back();
    return name;
}

// The one option an edit changed (its caption and whether it is typed text), or nothing when
// it changed several (options loaded from a file).
struct ChangedOption {
    std::string Name;
    bool Typed = false;
};

ChangedOption WhatChanged(const OptionValues& before, const OptionValues& after) {
    static const OptionControl* const texts[] = {&TitleControl, &ButtonControl, &ImageDirControl,
                                                 &WidthControl, &HeightControl, &TextStartControl};
    std::vector<ChangedOption> changed;
    for (std::size_t i = 0; i < before.Texts.size(); ++i)
        if (before.Texts[i] != after.Texts[i])
            changed.push_back({Named(texts[i]->Caption), true});
    if (before.Face != after.Face)
        changed.push_back({Named(FaceControl.Caption), true});
    if (before.Size != after.Size)
        changed.push_back({Named(SizeControl.Caption), true});
    if (before.Bold != after.Bold)
        changed.push_back({BoldControl.Caption});
    if (before.Italic != after.Italic)
        changed.push_back({ItalicControl.Caption});
    if (before.Html5 != after.Html5)
        changed.push_back({Html5Control.Caption});
    if (before.Background != after.Background)
        changed.push_back({Named(BackgroundControl.Caption)});
    if (before.TextColour != after.TextColour)
        changed.push_back({Named(TextColourControl.Caption)});
    if (before.Image != after.Image || before.Swatch != after.Swatch)
        changed.push_back({"Button color"});
    if (changed.size() == 1)
        return changed.front();
    return {"options"};
}

} // namespace

OptionValues OptionValues::Of(const AppletOptions& options) {
    OptionValues values;
    values.Texts = {options.TitleEdit.Text, options.ButtonEdit.Text, options.ImageDir.Text,
                    options.WidthEdit.Text, options.HeightEdit.Text, options.TextStart.Text};
    values.Face = options.FaceCombo.Text;
    values.Size = options.SizeCombo.Text;
    values.Bold = options.CheckBold.Checked;
    values.Italic = options.CheckItalic.Checked;
    values.Html5 = options.CheckHtml5.Checked;
    values.Background = options.Color1;
    values.TextColour = options.Color2;
    values.Image = options.Image;
    values.Swatch = options.ButtonSwatch;
    return values;
}

void OptionValues::PutInto(AppletOptions& options) const {
    TextField* fields[] = {&options.TitleEdit, &options.ButtonEdit, &options.ImageDir,
                           &options.WidthEdit, &options.HeightEdit, &options.TextStart};
    for (std::size_t i = 0; i < Texts.size(); ++i)
        fields[i]->Text = Texts[i];
    AppletOptions::SetComboText(options.FaceCombo, Face);
    AppletOptions::SetComboText(options.SizeCombo, Size);
    options.CheckBold.Checked = Bold;
    options.CheckItalic.Checked = Italic;
    options.CheckHtml5.Checked = Html5;
    options.Color1 = Background;
    options.Color2 = TextColour;
    options.Image = Image;
    options.ButtonSwatch = Swatch;
}

void RecordOptionsEdit(UndoHistory& history, AppletOptions& options,
                       const std::function<void()>& edit) {
    const OptionValues before = OptionValues::Of(options);
    struct Record {
        UndoHistory& History;
        AppletOptions& Options;
        const OptionValues& Before;
        // Whatever the edit did before it failed is a step too.
        ~Record() {
            OptionValues after = OptionValues::Of(Options);
            if (after == Before)
                return;
            const ChangedOption changed = WhatChanged(Before, after);
            History.AddOptionsStep(
                "Change " + changed.Name, changed.Typed ? changed.Name : "",
                std::make_unique<OptionsChange>(Options, Before, std::move(after)));
        }
    } record{history, options, before};
    edit();
}

} // namespace dravenloom
