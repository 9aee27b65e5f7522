// The controls the program's behaviour reads and writes, as plain objects. A window is a view
// of these; it never keeps document state of its own.
#pragma once

#include <string>
#include <vector>

namespace dravenloom {

// A one-line or multi-line text field. Guide texts are code page 1252 bytes, lines joined by
// CR LF. Inactive means "shown in the inactive colour" (the system's inactive caption text).
struct TextField {
    std::string Text;
    bool Enabled = true;
    bool Inactive = false;
};

struct CheckBox {
    bool Checked = false;
    bool Enabled = true;
};

struct Button {
    bool Enabled = true;
};

// A drop-down list; Text is what its edit field shows.
struct ComboBox {
    std::vector<std::string> Items;
    std::string Text;
    int ItemIndex = -1;
    bool Enabled = true;
};

// A menu command; its Enabled state may carry meaning (the enabled "&Save" is the modified
// state of the guide).
struct MenuItem {
    bool Enabled = true;
    bool Checked = false;
};

} // namespace dravenloom
