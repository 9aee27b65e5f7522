// The guide being edited: its record list, counters, file state and the flags every view reads.
#pragma once

#include "document/Controls.h"
#include "document/RecordList.h"
#include "document/UndoHistory.h"
#include "document/StatusNote.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace dravenloom {

inline constexpr const char* UntitledName = "Untitled";
inline constexpr const char* TitlePrefix = "Dravenloom - ";

struct GuideDocument {
    GuideDocument() { History.Attach(Records); }
    GuideDocument(const GuideDocument&) = delete;
    GuideDocument& operator=(const GuideDocument&) = delete;

    RecordList Records;
    std::int32_t RecordCount = 1;
    std::int32_t CurrentRecord = 1;

    std::string GuideFileName = UntitledName; // full path (UTF-8), or "Untitled"
    std::string WindowTitle = std::string(TitlePrefix) + UntitledName;
    std::string OpenDialogPath; // the file last chosen to open
    std::string StatusText;     // the one-panel status line
    StatusNote Note;            // the last note shown in the status line

    MenuItem SaveItem;   // "&Save": enabled exactly while the guide is modified
    MenuItem SaveAsItem; // "Save &As..."
    bool TreeStale = true;

    // Called when a new guide replaces the old one, so that layers above (the Logic View, the
    // upload) can drop what they hold of it.
    std::vector<std::function<void()>> NewGuideObservers;
    // Called when the guide was written to its file and is clean again (the record history
    // notes its saved point, the recovery copy goes).
    std::vector<std::function<void()>> SavedObservers;

    // Every change of the record list and the record count, for "&Undo" and "&Redo".
    UndoHistory History;

    // Whether "Next" and "Remove" wait for the dialogue of the record on show: as they stand
    // (`beforeTyping` false), or as they stood before the typing not yet stored. The editor
    // answers; without one, they never wait.
    std::function<bool(bool beforeTyping)> AwaitingDialogue;

    bool Modified() const { return SaveItem.Enabled; }
    // Where the editor stands, for the history; `beforeTyping` as for AwaitingDialogue.
    GuidePosition Position(bool beforeTyping = false) const {
        return {RecordCount, CurrentRecord, AwaitingDialogue && AwaitingDialogue(beforeTyping)};
    }
    bool Untitled() const { return GuideFileName == UntitledName; }

    // Every change of a field of the working copy: enables "&Save" and "Save &As..." and
    // marks the Logic View stale.
    void MarkModified();

    // The guide was just written to GuideFileName: "&Save" goes off and the observers hear it.
    void MarkSaved();

    // Status line: "Record " N " of " M.
    void ShowRecordStatus();
    // Shows `text` in the status line for a few seconds.
    void ShowStatusNote(const std::string& text);
    // The time of note `serial` is up: the record status comes back, unless the status line
    // shows something else by now (a move, or a later note with its own time).
    void EndStatusNote(std::uint64_t serial);

    // Window title: "Dravenloom - " + the file name without directory.
    void SetTitleFromFileName(const std::string& path);
};

// Saves the modified state and TreeStale on construction and puts back, on destruction,
// whatever was off: a command that was disabled is disabled again, a clear flag cleared again.
class KeepCleanState {
public:
    explicit KeepCleanState(GuideDocument& document);
    ~KeepCleanState();
    KeepCleanState(const KeepCleanState&) = delete;
    KeepCleanState& operator=(const KeepCleanState&) = delete;

private:
    GuideDocument& Document;
    bool SaveDisabled;
    bool SaveAsDisabled;
    bool TreeClear;
};

// Groups the changes made while it lives into one step of the history (or into the step of an
// enclosing group), with the editor's position at its start and end.
class HistoryGroup {
public:
    HistoryGroup(GuideDocument& document, StepKind kind, std::string label,
                 std::int32_t record = 0);
    ~HistoryGroup();
    HistoryGroup(const HistoryGroup&) = delete;
    HistoryGroup& operator=(const HistoryGroup&) = delete;

private:
    GuideDocument& Document;
};

} // namespace dravenloom
