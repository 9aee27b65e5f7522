// Tests of the tutorial window's behaviour: pages, missing files, hover and link clicks.
#include "shell/Tutorial.h"
#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace dravenloom {
namespace {

namespace fs = std::filesystem;

// An executable directory with a "tutorial" folder holding the pages asked for.
class TutorialTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device seed;
        ExeDir = fs::temp_directory_path() / ("dravenloom-tutorial-" + std::to_string(seed()));
        fs::create_directories(ExeDir / "tutorial");
    }
    void TearDown() override { fs::remove_all(ExeDir); }

    void WritePages(std::initializer_list<int> pages) {
        for (int page : pages)
            std::ofstream(ExeDir / "tutorial" / ("tutorial" + std::to_string(page) + ".htm"))
                << "<html><body>Page " << page << "</body></html>";
    }

    static MessageRequest MissingMessage() {
        return {"Error", "Files are missing from the Dravenloom Tutorial.  Please re-install.",
                MsgButtons::Ok, MsgIcon::Exclamation};
    }

    fs::path ExeDir;
    ScriptedPlatform Platform;
};

TEST_F(TutorialTest, DirectoryIsBesideTheExecutableWithTrailingSeparator) {
    Tutorial tutorial(Platform, ExeDir);
    EXPECT_EQ(tutorial.Directory(), ExeDir / "tutorial" / "");
    EXPECT_FALSE(tutorial.Directory().has_filename());
    EXPECT_EQ(tutorial.PageFile(3), ExeDir / "tutorial" / "tutorial3.htm");
}

TEST_F(TutorialTest, ShowingTheWindowLoadsPageOneEveryTime) {
    WritePages({1, 2, 3, 4});
    Tutorial tutorial(Platform, ExeDir);
    EXPECT_EQ(tutorial.Caption(), "Dravenloom Tutorial");

    tutorial.FormShow();
    EXPECT_EQ(tutorial.Page(), 1);
    EXPECT_EQ(tutorial.ShownFile(), ExeDir / "tutorial" / "tutorial1.htm");
    EXPECT_EQ(tutorial.Caption(), "Dravenloom Tutorial - Page 1");

    tutorial.ShowPage(4);
    EXPECT_EQ(tutorial.Caption(), "Dravenloom Tutorial - Page 4");
    const int loads = tutorial.LoadCount();
    tutorial.FormShow();
    EXPECT_EQ(tutorial.Page(), 1);
    EXPECT_EQ(tutorial.Caption(), "Dravenloom Tutorial - Page 1");
    // Showing page 1 again while it is shown still reloads it.
    tutorial.FormShow();
    EXPECT_EQ(tutorial.LoadCount(), loads + 2);
    EXPECT_TRUE(Platform.Messages.empty());
}

TEST_F(TutorialTest, MissingPageTellsTheAuthorAndKeepsThePreviousPage) {
    WritePages({1, 2, 4});
    Tutorial tutorial(Platform, ExeDir);
    tutorial.FormShow();
    tutorial.ShowPage(2);
    const int loads = tutorial.LoadCount();

    tutorial.ShowPage(3);
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0], MissingMessage());
    EXPECT_EQ(tutorial.Page(), 2);
    EXPECT_EQ(tutorial.ShownFile(), ExeDir / "tutorial" / "tutorial2.htm");
    EXPECT_EQ(tutorial.Caption(), "Dravenloom Tutorial - Page 2");
    EXPECT_EQ(tutorial.LoadCount(), loads);

    // The window stays usable.
    tutorial.ShowPage(4);
    EXPECT_EQ(tutorial.Caption(), "Dravenloom Tutorial - Page 4");
}

TEST_F(TutorialTest, NoTutorialAtAllLeavesTheWindowEmpty) {
    fs::remove_all(ExeDir / "tutorial");
    Tutorial tutorial(Platform, ExeDir);
    tutorial.FormShow();
    EXPECT_EQ(Platform.Messages, std::vector<MessageRequest>{MissingMessage()});
    EXPECT_EQ(tutorial.Page(), 0);
    EXPECT_EQ(tutorial.Caption(), "Dravenloom Tutorial");
    EXPECT_EQ(tutorial.LoadCount(), 0);
}

TEST_F(TutorialTest, AFolderNamedLikeAPageIsNotAPage) {
    WritePages({1});
    fs::create_directories(ExeDir / "tutorial" / "tutorial2.htm");
    Tutorial tutorial(Platform, ExeDir);
    tutorial.FormShow();
    tutorial.ShowPage(2);
    EXPECT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(tutorial.Page(), 1);
}

TEST_F(TutorialTest, HoverShowsTheLinkTargetInTheStatusLine) {
    Tutorial tutorial(Platform, ExeDir);
    tutorial.LinkHover("tutorial2.htm");
    EXPECT_EQ(tutorial.StatusText(), "tutorial2.htm");
    tutorial.LinkHover("");
    EXPECT_EQ(tutorial.StatusText(), "");
}

struct LinkCase {
    std::string Target;
    std::string Address; // expected OpenAddress request, empty for none
    int Page;            // page shown afterwards (every fixture starts on page 1)
};

class TutorialLinkTest : public TutorialTest, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(TutorialLinkTest, ClickFollowsTheRulesInOrder) {
    WritePages({1, 2, 3, 4});
    Tutorial tutorial(Platform, ExeDir);
    tutorial.FormShow();

    const LinkCase& link = GetParam();
    tutorial.LinkClick(link.Target);
    if (link.Address.empty())
        EXPECT_TRUE(Platform.Addresses.empty());
    else
        EXPECT_EQ(Platform.Addresses, std::vector<std::string>{link.Address});
    EXPECT_EQ(tutorial.Page(), link.Page);
    EXPECT_EQ(tutorial.Caption(), "Dravenloom Tutorial - Page " + std::to_string(link.Page));
    EXPECT_TRUE(Platform.Messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Links, TutorialLinkTest,
    ::testing::Values(LinkCase{"http://www.korvessa.example/", "http://www.korvessa.example/", 1},
                      LinkCase{"https://www.korvessa.example/", "https://www.korvessa.example/", 1},
                      LinkCase{"mailto:support@korvessa.example", "mailto:support@korvessa.example",
                               1},
                      // An address wins over a page name inside it.
                      LinkCase{"http://www.korvessa.example/tutorial3.htm",
                               "http://www.korvessa.example/tutorial3.htm", 1},
                      LinkCase{"tutorial2.htm", "", 2}, LinkCase{"tutorial4.htm#steps", "", 4},
                      LinkCase{"../tutorial/tutorial3.htm", "", 3},
                      // Matching is case-sensitive, and other targets do nothing.
                      LinkCase{"HTTP://www.korvessa.example/", "", 1},
                      LinkCase{"Tutorial2.htm", "", 1}, LinkCase{"file:///etc/passwd", "", 1},
                      LinkCase{"notes.htm", "", 1}, LinkCase{"", "", 1}));

TEST_F(TutorialTest, LinkToAMissingPageTellsTheAuthor) {
    WritePages({1});
    Tutorial tutorial(Platform, ExeDir);
    tutorial.FormShow();
    tutorial.LinkClick("tutorial3.htm");
    EXPECT_EQ(Platform.Messages, std::vector<MessageRequest>{MissingMessage()});
    EXPECT_EQ(tutorial.Page(), 1);
}

} // namespace
} // namespace dravenloom
