// Reading and writing guide files.
#include "document/GuideFile.h"

#include "document/Errors.h"
#include "document/RecordCodec.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
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

namespace {

// Finds the line ends (CR or LF) of a text in order. Each kind is looked for with memchr, which
// goes through many bytes at a time; where the next LF stands is kept, so every byte is looked
// at once for each kind.
class LineEnds {
public:
    explicit LineEnds(std::string_view text) : Text(text), Lf(Find('\n', 0, text.size())) {}

    // The first CR or LF at or after `from`, or npos.
    std::size_t Next(std::size_t from) {
        if (Lf != std::string_view::npos && Lf < from)
            Lf = Find('\n', from, Text.size());
        const std::size_t cr = Find('\r', from, Lf == std::string_view::npos ? Text.size() : Lf);
        return cr != std::string_view::npos ? cr : Lf;
    }

private:
    std::size_t Find(char c, std::size_t from, std::size_t to) const {
        if (from >= to)
            return std::string_view::npos;
        const void* at = std::memchr(Text.data() + from, c, to - from);
        return at ? static_cast<std::size_t>(static_cast<const char*>(at) - Text.data())
                  : std::string_view::npos;
    }

    std::string_view Text;
    std::size_t Lf;
};

// The readable text: everything before the first NUL byte.
std::string_view BeforeNul(std::string_view text) {
    const void* nul = std::memchr(text.data(), '\0', text.size());
    return nul ? text.substr(0,
                             static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()))
               : text;
}

} // namespace

void GuideLineSplitter::Expect(std::uintmax_t bytes) {
    // Lines of guides are rarely shorter than this on average; room for too many lines costs
    // only address space, while growing the list step by step copies it again and again.
    constexpr std::uintmax_t ShortestAverageLine = 40;
    Lines.reserve(static_cast<std::size_t>(bytes / ShortestAverageLine + 1));
}

void GuideLineSplitter::Feed(std::string_view piece) {
    if (Ended)
        return;
    const std::string_view text = BeforeNul(piece);
    Ended = text.size() != piece.size();
    std::size_t start = 0;
    if (AfterCr && !text.empty()) {
        AfterCr = false;
        if (text.front() == '\n')
            start = 1;
    }
    LineEnds ends(text);
    while (start < text.size()) {
        const std::size_t stop = ends.Next(start);
        if (stop == std::string_view::npos) {
            Partial.append(text.substr(start));
            return;
        }
        if (Partial.empty()) {
            Add(text.substr(start, stop - start));
        } else {
            Partial.append(text.substr(start, stop - start));
            Add(Partial);
            Partial.clear();
        }
        start = stop + 1;
        if (text[stop] == '\r') {
            if (start == text.size())
                AfterCr = true;
            else if (text[start] == '\n')
                ++start;
        }
    }
}

void GuideLineSplitter::Add(std::string_view line) {
    // Each line is made in one piece, at its final size: a guide of 100,000 records is tens of
    // megabytes in 400,000 lines.
    std::size_t breaks = 0;
    if (Decode)
        for (std::size_t at = line.find(BreakMark); at != std::string_view::npos;
             at = line.find(BreakMark, at + 1))
            ++breaks;
    if (breaks == 0) {
        Lines.emplace_back(line);
        return;
    }
    std::string& decoded = Lines.emplace_back();
    decoded.reserve(line.size() + breaks);
    std::size_t start = 0;
    for (std::size_t at = line.find(BreakMark); at != std::string_view::npos;
         at = line.find(BreakMark, start)) {
        decoded.append(line.substr(start, at - start));
        decoded += "\r\n";
        start = at + 1;
    }
    decoded.append(line.substr(start));
}

std::vector<std::string> GuideLineSplitter::Finish() {
    if (!Partial.empty())
        Add(Partial); // a last line without line end
    std::vector<std::string> lines = std::move(Lines);
    *this = GuideLineSplitter(Decode);
    return lines;
}

std::vector<std::string> SplitGuideText(const std::string& contents) {
    GuideLineSplitter splitter;
    splitter.Expect(contents.size());
    splitter.Feed(contents);
    return splitter.Finish();
}

std::vector<std::string_view> SplitGuideTextViews(std::string_view contents) {
    const std::string_view text = BeforeNul(contents);
    std::vector<std::string_view> lines;
    LineEnds ends(text);
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t stop = ends.Next(start);
        if (stop == std::string_view::npos) {
            lines.push_back(text.substr(start)); // a last line without line end
            break;
        }
        lines.push_back(text.substr(start, stop - start));
        start = stop + 1;
        if (text[stop] == '\r' && start < text.size() && text[start] == '\n')
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

namespace {

// Reads a regular file of at most `limit.Bytes` piece by piece: `sized` hears the size the
// file has once it is open, then `take` gets every piece as it is read.
template <typename Sized, typename Take>
void ReadFilePieces(const std::string& path, const ReadLimit& limit, Sized sized, Take take) {
    // Looking before opening: opening a device can have effects of its own.
    std::error_code error;
    const auto status = std::filesystem::status(PathOf(path), error);
    if (error)
        throw OpenError(path, Describe(error));
    RefuseUnlessRegular(path, status.type());
    // A piece the processor's caches hold, so that the lines are copied out of it while it is
    // still there.
    char buffer[1 << 16];
    std::uintmax_t total = 0;
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
    sized(static_cast<std::uintmax_t>(opened.st_size));
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw FileError("Cannot read file \"" + path + "\". " + std::strerror(errno));
        }
        // A file that grows while it is read is held to the same limit.
        total += static_cast<std::uintmax_t>(got);
        RefuseIfTooLarge(path, total, limit);
        take(std::string_view(buffer, static_cast<std::size_t>(got)));
    }
#else
    const std::uintmax_t size = std::filesystem::file_size(PathOf(path), error);
    if (!error) {
        RefuseIfTooLarge(path, size, limit);
        sized(size);
    }
    std::ifstream in(PathOf(path), std::ios::binary);
    if (!in)
        throw OpenError(path, std::strerror(errno));
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        total += static_cast<std::uintmax_t>(in.gcount());
        RefuseIfTooLarge(path, total, limit);
        take(std::string_view(buffer, static_cast<std::size_t>(in.gcount())));
    }
    if (in.bad())
        throw FileError("Cannot read file \"" + path + "\".");
#endif
}

} // namespace

std::string ReadFileBytes(const std::string& path, const ReadLimit& limit) {
    std::string contents;
    ReadFilePieces(
        path, limit, [&](std::uintmax_t size) { contents.reserve(static_cast<std::size_t>(size)); },
        [&](std::string_view piece) { contents.append(piece); });
    return contents;
}

namespace {

std::vector<std::string> ReadLines(const std::string& path, bool decode) {
    GuideLineSplitter splitter(decode);
    ReadFilePieces(
        path, GuideReadLimit, [&](std::uintmax_t size) { splitter.Expect(size); },
        [&](std::string_view piece) { splitter.Feed(piece); });
    return splitter.Finish();
}

} // namespace

std::vector<std::string> ReadGuideLines(const std::string& path) {
    return ReadLines(path, false);
}

std::vector<std::string> ReadDecodedGuideLines(const std::string& path) {
    return ReadLines(path, true);
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
namespace {

// Writes every byte to the open file `fd`, again after an interruption: 0, or the errno of the
// first failure.
int WriteAll(int fd, std::string_view bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno != EINTR)
            return errno;
        if (wrote > 0)
            done += static_cast<std::size_t>(wrote);
    }
    return 0;
}

} // namespace

int WriteAllAndSync(int fd, std::string_view bytes) {
    if (const int failure = WriteAll(fd, bytes))
        return failure;
    return ::fsync(fd) == 0 ? 0 : errno;
}
#endif

namespace {

// Hands the bytes of a file to be written, piece by piece.
using PieceSink = std::function<void(std::string_view piece)>;

// WriteFileAtomically with the bytes made by `produce`, which hands them to the sink it is
// given as they come, so that a large file need not be held whole first.
void WriteAtomically(const std::string& path,
                     const std::function<void(const PieceSink&)>& produce) {
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
    if (failure == 0) {
        try {
            produce([&](std::string_view piece) {
                if (failure == 0)
                    failure = WriteAll(fd, piece);
            });
        } catch (...) {
            ::close(fd);
            ::unlink(temporary.c_str());
            throw;
        }
    }
    // On disk before it replaces the old file: otherwise a crash can leave an empty file.
    if (failure == 0 && ::fsync(fd) != 0)
        failure = errno;
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
    try {
        produce([&](std::string_view piece) {
            out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
        });
    } catch (...) {
        out.close();
        std::filesystem::remove(temporary, error);
        throw;
    }
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

} // namespace

void WriteFileAtomically(const std::string& path, const std::string& bytes) {
    WriteAtomically(path, [&](const PieceSink& sink) { sink(bytes); });
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

namespace {

// Appends a record line as the file holds it: encoded straight into the file's bytes, with no
// encoded copy of the line on the way, and its line end.
void AppendFileLine(std::string& bytes, std::string_view line) {
    std::size_t start = 0;
    for (std::size_t at = line.find("\r\n"); at != std::string_view::npos;
         at = line.find("\r\n", start)) {
        bytes.append(line.substr(start, at - start));
        bytes += BreakMark;
        start = at + 2;
    }
    bytes.append(line.substr(start));
    bytes += "\r\n";
}

} // namespace

std::string GuideFileBytes(const std::vector<std::string>& lines) {
    // Encoding only ever makes a line shorter, so this is room enough.
    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    for (const auto& line : lines)
        AppendFileLine(bytes, line);
    return bytes;
}

void WriteRecordLines(const std::string& path, const std::vector<std::string>& lines) {
    // Pieces the processor's caches hold, written as they fill: the file's tens of megabytes
    // are never all in memory a second time.
    constexpr std::size_t PieceBytes = std::size_t{1} << 18;
    WriteAtomically(path, [&](const PieceSink& sink) {
        std::string piece;
        piece.reserve(PieceBytes + 1024);
        for (const auto& line : lines) {
            AppendFileLine(piece, line);
            if (piece.size() >= PieceBytes) {
                sink(piece);
                piece.clear();
            }
        }
        sink(piece);
    });
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
