// Standard output over its file descriptor.
#include "StandardOutput.h"

#include <cerrno>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace dravenloom::cli {
namespace {

constexpr std::size_t BufferSize = 1 << 16;

long WriteSome(int descriptor, const char* data, std::size_t size) {
#ifdef _WIN32
    return _write(descriptor, data, static_cast<unsigned>(size));
#else
    return static_cast<long>(::write(descriptor, data, size));
#endif
}

} // namespace

DescriptorOutput::DescriptorOutput(int descriptor) : Descriptor(descriptor), Buffer(BufferSize) {
    setp(Buffer.data(), Buffer.data() + Buffer.size());
}

bool DescriptorOutput::Drain() {
    if (FirstError != 0)
        return false;
    const char* next = pbase();
    while (next < pptr()) {
        const long written = WriteSome(Descriptor, next, static_cast<std::size_t>(pptr() - next));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            FirstError = written < 0 ? errno : EIO;
            return false;
        }
        next += written;
    }
    setp(Buffer.data(), Buffer.data() + Buffer.size());
    return true;
}

DescriptorOutput::int_type DescriptorOutput::overflow(int_type c) {
    if (!Drain())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int DescriptorOutput::sync() {
    return Drain() ? 0 : -1;
}

} // namespace dravenloom::cli
