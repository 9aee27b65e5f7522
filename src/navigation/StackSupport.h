// TStack: a last-in-first-out stack of record numbers (the Demonstration's walk history).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dravenloom {

class TStack {
public:
    void Push(std::int32_t record) { Entries.push_back(record); }
    // The top entry; an IndexError on an empty stack (callers check HasAtLeast(1) first).
    std::int32_t Peek() const;
    // The top entry, removed; an IndexError on an empty stack.
    std::int32_t Pop();
    bool HasAtLeast(std::size_t count) const { return Entries.size() >= count; }

private:
    std::vector<std::int32_t> Entries;
};

} // namespace dravenloom
