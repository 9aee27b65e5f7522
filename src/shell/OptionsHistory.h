// The appearance options as steps of the record history: what the options page's controls
// hold, taken before and after each of the author's edits there.
#pragma once

#include "document/UndoHistory.h"
#include "publish/AppletOptions.h"

#include <array>
#include <functional>
#include <string>

namespace dravenloom {

// Everything the author can set on the options page.
struct OptionValues {
    std::array<std::string, 6> Texts; // title, caption, image directory, width, height, start
    std::string Face;
    std::string Size;
    bool Bold = false;
    bool Italic = false;
    bool Html5 = false;
    Rgb Background;
    Rgb TextColour;
    std::string Image;
    int Swatch = 0;

    bool operator==(const OptionValues&) const = default;

    static OptionValues Of(const AppletOptions& options);
    void PutInto(AppletOptions& options) const;
};

class OptionsChange : public HistoryChange {
public:
    OptionsChange(AppletOptions& options, OptionValues before, OptionValues after)
        : Options(options), Before(std::move(before)), After(std::move(after)) {}
    void Undo() override { Before.PutInto(Options); }
    void Redo() override { After.PutInto(Options); }
    std::size_t Size() const override { return sizeof(*this); }

private:
    AppletOptions& Options;
    OptionValues Before;
    OptionValues After;
};

// Runs one of the author's edits on the options page and, when it changed an option, makes
// it a step: "Change Title", "Change Background color". Typing into one field is one step.
void RecordOptionsEdit(UndoHistory& history, AppletOptions& options,
                       const std::function<void()>& edit);

} // namespace dravenloom
