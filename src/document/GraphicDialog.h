// The graphic dialog's controls: the picture part of the current record's working copy.
#pragma once

#include "document/Controls.h"

namespace dravenloom {

struct GraphicDialog {
    GraphicDialog();

    CheckBox GraphicCheck; // "Include a graphic with this dialogue"
    TextField GraphicEdit; // picture file path
    Button GraphicBitBtn;  // "Browse..."
    TextField Edit7;       // "X Location:", default "300"
    TextField Edit8;       // "Y Location:", default "0"

    // Enables or disables path, X, Y and "Browse..." together (disabled ones in the inactive
    // colour).
    void SetFieldsEnabled(bool enabled);
};

inline constexpr const char* DefaultGraphicX = "300";
inline constexpr const char* DefaultGraphicY = "0";

} // namespace dravenloom
