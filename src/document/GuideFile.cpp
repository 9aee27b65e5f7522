// Reading and writing guide files.
#include "document/GuideFile.h"

#include "document/Errors.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

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

void RefuseIfTooLarge(const std::string& path, std::uintmax_t size, const ReadLimit& limit) {
    if (size > limit.Bytes)
        throw OpenError(path, limit.Reason);
}

} // namespace

std::string ReadFileBytes(const std::string& path, const ReadLimit& limit) {
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
    RefuseIfTooLarge(path, static_cast<std::uintmax_t>(opened.st_size), limit);
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
        RefuseIfTooLarge(path, contents.size(), limit);
    }
    return contents;
#else
    const std::uintmax_t size = std::filesystem::file_size(PathOf(path), error);
    if (!error)
        RefuseIfTooLarge(path, size, limit);
    std::ifstream in(PathOf(path), std::ios::binary);
    if (!in)
        throw OpenError(path, std::strerror(errno));
    std::string contents;
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        contents.append(buffer, static_cast<std::size_t>(in.gcount()));
        RefuseIfTooLarge(path, contents.size(), limit);
    }
    if (in.bad())
        throw FileError("Cannot read file \"" + path + "\".");
    return contents;
#endif
}

std::vector<std::string> ReadGuideLines(const std::string& path) {
    return SplitGuideText(ReadFileBytes(path));
}

namespace {

FileError WriteError(const char* start, const std::string& path, const std::string& reason) {
    return FileError(std::string(start) + " \"" + path + "\": " + reason);
}

std::string ErrnoText(int number) {
    return std::generic_category().message(number);
}

// The file a save lands in. A symbolic link is followed, through chains and relative links, to
// the file it names, so that the link stays a link and that file is the one replaced; a link
// to a file that does not exist yet creates that file.
std::filesystem::path FinalTarget(const std::string& path) {
    std::filesystem::path target = PathOf(path);
    for (int hops = 0;; ++hops) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(target, error)))
            return target;
        if (hops == 40)
            throw WriteError("Cannot write file", path, ErrnoText(ELOOP));
        const std::filesystem::path next = std::filesystem::read_symlink(target, error);
        if (error)
            throw WriteError("Cannot write file", path, Describe(error));
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
}

// Decided from the permission bits, not by trying: the file is replaced by a rename, which
// only needs the directory to be writable, and root may write anything anyway. A file nobody
// may write is read-only for root too.
bool IsReadOnly(const std::filesystem::path& target, std::filesystem::perms bits) {
    using std::filesystem::perms;
    if ((bits & (perms::owner_write | perms::group_write | perms::others_write)) == perms::none)
        return true;
#ifndef _WIN32
    if (::geteuid() != 0 && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 &&
        errno == EACCES)
        return true;
#else
    (void)target;
#endif
    return false;
}

std::filesystem::path TemporaryName(const std::filesystem::path& directory,
                                    const std::filesystem::path& target) {
    static std::random_device seed;
    return directory /
           ("." + target.filename().string() + ".tmp" + std::to_string(seed() % 1000000));
}

} // namespace

#ifndef _WIN32
int WriteAllAndSync(int fd, std::string_view bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno != EINTR)
            return errno;
        if (wrote > 0)
            done += static_cast<std::size_t>(wrote);
    }
    return ::fsync(fd) == 0 ? 0 : errno;
}
#endif

void WriteFileAtomically(const std::string& path, const std::string& bytes) {
    const std::filesystem::path target = FinalTarget(path);
    std::error_code error;
    const auto existing = std::filesystem::status(target, error);
    const bool replacing = !error && std::filesystem::exists(existing);
    if (replacing) {
        if (std::filesystem::is_directory(existing))
            throw WriteError("Cannot write file", path, "It is a directory");
        if (!std::filesystem::is_regular_file(existing))
            throw WriteError("Cannot write file", path, "It is not a regular file");
        if (IsReadOnly(target, existing.permissions()))
            throw WriteError("Cannot write file", path, "It is read-only");
    }
    std::filesystem::path directory = target.parent_path();
    if (directory.empty())
        directory = ".";
    std::filesystem::path temporary;
#ifndef _WIN32
    // A file that is replaced may be private: its bytes are not shown to others on the way.
    const mode_t createMode = replacing ? 0600 : 0666;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temporary = TemporaryName(directory, target);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, createMode);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        throw WriteError("Cannot create file", path, ErrnoText(errno));
    int failure = 0;
    if (replacing) {
        // Keep the owner, group and mode of the file that is replaced, where allowed.
        struct stat old {};
        if (::stat(target.c_str(), &old) == 0) {
            if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
                // Only root may give a file away; anyone else keeps the ownership they have.
                const int given = ::fchown(fd, old.st_uid, old.st_gid);
                (void)given;
            }
            if (::fchmod(fd, old.st_mode & 07777) != 0)
                failure = errno;
        }
    }
    // On disk before it replaces the old file: otherwise a crash can leave an empty file.
    if (failure == 0)
        failure = WriteAllAndSync(fd, bytes);
    if (::close(fd) != 0 && failure == 0)
        failure = errno;
    if (failure != 0) {
        ::unlink(temporary.c_str());
        throw WriteError("Cannot write file", path, ErrnoText(failure));
    }
#else
    std::ofstream out;
    for (int attempt = 0; attempt < 16 && !out.is_open(); ++attempt) {
        temporary = TemporaryName(directory, target);
        if (std::filesystem::exists(temporary))
            continue;
        out.open(temporary, std::ios::binary | std::ios::trunc);
    }
    if (!out.is_open())
        throw WriteError("Cannot create file", path, std::strerror(errno));
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    const int failure = out ? 0 : errno;
    out.close();
    if (failure != 0 || out.fail()) {
        std::filesystem::remove(temporary, error);
        throw WriteError("Cannot write file", path, std::strerror(failure != 0 ? failure : EIO));
    }
    if (replacing)
        std::filesystem::permissions(temporary, existing.permissions(), error);
#endif
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw WriteError("Cannot write file", path, Describe(error));
    }
#ifndef _WIN32
    // The rename itself is made durable too.
    if (const int dirFd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
#endif
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

std::string FolderPart(const std::string& path) {
    const auto cut = path.find_last_of("/\\");
    if (cut == std::string::npos)
        return {};
    // The root keeps its separator: "/" and "C:\\", since "C:" alone is a drive's current folder.
    if (cut == 0 || (cut == 2 && path[1] == ':'))
        return path.substr(0, cut + 1);
    return path.substr(0, cut);
}

} // namespace dravenloom
