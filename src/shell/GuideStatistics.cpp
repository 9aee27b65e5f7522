// Counting a guide's records, responses, words and links, and walking it from record 1.
#include "shell/GuideStatistics.h"

#include "document/EditView.h"
#include "document/NumberText.h"
#include "preview/Wrapping.h"

#include <algorithm>
#include <deque>
#include <unordered_map>

namespace dravenloom {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::size_t CountWords(std::string_view text) {
    std::size_t words = 0;
    bool inWord = false;
    for (char c : text) {
        const bool blank = IsBlank(c);
        if (!blank && !inWord)
            ++words;
        inWord = !blank;
    }
    return words;
}

bool HasPicture(std::string_view path) {
    return std::any_of(path.begin(), path.end(),
                       [](char c) { return static_cast<unsigned char>(c) > 0x20; });
}

void SortUnique(std::vector<std::int32_t>& numbers) {
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
}

} // namespace

GuideStatistics ComputeStatistics(const RecordList& records, std::int32_t recordCount) {
    GuideStatistics stats;
    stats.Records = recordCount;
    // The jumps out of each record with lines (its first block), in the order of its lines.
    std::unordered_map<std::int32_t, std::vector<std::int32_t>> jumps;
    std::unordered_map<std::int32_t, std::size_t> responsesOf;
    std::vector<std::int32_t> present;
    std::int32_t previous = 0;
    bool counted = false; // whether the block being read is its record's first
    int slot = 0;
    for (std::size_t i = 0; i < records.Lines.size(); ++i) {
        const std::string& line = records.Lines[i];
        const std::int32_t number = LineNumber(line);
        const bool response = i > 0 && number == previous;
        previous = number;
        const std::string_view text = LineText(line);
        if (!response) {
            slot = 0;
            counted = jumps.try_emplace(number).second;
            if (counted) {
                present.push_back(number);
                responsesOf[number] = 0;
            }
            stats.Words += CountWords(text);
            if (counted && HasPicture(ParsePrimaryLine(line).GraphicPath))
                ++stats.Pictures;
            continue;
        }
        ++stats.Responses;
        stats.Words += CountWords(text);
        if (FindLink(text))
            ++stats.WebLinks;
        const auto target = ReadNumber(LineTarget(line));
        if (target)
            ++stats.Jumps;
        // The editor reads six responses of a record's first block; the walk follows those.
        if (!counted || ++slot > ResponseSlots)
            continue;
        ++responsesOf[number];
        if (!target)
            continue;
        if (*target < 1 || *target > recordCount)
            stats.Dangling.push_back(number);
        else
            jumps[number].push_back(*target);
    }
    SortUnique(stats.Dangling);

    // The shortest walks from record 1, one click per jump.
    std::unordered_map<std::int32_t, std::int32_t> clicks;
    std::deque<std::int32_t> queue;
    if (recordCount >= 1) {
        clicks[1] = 0;
        queue.push_back(1);
    }
    while (!queue.empty()) {
        const std::int32_t record = queue.front();
        queue.pop_front();
        const std::int32_t depth = clicks[record];
        stats.Depth = std::max(stats.Depth, depth);
        const auto responses = responsesOf.find(record);
        // A record without lines shows an empty screen: the walk ends there too.
        if (responses == responsesOf.end() || responses->second == 0)
            stats.Endings.push_back(record);
        const auto out = jumps.find(record);
        if (out == jumps.end())
            continue;
        for (const std::int32_t next : out->second)
            if (clicks.try_emplace(next, depth + 1).second)
                queue.push_back(next);
    }
    SortUnique(stats.Endings);
    for (const std::int32_t record : present)
        if (record >= 1 && record <= recordCount && !clicks.count(record))
            stats.Unreachable.push_back(record);
    SortUnique(stats.Unreachable);
    return stats;
}

} // namespace dravenloom
