// Tests of where the program looks for its own files: beside the executable, then where they
// were installed, then (neither) beside the executable again.
#include "shell/ResourceDirectory.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace dravenloom {
namespace {

namespace fs = std::filesystem;

enum class Found { BesideExecutable, Installed };

// What lies beside the executable and in the installed folder, and where the lookup must lead.
struct LayoutCase {
    const char* Name;
    std::vector<std::string> Beside;    // folders ("name/") and files ("name") beside it
    std::vector<std::string> Installed; // the same, in the installed folder
    Found Expected;
};

class ResourceDirectoryTest : public ::testing::TestWithParam<LayoutCase> {
protected:
    // An installed tree: PREFIX/bin for the executable, its files under the installed folder.
    ResourceDirectoryTest()
        : Bin(Root.Path / "prefix" / "bin"),
          Share((Bin / InstalledResourceFolder).lexically_normal()) {
        fs::create_directories(Bin);
    }

    static void Make(const fs::path& folder, const std::vector<std::string>& entries) {
        for (const std::string& entry : entries) {
            if (entry.back() == '/') {
                fs::create_directories(folder / entry.substr(0, entry.size() - 1));
            } else {
                fs::create_directories(folder);
                WriteBytes(folder / entry, "not a folder");
            }
        }
    }

    TempDirectory Root;
    fs::path Bin;
    fs::path Share;
};

TEST_P(ResourceDirectoryTest, LeadsWhereTheFilesAre) {
    const LayoutCase& layout = GetParam();
    Make(Bin, layout.Beside);
    Make(Share, layout.Installed);
    const fs::path expected = layout.Expected == Found::Installed ? Share : Bin;
    EXPECT_EQ(ResourceDirectory(Bin), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ResourceDirectoryTest,
    ::testing::Values(
        // The build tree: every executable has the Applet folder beside it, the program also
        // the help book and the tutorial.
        LayoutCase{
            "BuildTreeProgram", {"Applet/", "help/", "tutorial/"}, {}, Found::BesideExecutable},
        LayoutCase{"BuildTreeToolAlone", {"Applet/"}, {}, Found::BesideExecutable},
        // Installed with GNU install directories.
        LayoutCase{"Installed", {}, {"Applet/", "help/", "tutorial/"}, Found::Installed},
        LayoutCase{"InstalledHelpOnly", {}, {"help/"}, Found::Installed},
        LayoutCase{"InstalledTutorialOnly", {}, {"tutorial/"}, Found::Installed},
        // A copy beside the executable wins over an installed one, so that a program unpacked
        // by hand uses its own files even where another version is installed.
        LayoutCase{"BothBesideWins",
                   {"help/"},
                   {"Applet/", "help/", "tutorial/"},
                   Found::BesideExecutable},
        // Files, not folders, of those names are nobody's resources.
        LayoutCase{"FilesBesideDoNotCount", {"Applet", "help"}, {"Applet/"}, Found::Installed},
        LayoutCase{"FilesInstalledDoNotCount",
                   {},
                   {"Applet", "help", "tutorial"},
                   Found::BesideExecutable},
        // Neither: the program looks beside itself and reports what is missing there.
        LayoutCase{"Neither", {}, {}, Found::BesideExecutable},
        LayoutCase{"UnrelatedFolders", {"lib/"}, {"doc/"}, Found::BesideExecutable}),
    [](const auto& info) { return std::string(info.param.Name); });

// The program is started by whatever path leads to it; the installed folder is found from a
// relative executable directory too, and named without "..".
TEST(ResourceDirectory, RelativeExecutableDirectory) {
    TempDirectory root;
    const fs::path bin = root.Path / "usr" / "bin";
    fs::create_directories(bin);
    const fs::path share = (bin / InstalledResourceFolder).lexically_normal();
    fs::create_directories(share / "Applet");

    const fs::path previous = fs::current_path();
    fs::current_path(root.Path);
    const fs::path found = ResourceDirectory(fs::path("usr") / "bin");
    fs::current_path(previous);
    EXPECT_EQ(fs::weakly_canonical(root.Path / found), fs::weakly_canonical(share));
    for (const fs::path& part : found)
        EXPECT_NE(part, "..") << found;
}

} // namespace
} // namespace dravenloom
