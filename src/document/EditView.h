// The Edit View's controls: the working copy of the current record and the navigation buttons
// on the same page.
#pragma once

#include "document/Controls.h"

#include <array>

namespace dravenloom {

inline constexpr int ResponseSlots = 6;
inline constexpr const char* PlaceholderDialogue = "Enter primary dialogue here.";

struct EditView {
    TextField DialogueMemo;
    CheckBox CenterCheck;
    std::array<TextField, ResponseSlots> Memos;         // Memo1..Memo6: response texts
    std::array<TextField, ResponseSlots> Edits;         // Edit1..Edit6: "Jumps to record:"
    std::array<Button, ResponseSlots> GoThereButtons;   // Button1..Button6: "Go there!"
    std::array<Button, ResponseSlots> CreateNewButtons; // Button7..Button12: "Create new"

    ComboBox ComboBox1;  // "Jumped from:"
    Button GoBitBtn;     // "Go there"
    Button PrevBitBtn;   // "Previous"
    Button NextBitBtn;   // "Next"
    Button BackBitBtn;   // "Go back"
    Button RemoveBitBtn; // "Remove"

    // 1-based access by the designer names: Memo(k) is Memok, Button(k) is Buttonk (1..12).
    TextField& Memo(int k) { return Memos.at(k - 1); }
    TextField& Edit(int k) { return Edits.at(k - 1); }
    Button& ButtonN(int k) {
        return k <= ResponseSlots ? GoThereButtons.at(k - 1) : CreateNewButtons.at(k - 7);
    }
    const TextField& Memo(int k) const { return Memos.at(k - 1); }
    const TextField& Edit(int k) const { return Edits.at(k - 1); }
};

} // namespace dravenloom
