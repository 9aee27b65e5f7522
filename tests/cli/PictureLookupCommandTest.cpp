// Tests of where `dravenloom-cli` finds the pictures a guide names, started from another
// folder: `render` draws and `upload` sends the picture beside the guide before a file of the
// same name in the working folder; and `render` says why a picture was not drawn.
#include "support/UploadCliFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using dravenloom::CliResult;

constexpr const char* GraphicLine =
    "dravenloom-cli render: Dravenloom cannot load the graphic for this record.  Please confirm "
    "that you have specified a valid image.\n";

class PictureLookupCommandTest : public dravenloom::UploadCliFixture {
protected:
    // The commands run in a working folder of their own, holding a broken "bulb.jpg".
    PictureLookupCommandTest() {
        fs::create_directories(Work);
        dravenloom::WriteBytes(Work / "bulb.jpg", std::string(600, '\x33'));
        Previous = fs::current_path();
        fs::current_path(Work);
    }
    ~PictureLookupCommandTest() override { fs::current_path(Previous); }

    // Record 6 of the sample guide shows "bulb.jpg".
    CliResult RenderBulb() {
        return Run({"render", Guide.string(), "--record", "6", "--output",
                    (Directory / "bulb.png").string()});
    }

    fs::path Work = Directory / "work";
    fs::path Previous;
};

TEST_F(PictureLookupCommandTest, ThePictureBesideTheGuideWinsOverTheWorkingFolders) {
    CliResult result = RenderBulb();
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Err, "") << "the broken bulb.jpg of the working folder was drawn";

    result = Run({"upload", Guide.string(), "--dry-run"});
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_NE(result.Out.find("\n" + Bulb.string() + " -> .\n"), std::string::npos) << result.Out;

    // Without the one beside the guide, the working folder's is the picture, and why it
    // cannot be drawn is said.
    fs::remove(Bulb);
    result = RenderBulb();
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Err.substr(0, std::string(GraphicLine).size()), GraphicLine);
    EXPECT_NE(result.Err.find("dravenloom-cli render: Cannot load the picture \"bulb.jpg\": "),
              std::string::npos)
        << result.Err;
    result = Run({"upload", Guide.string(), "--dry-run"});
    EXPECT_NE(result.Out.find("\nbulb.jpg -> .\n"), std::string::npos) << result.Out;
}

TEST_F(PictureLookupCommandTest, APictureTooLargeToDecodeIsNamedWithItsNeed) {
    // A GIF screen of 9000 x 9000 pixels and a colour table of two: 21 bytes asking for 309 MB.
    std::string gif = "GIF89a";
    gif += std::string("\x28\x23\x28\x23\x80\x00\x00", 7); // 9000 = 0x2328, little-endian
    gif += std::string("\x00\x00\x00\xff\xff\xff", 6);
    Write("huge.gif", gif);
    const fs::path guide = Write("huge.dvx", dravenloom::CliGuide({"1|Big#huge.gif<0>0~no"}));
    const CliResult result = Run({"render", guide.string(), "--record", "1", "--regions"});
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Err, std::string(GraphicLine) +
                              "dravenloom-cli render: Cannot load the picture \"" +
                              (Directory / "huge.gif").string() +
                              "\": it would need 309 MB to decode, more than the 256 MB a "
                              "picture may take\n");
    EXPECT_EQ(result.Out, "{\"record\": 1, \"regions\": []}\n");
}

} // namespace
