// Moving between records: single steps, walks, "Go there", "Go back", and the per-response
// "Go there!" and "Create new" buttons that walk.
#pragma once

#include "document/RecordEditor.h"

#include <cstdint>

namespace dravenloom {

// What "Next" and "Create new" say instead of adding a record after the highest number.
inline constexpr const char* NoRecordAfterHighestMessage =
    "This guide already holds the highest record number there can be (2147483647), so no "
    "record can be added after it.";

class Navigator {
public:
    Navigator(GuideDocument& document, EditView& view, RecordEditor& editor);

    void StepPrevious(); // "Previous"
    // "Next"; past the last record it appends a record. On the highest record number there
    // is no next one: it says so and changes nothing.
    void StepNext();
    // Moves to `target` with the effect of single steps, loading only the final record, in
    // time that does not grow with the distance. The caller has committed the Edit View and
    // set LastViewedRecord.
    void WalkToRecord(std::int32_t target);
    void GoThere();                   // "Go there"
    void GoBack();                    // "Go back"
    void JumpedFromPicked(int index); // an entry of "Jumped from:" was clicked
    void GoThereButtonClick(int k);   // "Go there!" of response k = 1..6
    void CreateNewButtonClick(int k); // "Create new" of response k = 1..6; refused like "Next"

    // Back to the start of a new guide: not walking, nothing to go back to.
    void Reset();

    std::int32_t LastViewedRecord = 0;
    bool Walking = false;
    std::int32_t WalkPosition = 0;
    std::int32_t WalkTarget = 0;

private:
    // The walk's steps up to `position` (the walk's position after the last of them).
    void RunNextStepsTo(std::int32_t position);
    void RunPreviousStepsTo(std::int32_t position);
    void RefuseRecordAfterHighest();

    GuideDocument& Document;
    EditView& View;
    RecordEditor& Editor;
};

} // namespace dravenloom
