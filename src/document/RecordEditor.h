// The Edit View's behaviour: storing and showing the working copy, the per-response enabling
// rules, and the change and leave handling of every field, including the graphic dialog's.
#pragma once

#include "document/EditView.h"
#include "document/GraphicDialog.h"
#include "document/GuideDocument.h"
#include "document/Platform.h"

#include <optional>
#include <string>

namespace dravenloom {

inline constexpr const char* PictureFilter =
    "CompuServe GIF (*.gif); JPEG (*.jpg, *.jpeg)|*.gif;*.jpg;*.jpeg";

class RecordEditor {
public:
    RecordEditor(GuideDocument& document, EditView& view, GraphicDialog& graphic,
                 Platform& platform);

    // Stores the working copy as the current record; never marks the guide modified. What it
    // changes is a typing step of the history.
    void CommitRecord();
    // Whether committing now would change the record list with something the author wrote
    // (the placeholder of a record without lines is not).
    bool HasUncommittedChange() const;
    // Shows the current record in the working copy and fills the "Jumped from" list; never
    // marks the guide modified.
    void LoadRecord();
    // Empties the working copy and the "Jumped from" list (each emptied field runs its change
    // handling).
    void ClearEditView();
    void UpdateCreateButtons();
    void FillJumpedFromList();

    // Setting a field's text, by typing or by the program. Each runs the field's change
    // handling when the text differs from what the field held.
    void DialogueMemoChange(const std::string& text);
    void CenterCheckClick(bool checked);
    void MemoChange(int k, const std::string& text); // response k = 1..6
    void EditChange(int k, const std::string& text); // link k = 1..6

    // Leaving link field k: refuses the current record and numbers outside 1..RecordCount.
    void EditExit(int k);

    // Puts the placeholder dialogue into the field, selected, with the keyboard focus.
    void PutPlaceholderDialogue();
    // Puts it in without the focus. The program's text, not the author's: typing after it
    // undoes back to the state it was put into.
    void ShowPlaceholderDialogue();

    // The graphic dialog.
    void GraphicCheckClick(bool checked);
    void GraphicEditChange(const std::string& text);
    void Edit7Change(const std::string& text);
    void Edit8Change(const std::string& text);
    void Edit7Exit();
    void Edit8Exit();
    void GraphicBitBtnClick();

    // The working copy as a record value.
    GuideRecord WorkingCopy() const;

    GuideDocument& Document;
    EditView& View;
    GraphicDialog& Graphic;
    Platform& Host;

private:
    void SetGraphicState(bool hasPicture);

    // How "Next" stood before the dialogue was first changed since the record was last shown
    // or stored: undoing that typing brings that state back.
    std::optional<bool> NextOffBeforeTyping;
    void CoordinateExit(TextField& field, const char* reset, const char* message);
};

// True when `text` reads as a record number v with 1 <= v <= count and v != current.
bool IsJumpTarget(const std::string& text, std::int32_t count, std::int32_t current);

} // namespace dravenloom
