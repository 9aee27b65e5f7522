// The "&Edit" menu's moves between records: "Go to record..." and the keys for the Edit View's
// "Previous", "Next" and "Go back" buttons.
#pragma once

#include "document/Controls.h"

#include <cstdint>
#include <string>

namespace dravenloom {

class GuideForm;

inline constexpr const char* GoToRecordCaption = "Go to record";

// The question "Go to record (1 to M):".
std::string GoToRecordPrompt(std::int32_t recordCount);

// Each command takes the Edit View's field that holds the keyboard focus (nothing when none
// does). A click on a button takes the focus from that field and so runs its exit handling
// first; a key or a menu item leaves the focus where it is, so the commands run that handling
// themselves, and stop where it keeps the author in the field (a link refused, an emptied
// dialogue), as the click would have been lost to the message box.
class QuickMoves {
public:
    explicit QuickMoves(GuideForm& form);

    // Asks for a record number and walks there as "Go there" does, showing the Edit View.
    // A text that is no record number of the guide is refused with a message.
    void GoToRecord1Click(const TextField* focused);
    // "Previous", "Next" and "Go back", while the Edit View is shown and the button is enabled.
    void Previous1Click(const TextField* focused);
    void Next1Click(const TextField* focused);
    void GoBack1Click(const TextField* focused);

    bool PreviousAvailable() const;
    bool NextAvailable() const;
    bool GoBackAvailable() const;

private:
    bool OnEditView() const;
    // The exit handling of the focused field; false when it keeps the author there.
    bool LeaveField(const TextField* focused);

    GuideForm& Form;
};

} // namespace dravenloom
