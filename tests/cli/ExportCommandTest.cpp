// Tests of `dravenloom-cli export`: the appearance options reach the page, and the command
// lines and targets it refuses. (The results are played in Chromium by tests/player/web.)
#include "support/CliRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using dravenloom::CliResult;

class ExportCommandTest : public dravenloom::CliFixture {
protected:
    fs::path Guide() { return Write("help.dvx", dravenloom::CliMarks("1|Hello#<>~no\r\n")); }
};

TEST_F(ExportCommandTest, TheOptionsOfTagReachThePageOfBothForms) {
    const std::string guide = Guide().string();
    const CliResult folder =
        Run({"export", guide, "--folder", (Directory / "site").string(), "--title", "Lamp help",
             "--size", "14", "--image", "red.gif", "--image-dir", "img", "--quiet"});
    ASSERT_EQ(folder.Status, 0) << folder.Err;
    EXPECT_EQ(folder.Err, "");
    const std::string page = dravenloom::ReadWholeFile(Directory / "site" / "index.html");
    EXPECT_NE(page.find("<title>Lamp help</title>"), std::string::npos);
    EXPECT_NE(page.find("<PARAM NAME=\"size\" VALUE=\"14\">"), std::string::npos);
    EXPECT_NE(page.find("<PARAM NAME=\"imageDir\" VALUE=\"img\">"), std::string::npos);
    EXPECT_TRUE(fs::is_regular_file(Directory / "site" / "img" / "red.gif"));
    EXPECT_EQ(dravenloom::ReadWholeFile(Directory / "site" / "help.dvx"),
              dravenloom::ReadWholeFile(guide));

    const CliResult one =
        Run({"export", guide, "--page", (Directory / "one.html").string(), "--bold"});
    ASSERT_EQ(one.Status, 0) << one.Err;
    EXPECT_NE(one.Err.find("Embedding help.dvx (1 of 2)"), std::string::npos) << one.Err;
    const std::string single = dravenloom::ReadWholeFile(Directory / "one.html");
    EXPECT_NE(single.find("<title>help</title>"), std::string::npos);
    EXPECT_NE(single.find("<PARAM NAME=\"style\" VALUE=\"Bold\">"), std::string::npos);
    EXPECT_NE(single.find("id=\"dravenloom-files\""), std::string::npos);
}

TEST_F(ExportCommandTest, RefusesWhatItCannotDoAndWritesNothing) {
    const std::string guide = Guide().string();
    Write("taken", "a file");
    const struct {
        std::vector<std::string> Arguments;
        const char* Said;
    } cases[] = {
        {{"export", guide}, "either --folder DIR or --page FILE.html"},
        {{"export", guide, "--folder", "a", "--page", "b.html"}, "either --folder"},
        {{"export", guide, "--folder", (Directory / "taken").string()}, "is a file, not a folder"},
        {{"export", guide, "--folder", (Directory / "out").string(), "--size", "30"},
         "Font size must be between 10 and 18."},
        {{"export", guide, "--folder", (Directory / "out").string(), "--image-dir", "../up"},
         "leads out of the folder"},
        {{"export", (Directory / "none.dvx").string(), "--folder", (Directory / "out").string()},
         "none.dvx"},
    };
    for (const auto& c : cases) {
        const CliResult result = Run(c.Arguments);
        EXPECT_EQ(result.Status, 2) << c.Said;
        EXPECT_NE(result.Err.find(c.Said), std::string::npos) << result.Err;
    }
    EXPECT_FALSE(fs::exists(Directory / "out"));
    EXPECT_EQ(dravenloom::ReadWholeFile(Directory / "taken"), "a file");
}

} // namespace
