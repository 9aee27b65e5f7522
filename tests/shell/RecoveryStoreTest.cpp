// Tests of where recovery copies are kept: written whole and privately, removed, and which
// copies are found again (only those of programs no longer running).
#include "shell/RecoveryStore.h"

#include "document/Errors.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace dravenloom {
namespace {

namespace fs = std::filesystem;

class RecoveryStoreTest : public ::testing::Test {
protected:
    // A directory the store has to make itself.
    std::string Folder() const { return Dir.File("data/recovery"); }

    static std::string CopyBytes(const std::string& guide, std::int64_t writtenAt) {
        RecoveryCopy copy;
        copy.GuideFileName = guide;
        copy.WrittenAt = writtenAt;
        copy.Lines = {BuildPrimaryLine(1, "Text of " + guide, "", "300", "0", false)};
        return EncodeRecoveryCopy(copy);
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(Folder()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    static std::vector<std::string> Guides(const std::vector<RecoveryStore::LeftCopy>& copies) {
        std::vector<std::string> guides;
        for (const auto& left : copies)
            guides.push_back(left.Copy.GuideFileName);
        return guides;
    }

    TempDirectory Dir;
};

TEST_F(RecoveryStoreTest, OwnCopyIsPrivateAndWholeAndGoesAway) {
    RecoveryStore store(Folder());
    EXPECT_FALSE(fs::exists(Folder())) << "nothing is made before there is a copy";
    store.WriteOwnCopy(CopyBytes("/a/lamp.dvx", 1));
    const fs::path copy = store.OwnCopyPath();
    EXPECT_EQ(copy.parent_path(), fs::path(Folder()));
    EXPECT_EQ(copy.extension(), ".recovery");
    EXPECT_EQ(ReadBytes(copy), CopyBytes("/a/lamp.dvx", 1));
    EXPECT_EQ(fs::status(copy).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(fs::status(Folder()).permissions() & fs::perms::all, fs::perms::owner_all);
    // The copy and its lock file, no temporary file left over.
    EXPECT_EQ(Names().size(), 2u);

    store.WriteOwnCopy(CopyBytes("/a/lamp.dvx", 2));
    EXPECT_EQ(ReadBytes(copy), CopyBytes("/a/lamp.dvx", 2));
    EXPECT_EQ(Names().size(), 2u);

    store.RemoveOwnCopy();
    EXPECT_FALSE(store.HasOwnCopy());
    EXPECT_TRUE(Names().empty());
}

#ifndef _WIN32
TEST_F(RecoveryStoreTest, AWriteThatFailsHalfWayLeavesThePreviousCopyWhole) {
    RecoveryStore store(Folder());
    const std::string first = CopyBytes("/a/lamp.dvx", 1);
    store.WriteOwnCopy(first);
    {
        FileSizeLimit limit(first.size() + 10);
        EXPECT_THROW(store.WriteOwnCopy(first + std::string(100, 'x')), FileError);
    }
    EXPECT_EQ(ReadBytes(store.OwnCopyPath()), first);
    EXPECT_EQ(Names().size(), 2u) << "the temporary file is removed";
}
#endif

TEST_F(RecoveryStoreTest, NamesDifferBetweenPrograms) {
    RecoveryStore one(Folder());
    RecoveryStore two(Folder());
    EXPECT_NE(one.OwnCopyPath(), two.OwnCopyPath());
}

TEST_F(RecoveryStoreTest, OnlyCopiesOfProgramsNoLongerRunningAreFound) {
    auto running = std::make_unique<RecoveryStore>(Folder());
    running->WriteOwnCopy(CopyBytes("/running.dvx", 10));
    auto crashed = std::make_unique<RecoveryStore>(Folder());
    crashed->WriteOwnCopy(CopyBytes("/crashed.dvx", 20));
    const std::string crashedPath = crashed->OwnCopyPath();
    crashed.reset(); // ends without removing its copy, as a crash does
    ASSERT_TRUE(fs::exists(crashedPath));

    RecoveryStore starting(Folder());
    starting.WriteOwnCopy(CopyBytes("/own.dvx", 30));
    const auto left = starting.ClaimLeftCopies();
    EXPECT_EQ(Guides(left), std::vector<std::string>{"/crashed.dvx"});
    EXPECT_EQ(left.at(0).Path, crashedPath);

    // A second program starting meanwhile does not get the copy the first one is offering.
    RecoveryStore alsoStarting(Folder());
    EXPECT_TRUE(alsoStarting.ClaimLeftCopies().empty());
    starting.ReleaseLeftCopies();
    EXPECT_EQ(Guides(alsoStarting.ClaimLeftCopies()), std::vector<std::string>{"/crashed.dvx"});

    // Once the running program has ended the same way, its copy is found too.
    running.reset();
    alsoStarting.ReleaseLeftCopies();
    EXPECT_EQ(Guides(alsoStarting.ClaimLeftCopies()),
              (std::vector<std::string>{"/crashed.dvx", "/running.dvx"}))
        << "newest first";
}

TEST_F(RecoveryStoreTest, DiscardDeletesTheCopyAndItsLock) {
    auto crashed = std::make_unique<RecoveryStore>(Folder());
    crashed->WriteOwnCopy(CopyBytes("/crashed.dvx", 20));
    crashed.reset();
    RecoveryStore starting(Folder());
    const auto left = starting.ClaimLeftCopies();
    ASSERT_EQ(left.size(), 1u);
    starting.DiscardLeftCopy(left[0].Path);
    EXPECT_TRUE(Names().empty());
    EXPECT_TRUE(starting.ClaimLeftCopies().empty());
}

TEST_F(RecoveryStoreTest, ACopyCutShortIsLeftAlone) {
    auto crashed = std::make_unique<RecoveryStore>(Folder());
    const std::string bytes = CopyBytes("/crashed.dvx", 20);
    crashed->WriteOwnCopy(bytes);
    const std::string path = crashed->OwnCopyPath();
    crashed.reset();
    WriteBytes(path, bytes.substr(0, bytes.size() - 3));
    // A temporary file of an interrupted write is no copy either.
    WriteBytes(fs::path(Folder()) / ".x.recovery.tmp", bytes);

    RecoveryStore starting(Folder());
    EXPECT_TRUE(starting.ClaimLeftCopies().empty());
    EXPECT_TRUE(fs::exists(path));
}

TEST_F(RecoveryStoreTest, WithoutADirectoryNothingIsKept) {
    RecoveryStore store;
    EXPECT_FALSE(store.Enabled());
    store.WriteOwnCopy("bytes");
    EXPECT_FALSE(store.HasOwnCopy());
    EXPECT_TRUE(store.ClaimLeftCopies().empty());
}

TEST_F(RecoveryStoreTest, ADirectoryThatCannotBeMadeIsAFileError) {
    WriteBytes(Dir.File("data"), "a file where the directory belongs");
    RecoveryStore store(Folder());
    EXPECT_THROW(store.WriteOwnCopy(CopyBytes("/a.dvx", 1)), FileError);
    EXPECT_FALSE(store.HasOwnCopy());
}

} // namespace
} // namespace dravenloom
