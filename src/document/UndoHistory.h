// The record history behind "&Undo" and "&Redo": each step keeps what a command changed (the
// lines it replaced, the lines a removal took out, the options it set), never a copy of the
// guide, with the record count and current record before and after it.
#pragma once

#include "document/RecordList.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dravenloom {

// One change a step made, able to take itself back and make itself again.
class HistoryChange {
public:
    virtual ~HistoryChange() = default;
    virtual void Undo() = 0;
    virtual void Redo() = 0;
    // What it holds, roughly, in bytes: the history stays within its budget by it.
    virtual std::size_t Size() const = 0;
};

// The lines from `Index` on that were `Before` became `After`.
class LinesChange : public HistoryChange {
public:
    LinesChange(RecordList& list, std::size_t index, std::vector<std::string> before,
                std::vector<std::string> after);
    void Undo() override;
    void Redo() override;
    std::size_t Size() const override;

private:
    void Put(const std::vector<std::string>& from, const std::vector<std::string>& to);

    RecordList& List;
    std::size_t Index;
    std::vector<std::string> Before;
    std::vector<std::string> After;
};

// Where the editor stood: what undoing a step goes back to and redoing it goes forward to.
struct GuidePosition {
    std::int32_t RecordCount = 1;
    std::int32_t CurrentRecord = 1;
    // "Next" and "Remove" were off, waiting for the dialogue of a record just appended.
    bool AwaitingDialogue = false;

    bool operator==(const GuidePosition&) const = default;
};

enum class StepKind {
    Typing,  // a commit of the Edit View: typing is grouped per visit to a record
    Command, // a command on the guide: create, remove, picture
    Options, // the appearance options: not part of the guide file
};

struct HistoryStep {
    StepKind Kind = StepKind::Command;
    std::string Label; // "Remove record 3", "Typing in record 5"
    std::vector<std::unique_ptr<HistoryChange>> Changes;
    GuidePosition Before;
    GuidePosition After;
    std::int32_t Record = 0; // the record typed in (Typing)
    std::uint64_t Visit = 0; // which visit to the record it was typed in (Typing)
    std::string OptionField; // the option changed (Options), for grouping typing in it

    std::size_t Size() const;
};

class UndoHistory : public ListObserver {
public:
    // Steps beyond either limit are forgotten from the oldest on.
    static constexpr std::size_t MaxSteps = 500;
    static constexpr std::size_t MaxBytes = std::size_t{64} << 20;

    UndoHistory() = default;
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    // Hears every store into `list` from now on.
    void Attach(RecordList& list) {
        List = &list;
        list.Observer = this;
    }

    // A command's steps are grouped from Begin to End; groups may nest, and only the outermost
    // makes a step. A group with no change and no move of the record count makes none.
    void Begin(StepKind kind, std::string label, GuidePosition before, std::int32_t record = 0);
    void End(GuidePosition after);
    bool Grouping() const { return Depth > 0; }

    // A change made inside a group (a change outside any makes a step of its own).
    void Add(std::unique_ptr<HistoryChange> change);
    void LinesReplaced(std::size_t index, std::vector<std::string> before,
                       std::vector<std::string> after) override;
    // The options step: grouped with the step before when it changed the same text field.
    void AddOptionsStep(std::string label, std::string field,
                        std::unique_ptr<HistoryChange> change);

    // The record shown now is another visit: typing there starts a new step.
    void NewVisit() { ++Visit; }

    bool CanUndo() const { return Position > 0; }
    bool CanRedo() const { return Position < Steps.size(); }
    const HistoryStep* NextUndo() const { return CanUndo() ? &Steps[Position - 1] : nullptr; }
    const HistoryStep* NextRedo() const { return CanRedo() ? &Steps[Position] : nullptr; }
    // Takes the step back (or makes it again) and returns it, so that the caller can put the
    // editor where the step says.
    const HistoryStep* Undo();
    const HistoryStep* Redo();

    // The guide was written: the steps from here back or forth to this point change nothing
    // that the file holds.
    void MarkSaved();
    // Whether the guide stands as it was when last written (or opened).
    bool AtSavedPoint() const;
    // Forgets every step; the guide as it stands is the saved one.
    void Clear();
    // No state in the history is the one on disk any more (a guide put back from a recovery
    // copy differs from its file in ways no step records): only the next write makes one.
    void ForgetSavedPoint() { SavedPosition.reset(); }

    std::size_t StepCount() const { return Steps.size(); }
    std::size_t Bytes() const;

private:
    void Push(HistoryStep step);
    bool MergesIntoLast(const HistoryStep& step) const;
    void Trim();

    RecordList* List = nullptr;
    std::vector<HistoryStep> Steps;
    std::size_t Position = 0; // steps before it are done, the others undone
    // The position of the last save, counted in the steps as they stand; none once the steps
    // that led to it were dropped.
    std::optional<std::size_t> SavedPosition = 0;
    int Depth = 0;
    HistoryStep Open;
    std::uint64_t Visit = 0;
};

} // namespace dravenloom
