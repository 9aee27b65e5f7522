// Standard output written straight to its file descriptor, so that a write that fails (a full
// disk, a closed pipe) is noticed, with its reason.
#pragma once

#include <streambuf>
#include <vector>

namespace dravenloom::cli {

class DescriptorOutput : public std::streambuf {
public:
    explicit DescriptorOutput(int descriptor);
    DescriptorOutput(const DescriptorOutput&) = delete;
    DescriptorOutput& operator=(const DescriptorOutput&) = delete;

    // The errno of the first write that failed; 0 while none has. After a failure every later
    // write fails too, so the stream over this buffer goes bad and stays bad.
    int Error() const { return FirstError; }

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    // Writes what the buffer holds; false when the descriptor refuses it.
    bool Drain();

    int Descriptor;
    int FirstError = 0;
    std::vector<char> Buffer;
};

} // namespace dravenloom::cli
