// Files for tests: a private temporary directory, whole-file byte reading and writing, the path
// of a golden file under tests/data, and a way to make writes fail.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

namespace dravenloom {

// A fresh directory under the system's temporary directory, removed with everything in it.
class TempDirectory {
public:
    TempDirectory() {
        std::random_device seed;
        const auto base = std::filesystem::temp_directory_path();
        do {
            Path = base / ("dravenloom-test-" + std::to_string(seed()));
        } while (std::filesystem::exists(Path));
        std::filesystem::create_directories(Path);
    }
    ~TempDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(Path, ignored);
    }
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    // A path inside the directory, as the text the core takes.
    std::string File(const std::string& name) const { return (Path / name).string(); }

    std::filesystem::path Path;
};

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.is_open()) << "cannot read " << path;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << "cannot write " << path;
}

// A golden file under tests/data.
inline std::string TestData(const std::string& name) {
    return (std::filesystem::path(DRAVENLOOM_TEST_DATA) / name).string();
}

#ifndef _WIN32
// While it lives, this process may write no file larger than `bytes`: a longer write fails
// half-way, whatever the permissions (tests run as root too).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &Saved);
        OldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = Saved;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &Saved);
        std::signal(SIGXFSZ, OldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit Saved{};
    void (*OldHandler)(int) = nullptr;
};
#endif

} // namespace dravenloom
