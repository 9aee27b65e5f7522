// "Statistics" over the record list.
#include "shell/StatisticsCommand.h"

#include "document/NumberText.h"
#include "shell/GuideForm.h"

namespace dravenloom {

namespace {

std::string Number(std::size_t n) {
    return IntToStr(static_cast<std::int64_t>(n));
}

} // namespace

StatisticsCommand::StatisticsCommand(GuideForm& form) : Form(form) {}

void StatisticsCommand::Refresh() {
    Form.Editor.CommitRecord();
    Stats = ComputeStatistics(Form.Document.Records, Form.Document.RecordCount);
}

std::vector<std::pair<std::string, std::string>> StatisticsCommand::Lines() const {
    return {{"Records:", IntToStr(Stats.Records)},
            {"Responses:", Number(Stats.Responses)},
            {"Words:", Number(Stats.Words)},
            {"Responses that jump:", Number(Stats.Jumps)},
            {"Web links:", Number(Stats.WebLinks)},
            {"Pictures:", Number(Stats.Pictures)},
            {"Unreachable records:", Number(Stats.Unreachable.size())},
            {"Endings:", Number(Stats.Endings.size())},
            {"Depth (clicks from record 1):", IntToStr(Stats.Depth)},
            {"Records with dangling targets:", Number(Stats.Dangling.size())}};
}

bool StatisticsCommand::GoToRecord(std::int32_t record) {
    // A walk past the last record would add records: only a record the guide has is walked to.
    if (record < 1 || record > Form.Document.RecordCount)
        return false;
    Form.Editor.CommitRecord();
    Form.Pages.ActivePage = Page::EditView;
    if (record != Form.Document.CurrentRecord) {
        Form.Nav.LastViewedRecord = Form.Document.CurrentRecord;
        Form.Nav.WalkToRecord(record);
    }
    return true;
}

} // namespace dravenloom
