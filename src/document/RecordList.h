// The whole guide in memory: an ordered list of record lines, and the operations that read and
// write one record in it.
#pragma once

#include "document/RecordCodec.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace dravenloom {

// Told of every change StoreRecord makes: the lines from `index` on that were `before` are now
// the `after` lines. The record history keeps these instead of copies of the guide.
class ListObserver {
public:
    virtual ~ListObserver() = default;
    virtual void LinesReplaced(std::size_t index, std::vector<std::string> before,
                               std::vector<std::string> after) = 0;
};

class RecordList {
public:
    std::vector<std::string> Lines;
    // Hears the changes StoreRecord makes; a copy of the list has none, so that working on a
    // copy (a save, a recovery copy) never reaches the history.
    ListObserver* Observer = nullptr;

    RecordList() = default;
    explicit RecordList(std::vector<std::string> lines) : Lines(std::move(lines)) {}
    RecordList(const RecordList& other) : Lines(other.Lines) {}
    RecordList& operator=(const RecordList& other) {
        Lines = other.Lines;
        return *this;
    }
    RecordList(RecordList&& other) noexcept : Lines(std::move(other.Lines)) {}
    RecordList& operator=(RecordList&& other) noexcept {
        Lines = std::move(other.Lines);
        return *this;
    }

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

    // Whether StoreRecord(number, record) would change any line.
    bool WouldChange(std::int32_t number, const GuideRecord& record) const;

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
    // The lines of record `number` that follow one another from `first` on.
    std::size_t BlockLength(std::size_t first, std::int32_t number) const;
    void Store(std::int32_t number, const GuideRecord& record, const Place& place);
};

} // namespace dravenloom
