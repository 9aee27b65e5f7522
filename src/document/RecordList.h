// The whole guide in memory: an ordered list of record lines, and the operations that read and
// write one record in it.
#pragma once

#include "document/RecordCodec.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dravenloom {

class RecordList {
public:
    std::vector<std::string> Lines;

    RecordList() = default;
    explicit RecordList(std::vector<std::string> lines) : Lines(std::move(lines)) {}

    std::size_t Count() const { return Lines.size(); }
    bool Empty() const { return Lines.empty(); }
    void Clear() { Lines.clear(); }

    // Index of the first line whose number is `number`; every line passed is read, so a
    // malformed line before it fails with a ConversionError.
    std::optional<std::size_t> FindPrimaryLine(std::int32_t number) const;

    // Updates record `number` in place: its primary line, then exactly one response line per
    // non-empty slot, in slot order, without touching any other record's lines. A record
    // without lines gets them before the first record with a higher number (at the end when
    // there is none). Stores nothing when both the dialogue and the picture path are empty.
    void StoreRecord(std::int32_t number, const GuideRecord& record);

    // Record `number`, or the defaults when it has no lines.
    GuideRecord ReadRecord(std::int32_t number) const;

    // The number of the last line; an IndexError on an empty list.
    std::int32_t CountFromLastLine() const;

    // The record numbers (as the text before their NumberMark) of the response lines whose
    // target is `number`, in list order, one entry per linking response line.
    std::vector<std::string> JumpedFrom(std::int32_t number) const;

private:
    // Where record `number` stands: the index of its first line, or, when it has none, the
    // index of the first line with a higher number (the end of the list when there is none).
    struct Place {
        std::optional<std::size_t> Found;
        std::size_t Insert;
    };
    Place LocateRecord(std::int32_t number) const;
};

} // namespace dravenloom
