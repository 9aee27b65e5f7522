// Reading and writing one record in the record list.
#include "document/RecordList.h"

#include "document/Errors.h"
#include "document/NumberText.h"

#include <iterator>

namespace dravenloom {

std::optional<std::size_t> RecordList::FindPrimaryLine(std::int32_t number) const {
    for (std::size_t i = 0; i < Lines.size(); ++i)
        if (LineNumber(Lines[i]) == number)
            return i;
    return std::nullopt;
}

RecordList::Place RecordList::LocateRecord(std::int32_t number) const {
    // One pass does both: the search for the record's first line reads every line's number
    // anyway, and the first higher number on the way is where a new record belongs.
    Place place{std::nullopt, Lines.size()};
    bool higherSeen = false;
    for (std::size_t i = 0; i < Lines.size(); ++i) {
        const std::int32_t current = LineNumber(Lines[i]);
        if (current == number) {
            place.Found = i;
            return place;
        }
        if (!higherSeen && current > number) {
            place.Insert = i;
            higherSeen = true;
        }
    }
    return place;
}

std::size_t RecordList::BlockLength(std::size_t first, std::int32_t number) const {
    std::size_t end = first;
    while (end < Lines.size() && LineNumber(Lines[end]) == number)
        ++end;
    return end - first;
}

void RecordList::StoreRecord(std::int32_t number, const GuideRecord& record) {
    if (record.Dialogue.empty() && record.GraphicPath.empty())
        return;
    const Place place = LocateRecord(number);
    if (!Observer) {
        Store(number, record, place);
        return;
    }
    // The store only ever rewrites the record's own run of lines, so that run before and after
    // is the whole change.
    const std::size_t first = place.Found ? *place.Found : place.Insert;
    const auto from = Lines.begin() + static_cast<std::ptrdiff_t>(first);
    std::vector<std::string> before(
        from, from + static_cast<std::ptrdiff_t>(place.Found ? BlockLength(first, number) : 0));
    Store(number, record, place);
    const auto start = Lines.begin() + static_cast<std::ptrdiff_t>(first);
    std::vector<std::string> after(start,
                                   start + static_cast<std::ptrdiff_t>(BlockLength(first, number)));
    if (before != after)
        Observer->LinesReplaced(first, std::move(before), std::move(after));
}

bool RecordList::WouldChange(std::int32_t number, const GuideRecord& record) const {
    if (record.Dialogue.empty() && record.GraphicPath.empty())
        return false;
    const Place place = LocateRecord(number);
    if (!place.Found)
        return true;
    // The record's own lines are all a store can touch: storing into a copy of them tells.
    const auto from = Lines.begin() + static_cast<std::ptrdiff_t>(*place.Found);
    RecordList own(std::vector<std::string>(
        from, from + static_cast<std::ptrdiff_t>(BlockLength(*place.Found, number))));
    const auto before = own.Lines;
    own.Store(number, record, Place{0, 0});
    return own.Lines != before;
}

void RecordList::Store(std::int32_t number, const GuideRecord& record, const Place& place) {
    std::string primary = BuildPrimaryLine(number, record.Dialogue, record.GraphicPath,
                                           record.GraphicX, record.GraphicY, record.Center);
    const auto& found = place.Found;
    if (!found) {
        // A walk past the last record leaves several records without lines, and they may be
        // written in any order; each goes before the first higher-numbered record so that the
        // list stays in ascending order (the record count is read from its last line). That
        // line is always a primary line, so no record is split.
        std::vector<std::string> added;
        added.reserve(1 + record.Responses.size());
        added.push_back(std::move(primary));
        for (const auto& slot : record.Responses)
            if (!slot.Text.empty())
                added.push_back(BuildResponseLine(number, slot.Text, slot.Target));
        Lines.insert(Lines.begin() + static_cast<std::ptrdiff_t>(place.Insert),
                     std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
        return;
    }
    Lines[*found] = std::move(primary);
    // Realign the response lines with the slots by walking a cursor behind the primary line.
    std::ptrdiff_t c = static_cast<std::ptrdiff_t>(*found);
    for (const auto& slot : record.Responses) {
        ++c;
        const bool hasText = !slot.Text.empty();
        if (c < static_cast<std::ptrdiff_t>(Lines.size())) {
            const bool ours = LineNumber(Lines[c]) == number;
            if (!hasText && ours) {
                Lines.erase(Lines.begin() + c);
                --c;
            } else if (hasText && ours) {
                Lines[c] = BuildResponseLine(number, slot.Text, slot.Target);
            } else if (hasText) {
                Lines.insert(Lines.begin() + c, BuildResponseLine(number, slot.Text, slot.Target));
            } else {
                --c;
            }
        } else if (hasText) {
            Lines.push_back(BuildResponseLine(number, slot.Text, slot.Target));
        } else {
            --c;
        }
    }
}

GuideRecord RecordList::ReadRecord(std::int32_t number) const {
    GuideRecord record;
    const auto found = FindPrimaryLine(number);
    if (!found)
        return record;
    PrimaryFields primary = ParsePrimaryLine(Lines[*found]);
    record.Dialogue = std::move(primary.Dialogue);
    record.GraphicPath = std::move(primary.GraphicPath);
    record.GraphicX = std::move(primary.GraphicX);
    record.GraphicY = std::move(primary.GraphicY);
    record.Center = primary.Center;
    std::size_t next = *found + 1;
    for (auto& slot : record.Responses) {
        if (next >= Lines.size() || LineNumber(Lines[next]) != number)
            break;
        slot = ParseResponseLine(Lines[next]);
        ++next;
    }
    return record;
}

std::int32_t RecordList::CountFromLastLine() const {
    if (Lines.empty())
        throw IndexError("List index out of bounds (-1)");
    return LineNumber(Lines.back());
}

std::vector<std::string> RecordList::JumpedFrom(std::int32_t number) const {
    std::vector<std::string> sources;
    if (Lines.empty())
        return sources;
    std::int32_t previous = LineNumber(Lines[0]);
    for (std::size_t i = 1; i < Lines.size(); ++i) {
        const std::int32_t current = LineNumber(Lines[i]);
        if (current == previous) {
            const auto target = LineTarget(Lines[i]);
            // A target that is not a number cannot name this record; a damaged file must not
            // stop every record from loading.
            const auto value = ReadNumber(target);
            if (value && *value == number)
                sources.emplace_back(Lines[i].substr(0, Lines[i].find(NumberMark)));
        }
        previous = current;
    }
    return sources;
}

} // namespace dravenloom
