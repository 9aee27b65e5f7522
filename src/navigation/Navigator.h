// Moving between records: single steps, walks, "Go there", "Go back", and the per-response
// "Go there!" and "Create new" buttons that walk.
#pragma once

#include "document/RecordEditor.h"

#include <cstdint>

namespace dravenloom {

class Navigator {
public:
    Navigator(GuideDocument& document, EditView& view, RecordEditor& editor);

    void StepPrevious(); // "Previous"
    void StepNext();     // "Next"; past the last record it appends a record
    // Moves to `target` by single steps, loading only the final record. The caller has
    // committed the Edit View and set LastViewedRecord.
    void WalkToRecord(std::int32_t target);
    void GoThere();                   // "Go there"
    void GoBack();                    // "Go back"
    void JumpedFromPicked(int index); // an entry of "Jumped from:" was clicked
    void GoThereButtonClick(int k);   // "Go there!" of response k = 1..6
    void CreateNewButtonClick(int k); // "Create new" of response k = 1..6

    // Back to the start of a new guide: not walking, nothing to go back to.
    void Reset();

    std::int32_t LastViewedRecord = 0;
    bool Walking = false;
    std::int32_t WalkPosition = 0;
    std::int32_t WalkTarget = 0;

private:
    GuideDocument& Document;
    EditView& View;
    RecordEditor& Editor;
};

} // namespace dravenloom
