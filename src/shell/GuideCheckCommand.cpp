// "Check Guide" over the record list, and the walk to a finding's record.
#include "shell/GuideCheckCommand.h"

#include "document/NumberText.h"
#include "shell/GuideForm.h"

namespace dravenloom {

GuideCheckCommand::GuideCheckCommand(GuideForm& form) : Form(form) {}

std::string FindingLine(const GuideFinding& finding) {
    if (finding.Record > 0)
        return "Record " + IntToStr(finding.Record) + ": " + finding.Message;
    if (finding.Line > 0)
        return "Line " + IntToStr(static_cast<std::int64_t>(finding.Line)) + ": " + finding.Message;
    return finding.Message;
}

void GuideCheckCommand::Refresh() {
    // What the author typed counts: the check reads the list, not the Edit View.
    Form.Editor.CommitRecord();
    const GuideCheckResult result = CheckGuideLines(Form.Document.Records.Lines);
    Found.clear();
    Found.reserve(result.Findings.size());
    for (const GuideFinding& finding : result.Findings)
        Found.push_back({finding.Record, FindingLine(finding)});
}

std::string GuideCheckCommand::Summary() const {
    if (Found.empty())
        return NoProblemsFoundText;
    return Found.size() == 1
               ? std::string("1 problem found.")
               : IntToStr(static_cast<std::int64_t>(Found.size())) + " problems found.";
}

bool GuideCheckCommand::GoToFinding(std::size_t index) {
    if (index >= Found.size())
        return false;
    const std::int32_t record = Found[index].Record;
    // The guide may have changed since the check; a walk past the last record would add
    // records, so only a record the guide has is walked to.
    if (record < 1 || record > Form.Document.RecordCount)
        return false;
    Form.Editor.CommitRecord();
    Form.Pages.ActivePage = Page::EditView;
    Form.Nav.LastViewedRecord = Form.Document.CurrentRecord;
    Form.Nav.WalkToRecord(record);
    return true;
}

} // namespace dravenloom
