// The recovery copies in the user's data directory.
#include "shell/RecoveryStore.h"

#include "document/Errors.h"
#include "document/GuideFile.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace dravenloom {
namespace fs = std::filesystem;
namespace {

std::string ProcessName() {
    std::random_device seed;
    const std::uint64_t token = (std::uint64_t{seed()} << 32) ^ seed();
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(token));
#ifdef _WIN32
    const long long id = _getpid();
#else
    const long long id = ::getpid();
#endif
    return std::to_string(id) + "-" + hex;
}

std::string ErrnoText(int number) {
    return std::generic_category().message(number);
}

FileError CopyError(const fs::path& path, const std::string& reason) {
    return FileError("Cannot write the recovery copy \"" + TextFromPath(path) + "\": " + reason);
}

fs::path LockPathOf(const fs::path& copy) {
    fs::path lock = copy;
    lock.replace_extension(RecoveryLockSuffix);
    return lock;
}

// Opens and locks a lock file, creating it when missing: the descriptor holding the lock, or
// -1 when another process holds it (or it cannot be opened).
int TryLock(const fs::path& path) {
#ifdef _WIN32
    // Without advisory locks every copy but this program's own is taken as left behind.
    (void)path;
    return 0;
#else
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
#endif
}

void Unlock(int fd) {
#ifndef _WIN32
    if (fd >= 0)
        ::close(fd);
#else
    (void)fd;
#endif
}

// The directory is the user's alone: the copies hold the author's unsaved work.
void MakePrivateDirectory(const fs::path& directory) {
    std::error_code error;
    fs::create_directories(directory, error);
    if (error)
        throw CopyError(directory, error.message());
    fs::permissions(directory, fs::perms::owner_all, fs::perm_options::replace, error);
}

// The bytes go to a temporary file that only the owner may read, then replace the target in
// one rename, so that a crash in the middle leaves the previous copy whole.
void WritePrivately(const fs::path& target, const std::string& bytes) {
    const fs::path temporary = target.parent_path() / ("." + target.filename().string() + ".tmp");
#ifndef _WIN32
    const int fd =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        throw CopyError(target, ErrnoText(errno));
    // A temporary file left by an earlier run may carry other permissions.
    int failure = ::fchmod(fd, 0600) == 0 ? 0 : errno;
    if (failure == 0)
        failure = WriteAllAndSync(fd, bytes);
    if (::close(fd) != 0 && failure == 0)
        failure = errno;
    if (failure == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
        failure = errno;
    if (failure != 0) {
        ::unlink(temporary.c_str());
        throw CopyError(target, ErrnoText(failure));
    }
#else
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out)
            throw CopyError(target, "the file could not be written");
    }
    std::error_code error;
    fs::rename(temporary, target, error);
    if (error) {
        fs::remove(temporary, error);
        throw CopyError(target, error.message());
    }
#endif
}

} // namespace

RecoveryStore::RecoveryStore(std::string directory)
    : Directory(std::move(directory)), Name(ProcessName()) {}

RecoveryStore::~RecoveryStore() {
    ReleaseLeftCopies();
    Unlock(OwnLock);
}

std::string RecoveryStore::OwnCopyPath() const {
    return TextFromPath(PathFromText(Directory) / (Name + RecoveryCopySuffix));
}

void RecoveryStore::WriteOwnCopy(const std::string& bytes) {
    if (!Enabled())
        return;
    const fs::path copy = PathFromText(OwnCopyPath());
    MakePrivateDirectory(copy.parent_path());
    // The lock is held before the copy appears, so that no other program ever sees this copy
    // unlocked while this one runs.
    // A lock file removed meanwhile (the folder cleared by hand) is made and locked anew.
    std::error_code missing;
    if (OwnLock >= 0 && !fs::exists(LockPathOf(copy), missing)) {
        Unlock(OwnLock);
        OwnLock = -1;
    }
    if (OwnLock < 0) {
        OwnLock = TryLock(LockPathOf(copy));
        if (OwnLock < 0)
            throw CopyError(copy, "its lock file cannot be made");
    }
    WritePrivately(copy, bytes);
    OwnCopyWritten = true;
}

void RecoveryStore::RemoveOwnCopy() {
    if (!Enabled())
        return;
    const fs::path copy = PathFromText(OwnCopyPath());
    std::error_code error;
    // The copy goes before its lock: a copy is never seen without one while this program runs.
    fs::remove(copy, error);
    if (OwnLock >= 0) {
        fs::remove(LockPathOf(copy), error);
        Unlock(OwnLock);
        OwnLock = -1;
    }
    OwnCopyWritten = false;
}

std::vector<RecoveryStore::LeftCopy> RecoveryStore::ClaimLeftCopies() {
    std::vector<LeftCopy> found;
    if (!Enabled())
        return found;
    std::error_code error;
    fs::directory_iterator entries(PathFromText(Directory), error);
    if (error)
        return found;
    const std::string own = Name + RecoveryCopySuffix;
    for (const auto& entry : entries) {
        const fs::path path = entry.path();
        const std::string file = path.filename().string();
        if (path.extension() != RecoveryCopySuffix || file == own || file.front() == '.')
            continue;
        const std::string text = TextFromPath(path);
        if (Claims.count(text) != 0 || !entry.is_regular_file(error))
            continue;
        const int lock = TryLock(LockPathOf(path));
        if (lock < 0)
            continue; // its program is still running
        std::optional<RecoveryCopy> copy;
        try {
            copy = DecodeRecoveryCopy(ReadFileBytes(text));
        } catch (const DravenloomError&) {
            // A copy that cannot be read is not offered; it may be readable next time.
        }
        if (!copy) {
            Unlock(lock);
            continue;
        }
        Claims[text] = lock;
        found.push_back({text, std::move(*copy)});
    }
    std::stable_sort(found.begin(), found.end(), [](const LeftCopy& a, const LeftCopy& b) {
        return a.Copy.WrittenAt > b.Copy.WrittenAt;
    });
    return found;
}

void RecoveryStore::DiscardLeftCopy(const std::string& path) {
    const fs::path copy = PathFromText(path);
    std::error_code error;
    fs::remove(copy, error);
    fs::remove(LockPathOf(copy), error);
    if (const auto claim = Claims.find(path); claim != Claims.end()) {
        Unlock(claim->second);
        Claims.erase(claim);
    }
}

void RecoveryStore::ReleaseLeftCopies() {
    for (const auto& [path, lock] : Claims)
        Unlock(lock);
    Claims.clear();
}

} // namespace dravenloom
