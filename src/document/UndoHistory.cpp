// The record history.
#include "document/UndoHistory.h"

#include <algorithm>

namespace dravenloom {

namespace {

std::size_t LinesSize(const std::vector<std::string>& lines) {
    std::size_t bytes = 0;
    for (const auto& line : lines)
        bytes += line.size() + sizeof(std::string);
    return bytes;
}

} // namespace

LinesChange::LinesChange(RecordList& list, std::size_t index, std::vector<std::string> before,
                         std::vector<std::string> after)
    : List(list), Index(index), Before(std::move(before)), After(std::move(after)) {}

void LinesChange::Put(const std::vector<std::string>& from, const std::vector<std::string>& to) {
    auto& lines = List.Lines;
    const auto start = lines.begin() + static_cast<std::ptrdiff_t>(Index);
    const auto common = std::min(from.size(), to.size());
    std::copy(to.begin(), to.begin() + static_cast<std::ptrdiff_t>(common), start);
    if (to.size() > from.size())
        lines.insert(start + static_cast<std::ptrdiff_t>(common),
                     to.begin() + static_cast<std::ptrdiff_t>(common), to.end());
    else if (from.size() > to.size())
        lines.erase(start + static_cast<std::ptrdiff_t>(common),
                    start + static_cast<std::ptrdiff_t>(from.size()));
}

void LinesChange::Undo() {
    Put(After, Before);
}
void LinesChange::Redo() {
    Put(Before, After);
}

std::size_t LinesChange::Size() const {
    return sizeof(*this) + LinesSize(Before) + LinesSize(After);
}

std::size_t HistoryStep::Size() const {
    std::size_t bytes = sizeof(*this) + Label.size() + OptionField.size();
    for (const auto& change : Changes)
        bytes += change->Size();
    return bytes;
}

void UndoHistory::Begin(StepKind kind, std::string label, GuidePosition before,
                        std::int32_t record) {
    if (Depth++ > 0)
        return;
    Open = HistoryStep{};
    Open.Kind = kind;
    Open.Label = std::move(label);
    Open.Before = before;
    Open.Record = record;
    Open.Visit = Visit;
}

void UndoHistory::End(GuidePosition after) {
    if (Depth == 0 || --Depth > 0)
        return;
    HistoryStep step = std::move(Open);
    Open = HistoryStep{};
    // Moving between records changes nothing the history keeps; only a change of the list or
    // of the record count is a step.
    if (step.Changes.empty() && step.Before.RecordCount == after.RecordCount)
        return;
    step.After = after;
    if (MergesIntoLast(step)) {
        HistoryStep& last = Steps.back();
        for (auto& change : step.Changes)
            last.Changes.push_back(std::move(change));
        last.After = step.After;
        Trim();
        return;
    }
    Push(std::move(step));
}

void UndoHistory::Add(std::unique_ptr<HistoryChange> change) {
    if (Depth > 0) {
        Open.Changes.push_back(std::move(change));
        return;
    }
    // Nothing outside a command changes the guide; should something, it can still be undone.
    HistoryStep step;
    step.Label = "Change";
    step.Changes.push_back(std::move(change));
    Push(std::move(step));
}

void UndoHistory::LinesReplaced(std::size_t index, std::vector<std::string> before,
                                std::vector<std::string> after) {
    // The list is the one whose observer this is; LinesChange needs it to act on, which the
    // document hands over by Attach.
    if (!List)
        return;
    Add(std::make_unique<LinesChange>(*List, index, std::move(before), std::move(after)));
}

void UndoHistory::AddOptionsStep(std::string label, std::string field,
                                 std::unique_ptr<HistoryChange> change) {
    HistoryStep step;
    step.Kind = StepKind::Options;
    step.Label = std::move(label);
    step.OptionField = std::move(field);
    step.Changes.push_back(std::move(change));
    if (MergesIntoLast(step)) {
        Steps.back().Changes.push_back(std::move(step.Changes.front()));
        Trim();
        return;
    }
    Push(std::move(step));
}

bool UndoHistory::MergesIntoLast(const HistoryStep& step) const {
    if (Steps.empty() || Position != Steps.size())
        return false;
    const HistoryStep& last = Steps.back();
    if (last.Kind != step.Kind)
        return false;
    if (step.Kind == StepKind::Typing)
        // A save ends the group, so that undoing can come back to the state saved.
        return last.Record == step.Record && last.Visit == step.Visit && SavedPosition != Position;
    if (step.Kind == StepKind::Options)
        return !step.OptionField.empty() && last.OptionField == step.OptionField;
    return false;
}

void UndoHistory::Push(HistoryStep step) {
    Steps.erase(Steps.begin() + static_cast<std::ptrdiff_t>(Position), Steps.end());
    if (SavedPosition && *SavedPosition > Position)
        SavedPosition.reset(); // the saved state was among the steps just undone and dropped
    Steps.push_back(std::move(step));
    ++Position;
    Trim();
}

void UndoHistory::Trim() {
    std::size_t drop = Steps.size() > MaxSteps ? Steps.size() - MaxSteps : 0;
    std::size_t bytes = Bytes();
    for (std::size_t i = 0; i < drop; ++i)
        bytes -= Steps[i].Size();
    // The step just made always stays, however large.
    while (bytes > MaxBytes && drop + 1 < Steps.size())
        bytes -= Steps[drop++].Size();
    if (drop == 0)
        return;
    Steps.erase(Steps.begin(), Steps.begin() + static_cast<std::ptrdiff_t>(drop));
    Position -= std::min(Position, drop);
    if (SavedPosition) {
        if (*SavedPosition < drop)
            SavedPosition.reset();
        else
            *SavedPosition -= drop;
    }
}

const HistoryStep* UndoHistory::Undo() {
    if (!CanUndo())
        return nullptr;
    HistoryStep& step = Steps[--Position];
    for (auto change = step.Changes.rbegin(); change != step.Changes.rend(); ++change)
        (*change)->Undo();
    ++Visit;
    return &step;
}

const HistoryStep* UndoHistory::Redo() {
    if (!CanRedo())
        return nullptr;
    HistoryStep& step = Steps[Position++];
    for (auto& change : step.Changes)
        change->Redo();
    ++Visit;
    return &step;
}

void UndoHistory::MarkSaved() {
    SavedPosition = Position;
}

bool UndoHistory::AtSavedPoint() const {
    if (!SavedPosition)
        return false;
    const auto from = std::min(Position, *SavedPosition);
    const auto to = std::max(Position, *SavedPosition);
    return std::all_of(Steps.begin() + static_cast<std::ptrdiff_t>(from),
                       Steps.begin() + static_cast<std::ptrdiff_t>(to),
                       [](const HistoryStep& step) { return step.Kind == StepKind::Options; });
}

void UndoHistory::Clear() {
    Steps.clear();
    Position = 0;
    SavedPosition = 0;
    Depth = 0;
    Open = HistoryStep{};
    ++Visit;
}

std::size_t UndoHistory::Bytes() const {
    std::size_t bytes = 0;
    for (const auto& step : Steps)
        bytes += step.Size();
    return bytes;
}

} // namespace dravenloom
