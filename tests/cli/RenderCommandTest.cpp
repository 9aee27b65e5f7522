// Tests of `dravenloom-cli render`: the click regions of the drawn responses, the PNG written
// (its size read from its header), errors for records and settings that can't be drawn, a
// picture that can't be loaded, and a run without any display.
#include "support/CliRunner.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
using dravenloom::CliResult;

// The width and height in a PNG file's header, or nothing when the bytes are no PNG.
std::optional<std::pair<std::uint32_t, std::uint32_t>> PngSize(const std::string& bytes) {
    if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 ||
        bytes.compare(12, 4, "IHDR") != 0)
        return std::nullopt;
    const auto big = [&](std::size_t at) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < 4; ++i)
            value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
        return value;
    };
    return std::pair{big(16), big(20)};
}

// Takes a variable out of the environment (the program's children inherit it) for a while.
class UnsetVariable {
public:
    explicit UnsetVariable(const char* name) : Name(name) {
        if (const char* value = std::getenv(name))
            Saved = value;
        unsetenv(name);
    }
    ~UnsetVariable() {
        if (Saved)
            setenv(Name, Saved->c_str(), 1);
    }
    UnsetVariable(const UnsetVariable&) = delete;
    UnsetVariable& operator=(const UnsetVariable&) = delete;

private:
    const char* Name;
    std::optional<std::string> Saved;
};

class RenderCommandTest : public dravenloom::CliFixture {
protected:
    // Record 1: a one-line dialogue, an ordinary response (line 1), a link response (line 2);
    // record 2 follows.
    std::string Guide() {
        return Write("help.dvx",
                     dravenloom::CliGuide({"1|Hello#<>~no", "1|Yes#2",
                                           "1|Read [URL:http://example.com/a\"b\\c?caf\xe9] on#",
                                           "2|Two#<>~no"}))
            .string();
    }
    std::string File(const std::string& name) { return (Directory / name).string(); }
};

TEST_F(RenderCommandTest, RegionsOfTheDefaultScreenStartAtFortyAndHoldLinePositionsAndAddresses) {
    const CliResult result = Run({"render", Guide(), "--record", "1", "--regions"});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out,
              "{\"record\": 1, \"regions\": [{\"top\": 40, \"target\": \"1\"}, "
              "{\"top\": 66, \"target\": \"http://example.com/a\\\"b\\\\c?caf\xc3\xa9\"}"
              "]}\n");
    EXPECT_EQ(result.Err, "");
}

TEST_F(RenderCommandTest, ARecordWithoutResponsesHasNoRegionsAndSettingsMoveThem) {
    const std::string guide = Guide();
    EXPECT_EQ(Run({"render", guide, "--record", "2", "--regions"}).Out,
              "{\"record\": 2, \"regions\": []}\n");
    // Size 14: a paragraph gap of 46 after the one-line dialogue, from a text start of 10.
    const CliResult result =
        Run({"render", guide, "--record", "1", "--regions", "--size", "14", "--text-start", "10"});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out.substr(0, 45), "{\"record\": 1, \"regions\": [{\"top\": 56, \"target");
}

TEST_F(RenderCommandTest, TheTourHasItsTargetsInOrderBelowItsDialogue) {
    const CliResult result = Run({"render", fs::path(DRAVENLOOM_SOURCE_DIR) / "examples/tour.dvx",
                                  "--record", "1", "--regions"});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_NE(result.Out.find("\"target\": \"1\"}, {\"top\": "), std::string::npos) << result.Out;
    EXPECT_NE(result.Out.find("\"target\": \"2\"}]}"), std::string::npos) << result.Out;
}

TEST_F(RenderCommandTest, WritesTheWholeScreenOrTheFrameAsPng) {
    const std::string guide = Guide();
    CliResult result = Run({"render", guide, "--record", "1", "--output", File("whole.png")});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out, "Drew record 1 of help.dvx to whole.png\n");
    EXPECT_EQ(PngSize(dravenloom::ReadWholeFile(File("whole.png"))), (std::pair{1279u, 1023u}));

    result = Run({"render", guide, "--record", "1", "--output", File("frame.png"), "--crop"});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(PngSize(dravenloom::ReadWholeFile(File("frame.png"))), (std::pair{300u, 400u}));

    // A frame larger than the screen is cut where the screen ends.
    result = Run({"render", guide, "--record", "1", "--output", File("wide.png"), "--crop",
                  "--width", "2000", "--height", "50"});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(PngSize(dravenloom::ReadWholeFile(File("wide.png"))), (std::pair{1279u, 50u}));
}

TEST_F(RenderCommandTest, ARecordNotInTheGuideIsAnErrorAndNoPictureIsWritten) {
    const CliResult result =
        Run({"render", Guide(), "--record", "9", "--output", File("none.png"), "--regions"});
    EXPECT_EQ(result.Status, 2);
    EXPECT_EQ(result.Out, "");
    EXPECT_EQ(result.Err, "dravenloom-cli: Record 9 is not in the guide.\n");
    EXPECT_FALSE(fs::exists(File("none.png")));
}

TEST_F(RenderCommandTest, ASettingOrFieldThatIsNoNumberIsAnError) {
    const std::string guide = Guide();
    CliResult result = Run({"render", guide, "--record", "1", "--regions", "--size", "abc"});
    EXPECT_EQ(result.Status, 2);
    EXPECT_EQ(result.Out, "");
    EXPECT_NE(result.Err.find("--size \"abc\""), std::string::npos) << result.Err;

    // A picture whose position is no number: the draw ends there.
    const std::string bad =
        Write("bad.dvx", dravenloom::CliGuide({"1|Hello#pic.gif<left>0~no", "1|Yes#1"})).string();
    result = Run({"render", bad, "--record", "1", "--regions", "--output", File("bad.png")});
    EXPECT_EQ(result.Status, 2);
    EXPECT_EQ(result.Out, "");
    EXPECT_NE(result.Err.find("left"), std::string::npos) << result.Err;
    EXPECT_FALSE(fs::exists(File("bad.png")));
}

TEST_F(RenderCommandTest, APictureThatCannotBeLoadedIsReportedAndTheScreenIsStillDrawn) {
    Write("broken.gif", "GIF89a this is not a picture");
    const std::string guide =
        Write("pics.dvx", dravenloom::CliGuide({"1|Hello#broken.gif<10>10~no", "1|Yes#1"}))
            .string();
    const CliResult result =
        Run({"render", guide, "--record", "1", "--regions", "--output", File("pics.png")});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Err.substr(0, result.Err.find('\n') + 1),
              "dravenloom-cli render: Dravenloom cannot load the graphic for this record.  "
              "Please confirm that you have specified a valid image.\n");
    // The next line says why: the file's name and what giflib found wrong.
    EXPECT_NE(result.Err.find("\ndravenloom-cli render: Cannot load the picture \"" +
                              File("broken.gif") + "\": "),
              std::string::npos)
        << result.Err;
    EXPECT_EQ(result.Out, "{\"record\": 1, \"regions\": [{\"top\": 40, \"target\": \"1\"}]}\n");
    EXPECT_EQ(PngSize(dravenloom::ReadWholeFile(File("pics.png"))), (std::pair{1279u, 1023u}));
}

TEST_F(RenderCommandTest, RunsWithoutADisplayWhateverThePlatformVariableSays) {
    const std::string guide = Guide();
    const UnsetVariable display("DISPLAY");
    const UnsetVariable wayland("WAYLAND_DISPLAY");
    {
        const UnsetVariable platform("QT_QPA_PLATFORM");
        const CliResult result = Run({"render", guide, "--record", "1", "--regions"});
        EXPECT_EQ(result.Status, 0) << result.Err;
    }
    // A platform that needs a display is not used: the command never shows a window.
    const UnsetVariable platform("QT_QPA_PLATFORM");
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    const CliResult result = Run({"render", guide, "--record", "1", "--regions"});
    EXPECT_EQ(result.Status, 0) << result.Err;
}

TEST_F(RenderCommandTest, TheRecordMustBeNamedAsANumberAndSomethingAskedFor) {
    const std::string guide = Guide();
    for (const auto& arguments :
         std::vector<std::vector<std::string>>{{"render", guide, "--regions"},
                                               {"render", guide, "--record", "one", "--regions"},
                                               {"render", guide, "--record", "1"}}) {
        const CliResult result = Run(arguments);
        EXPECT_EQ(result.Status, 2);
        EXPECT_NE(result.Err.find("Usage: dravenloom-cli render"), std::string::npos) << result.Err;
    }
}

} // namespace
