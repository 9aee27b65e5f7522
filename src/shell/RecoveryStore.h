// The recovery copies in the user's data directory: this program's own copy, written safely
// and for the owner's eyes only, and the copies left behind by programs that are no longer
// running.
//
// Each running program names its copy after its process id and a random token, so that
// several programs never write over each other's copies ("4711-9f3c0a2b5d6e7f18.recovery").
// Beside the copy lies a lock file of the same name (".lock") that the program holds locked
// while it runs; the system lets go of the lock when the process ends in any way, a crash or
// SIGKILL included. A copy whose lock nobody holds belongs to a program that is gone, and only
// such a copy is offered back. While it offers one, a program holds that lock itself, so that
// a second program starting at the same moment does not offer the same copy.
#pragma once

#include "shell/RecoveryCopy.h"

#include <map>
#include <string>
#include <vector>

namespace dravenloom {

inline constexpr const char* RecoveryCopySuffix = ".recovery";
inline constexpr const char* RecoveryLockSuffix = ".lock";

class RecoveryStore {
public:
    // `directory` (UTF-8) holds the copies; empty keeps none and finds none.
    explicit RecoveryStore(std::string directory = {});
    // Lets go of the locks and leaves every copy where it is: a program that ends by a
    // failure keeps its copy for the next start. A normal end removes it first.
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    bool Enabled() const { return !Directory.empty(); }
    const std::string& Folder() const { return Directory; }
    // Where this program's copy is written.
    std::string OwnCopyPath() const;
    bool HasOwnCopy() const { return OwnCopyWritten; }

    // Writes `bytes` as this program's copy: the directory is made (owner only) when missing,
    // the bytes go to an owner-only temporary file that then replaces the copy, so that the
    // copy on disk is always a whole one. A FileError when that fails.
    void WriteOwnCopy(const std::string& bytes);
    // Removes this program's copy, if there is one, and its lock file.
    void RemoveOwnCopy();

    struct LeftCopy {
        std::string Path;
        RecoveryCopy Copy;
    };
    // The copies of programs no longer running, newest first, each held by this program until
    // it is discarded or released. A file that is not a whole copy is left alone.
    std::vector<LeftCopy> ClaimLeftCopies();
    // Deletes a claimed copy and its lock file.
    void DiscardLeftCopy(const std::string& path);
    // Lets go of every claimed copy; they stay for the next start.
    void ReleaseLeftCopies();

private:
    std::string Directory;
    std::string Name; // "<process id>-<token>"
    int OwnLock = -1;
    bool OwnCopyWritten = false;
    std::map<std::string, int> Claims; // copy path -> its held lock
};

} // namespace dravenloom
