// TStack.
#include "navigation/StackSupport.h"

#include "document/Errors.h"

namespace dravenloom {

std::int32_t TStack::Peek() const {
    if (Entries.empty())
        throw IndexError("The record history is empty");
    return Entries.back();
}

std::int32_t TStack::Pop() {
    const std::int32_t top = Peek();
    Entries.pop_back();
    return top;
}

} // namespace dravenloom
