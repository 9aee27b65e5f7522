// "Find..." and "Replace..." over the record list.
#include "shell/FindReplaceCommand.h"

#include "document/Cp1252.h"
#include "document/GuideReplace.h"
#include "document/NumberText.h"
#include "shell/GuideForm.h"

#include <memory>

namespace dravenloom {

namespace {

std::string Count(std::size_t n, const char* one, const char* many) {
    return IntToStr(static_cast<std::int64_t>(n)) + " " + (n == 1 ? one : many);
}

std::size_t RecordsIn(const std::vector<GuideMatch>& matches) {
    std::size_t records = 0;
    std::int32_t last = 0;
    for (const GuideMatch& match : matches)
        if (match.Record != last) {
            ++records;
            last = match.Record;
        }
    return records;
}

std::string_view FieldText(const RecordList& records, const GuideMatch& match) {
    const std::string& line = records.Lines[match.Line];
    const TextSpan span = LineTextSpan(line);
    return std::string_view(line).substr(span.Begin, span.End - span.Begin);
}

} // namespace

std::string MatchPlace(const GuideMatch& match) {
    return "Record " + IntToStr(match.Record) + ", " + FieldName(match);
}

FindReplaceCommand::FindReplaceCommand(GuideForm& form) : Form(form) {}

std::optional<TextPattern> FindReplaceCommand::Compile() {
    BrokenAt.reset();
    try {
        std::optional<TextPattern> pattern;
        pattern.emplace(FindText, SearchOptions{MatchCase.Checked, WholeWord.Checked,
                                                RegularExpression.Checked});
        return pattern;
    } catch (const PatternError& error) {
        Said = error.what();
        if (error.Offset != std::string::npos)
            BrokenAt = error.Offset;
        return std::nullopt;
    }
}

void FindReplaceCommand::Search() {
    // What the author typed counts: the search reads the list, not the Edit View.
    Form.Editor.CommitRecord();
    Listed.clear();
    Found.clear();
    FoundText.clear();
    Selected = {};
    const std::optional<TextPattern> pattern = Compile();
    if (!pattern)
        return;
    Found = FindInGuide(Form.Document.Records, *pattern);
    Listed.reserve(Found.size());
    FoundText.reserve(Found.size());
    for (const GuideMatch& match : Found) {
        const std::string_view text = FieldText(Form.Document.Records, match);
        const MatchContext context = ContextOf(text, match.Start, match.Length);
        Listed.push_back({match.Record, MatchPlace(match), Cp1252ToUtf8(context.Before),
                          Cp1252ToUtf8(context.Match), Cp1252ToUtf8(context.After)});
        FoundText.emplace_back(text.substr(match.Start, match.Length));
    }
    Said = Found.empty() ? std::string("No matches.")
                         : Count(Found.size(), "match", "matches") + " in " +
                               Count(RecordsIn(Found), "record.", "records.");
}

bool FindReplaceCommand::StillThere(std::size_t row) const {
    if (row >= Found.size())
        return false;
    const GuideMatch& match = Found[row];
    const RecordList& records = Form.Document.Records;
    if (match.Line >= records.Lines.size())
        return false;
    std::int32_t number = 0;
    if (!TryLineNumber(records.Lines[match.Line], number) || number != match.Record)
        return false;
    const TextSpan span = LineTextSpan(records.Lines[match.Line]);
    if (!span.Valid() || match.Start + match.Length > span.End - span.Begin)
        return false;
    return FieldText(records, match).substr(match.Start, match.Length) == FoundText[row];
}

bool FindReplaceCommand::GoToMatch(std::size_t row) {
    Form.Editor.CommitRecord();
    if (!StillThere(row)) {
        if (row < Found.size()) {
            Search();
            Said = "The guide changed since the search: " + Said;
        }
        return false;
    }
    const GuideMatch match = Found[row];
    if (match.Record < 1 || match.Record > Form.Document.RecordCount)
        return false;
    Form.Pages.ActivePage = Page::EditView;
    if (match.Record != Form.Document.CurrentRecord) {
        Form.Nav.LastViewedRecord = Form.Document.CurrentRecord;
        Form.Nav.WalkToRecord(match.Record);
    }
    const TextField& field = match.Field == MatchField::Dialogue ? Form.View.DialogueMemo
                                                                 : Form.View.Memo(match.Response);
    Selected = {&field, match.Start, match.Length};
    return true;
}

bool FindReplaceCommand::Replace(const std::vector<GuideMatch>& matches, const TextPattern& pattern,
                                 const std::string& label) {
    ReplacePlan plan;
    try {
        plan = PlanReplacements(Form.Document.Records, pattern, matches, ReplaceText);
    } catch (const PatternError& error) {
        Said = error.what();
        return false;
    }
    if (!plan.Refusal.empty()) {
        Said = plan.Refusal;
        Form.Host.ShowMessage(ValidationError(plan.Refusal));
        return false;
    }
    if (plan.Edits.empty()) {
        Said = "Nothing was replaced: the replacement is the text it would replace.";
        return false;
    }
    {
        HistoryGroup step(Form.Document, StepKind::Command, label);
        ApplyLineEdits(Form.Document.Records, plan.Edits);
        Form.Document.History.Add(
            std::make_unique<LineEditsChange>(Form.Document.Records, std::move(plan.Edits)));
        // The record on show may be among those changed.
        Form.Editor.LoadRecord();
    }
    Form.Document.MarkModified();
    Form.Tree.RecordsRenumbered();
    if (Form.Pages.ActivePage == Page::LogicView)
        Form.Tree.Build();
    const std::string done = "Replaced " + Count(plan.Replacements, "match", "matches") + " in " +
                             Count(plan.Records, "record.", "records.");
    Search();
    Said = done + " " + Said;
    return true;
}

bool FindReplaceCommand::ReplaceMatch(std::size_t row) {
    Form.Editor.CommitRecord();
    if (!StillThere(row)) {
        if (row < Found.size()) {
            Search();
            Said = "The guide changed since the search: " + Said;
        }
        return false;
    }
    const std::optional<TextPattern> pattern = Compile();
    if (!pattern)
        return false;
    const GuideMatch match = Found[row];
    return Replace({match}, *pattern, "Replace in record " + IntToStr(match.Record));
}

bool FindReplaceCommand::ReplaceAll() {
    Search();
    if (Found.empty())
        return false;
    const std::optional<TextPattern> pattern = Compile();
    if (!pattern)
        return false;
    const std::vector<GuideMatch> matches = Found;
    return Replace(matches, *pattern, "Replace All");
}

} // namespace dravenloom
