// "Statistics": the figures of the guide as the Edit View last stored it, and the walk to a
// record of its lists (unreachable records, endings, dangling targets).
#pragma once

#include "shell/GuideStatistics.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace dravenloom {

class GuideForm;

class StatisticsCommand {
public:
    explicit StatisticsCommand(GuideForm& form);

    // Stores the Edit View into the record list, then counts the list as it now stands.
    void Refresh();
    const GuideStatistics& Figures() const { return Stats; }
    // The figures as the window shows them: a caption and a value, one pair a line.
    std::vector<std::pair<std::string, std::string>> Lines() const;

    // The record in the Edit View, walked to as "Go there" walks. False, with nothing moved,
    // when the guide has no such record now.
    bool GoToRecord(std::int32_t record);

private:
    GuideForm& Form;
    GuideStatistics Stats;
};

} // namespace dravenloom
