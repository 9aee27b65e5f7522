// Reading and writing guide files.
#include "document/GuideFile.h"

#include "document/Errors.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace dravenloom {
namespace {

std::filesystem::path PathOf(const std::string& utf8) {
    return PathFromText(utf8);
}

std::string Describe(const std::error_code& error) {
    return error.message();
}

} // namespace

std::vector<std::string> SplitGuideText(const std::string& contents) {
    std::vector<std::string> lines;
    std::size_t end = contents.find('\0');
    if (end == std::string::npos)
        end = contents.size();
    // Each line is copied in one piece: a guide of 100,000 records is tens of megabytes.
    std::size_t start = 0;
    while (start < end) {
        std::size_t stop = start;
        while (stop < end && contents[stop] != '\r' && contents[stop] != '\n')
            ++stop;
        lines.emplace_back(contents, start, stop - start);
        if (stop == end)
            break; // a last line without line end
        start = stop + 1;
        if (contents[stop] == '\r' && start < end && contents[start] == '\n')
            ++start;
    }
    return lines;
}

namespace {

FileError OpenError(const std::string& path, const std::string& reason) {
    return FileError("Cannot open file \"" + path + "\". " + reason);
}

// Only a regular file is read: a device such as /dev/zero never ends, and a pipe without a
// writer would wait for ever.
void RefuseUnlessRegular(const std::string& path, std::filesystem::file_type type) {
    if (type == std::filesystem::file_type::directory)
        throw OpenError(path, "It is a directory");
    if (type != std::filesystem::file_type::regular)
        throw OpenError(path, "It is not a regular file");
}

void RefuseIfTooLarge(const std::string& path, std::uintmax_t size) {
    if (size > MaxGuideFileBytes)
        throw OpenError(path, "It is larger than 1 GiB, more than a guide can hold");
}

} // namespace

std::string ReadFileBytes(const std::string& path) {
    // Looking before opening: opening a device can have effects of its own.
    std::error_code error;
    const auto status = std::filesystem::status(PathOf(path), error);
    if (error)
        throw OpenError(path, Describe(error));
    RefuseUnlessRegular(path, status.type());
#ifndef _WIN32
    // The file is looked at again once open, in case the path was changed in between; opening
    // without waiting keeps a pipe put there meanwhile from blocking.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw OpenError(path, std::strerror(errno));
    struct FdCloser {
        int Fd;
        ~FdCloser() { ::close(Fd); }
    } closer{fd};
    struct stat opened {};
    if (::fstat(fd, &opened) != 0)
        throw OpenError(path, std::strerror(errno));
    RefuseUnlessRegular(path, S_ISDIR(opened.st_mode)   ? std::filesystem::file_type::directory
                              : S_ISREG(opened.st_mode) ? std::filesystem::file_type::regular
                                                        : std::filesystem::file_type::unknown);
    RefuseIfTooLarge(path, static_cast<std::uintmax_t>(opened.st_size));
    std::string contents;
    contents.reserve(static_cast<std::size_t>(opened.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw FileError("Cannot read file \"" + path + "\". " + std::strerror(errno));
        }
        contents.append(buffer, static_cast<std::size_t>(got));
        // A file that grows while it is read is held to the same limit.
        RefuseIfTooLarge(path, contents.size());
    }
    return contents;
#else
    const std::uintmax_t size = std::filesystem::file_size(PathOf(path), error);
    if (!error)
        RefuseIfTooLarge(path, size);
    std::ifstream in(PathOf(path), std::ios::binary);
    if (!in)
        throw OpenError(path, std::strerror(errno));
    std::string contents;
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        contents.append(buffer, static_cast<std::size_t>(in.gcount()));
        RefuseIfTooLarge(path, contents.size());
    }
    if (in.bad())
        throw FileError("Cannot read file \"" + path + "\".");
    return contents;
#endif
}

std::vector<std::string> ReadGuideLines(const std::string& path) {
    return SplitGuideText(ReadFileBytes(path));
}

void WriteFileAtomically(const std::string& path, const std::string& bytes) {
    const std::filesystem::path target = PathOf(path);
    std::filesystem::path directory = target.parent_path();
    if (directory.empty())
        directory = ".";
    std::random_device seed;
    std::filesystem::path temporary;
    std::ofstream out;
    for (int attempt = 0; attempt < 16 && !out.is_open(); ++attempt) {
        temporary = directory /
                    ("." + target.filename().string() + ".tmp" + std::to_string(seed() % 1000000));
        if (std::filesystem::exists(temporary))
            continue;
        out.open(temporary, std::ios::binary | std::ios::trunc);
    }
    if (!out.is_open())
        throw FileError("Cannot create file \"" + path + "\". " + std::strerror(errno));
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    const bool written = static_cast<bool>(out);
    out.close();
    std::error_code error;
    if (!written || out.fail()) {
        std::filesystem::remove(temporary, error);
        throw FileError("Cannot write file \"" + path + "\".");
    }
    // Keep the permissions the author gave the file that is replaced.
    const auto existing = std::filesystem::status(target, error);
    if (!error && std::filesystem::exists(existing))
        std::filesystem::permissions(temporary, existing.permissions(), error);
    error.clear();
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw FileError("Cannot create file \"" + path + "\". " + Describe(error));
    }
}

void WriteGuideLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string bytes;
    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 2;
    bytes.reserve(size);
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    WriteFileAtomically(path, bytes);
}

std::filesystem::path PathFromText(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string TextFromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string FileNamePart(const std::string& path) {
    const auto cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

} // namespace dravenloom
