// Tests of the export: the folder's files and page, the refusals that leave the disk as it
// was, and the one page with its files embedded.
#include "publish/GuideExport.h"

#include "document/RecordCodec.h"
#include "document/RecordList.h"
#include "publish/AppletTag.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

namespace dravenloom {
namespace {

namespace fs = std::filesystem;

class GuideExportTest : public ::testing::Test {
public: // the refusal cases arrange the fixture itself
    TempDirectory Dir;
    RecordList Records;
    ExportSource Source;
    // Record 1 names a picture beside the guide; record 2 one by a full path; record 3 the
    // first again.
    const std::string GuideBytes =
        BuildPrimaryLine(1, "One", "bulb.jpg", "0", "0", false) + "\r\n" +
        BuildResponseLine(1, "On", "2") + "\r\n" +
        BuildPrimaryLine(2, "Two", (fs::path(Dir.Path) / "pics" / "plug.gif").string(), "0", "0",
                         false) +
        "\r\n" + BuildPrimaryLine(3, "Three", "bulb.jpg", "0", "0", false) + "\r\n";

    GuideExportTest() {
        fs::create_directories(Dir.Path / "Applet");
        fs::create_directories(Dir.Path / "guides" / "pics");
        fs::create_directories(Dir.Path / "pics");
        for (const char* name : {"Dravenloom.class", "About.class", "Progress.class",
                                 "GuideCanvas.class", "GuideFrame.class", "gray.gif", "red.gif"})
            WriteBytes((Dir.Path / "Applet" / name).string(), std::string("bytes of ") + name);
        WriteBytes((Dir.Path / "Applet" / "dravenloom.js").string(),
                   "var a = '</script>'; // <!-- player\n");
        WriteBytes((Dir.Path / "guides" / "bulb.jpg").string(), std::string("\xFF\xD8jpeg\0", 7));
        WriteBytes((Dir.Path / "pics" / "plug.gif").string(), "GIF89a plug");
        WriteBytes((Dir.Path / "guides" / "lamp help.dvx").string(), GuideBytes);
        Records = RecordList(SplitLines(GuideBytes));
        Source.GuideFile = (Dir.Path / "guides" / "lamp help.dvx").string();
        Source.Records = &Records;
        Source.AppletDirectory = (Dir.Path / "Applet").string();
        Source.Settings.FrameWidth = "300";
        Source.Settings.FrameHeight = "400";
        Source.Settings.TextStart = "5";
        Source.Settings.Face = "Times New Roman";
        Source.Settings.Size = "12";
        Source.Settings.Image = "gray.gif";
    }

    static std::vector<std::string> SplitLines(const std::string& bytes) {
        std::vector<std::string> lines;
        std::size_t at = 0;
        while (at < bytes.size()) {
            const auto end = bytes.find("\r\n", at);
            lines.push_back(bytes.substr(at, end - at));
            at = end + 2;
        }
        return lines;
    }

    std::vector<std::string> FilesUnder(const fs::path& root) const {
        std::vector<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(root))
            if (entry.is_regular_file())
                files.push_back(fs::relative(entry.path(), root).generic_string());
        std::sort(files.begin(), files.end());
        return files;
    }
};

TEST_F(GuideExportTest,
       TheFolderHoldsThePageTheGuideThePlayerAndThePicturesWhereTheUploadPutsThem) {
    const fs::path out = Dir.Path / "site" / "deeper"; // created, with its parent
    std::vector<std::string> progress;
    ExportToFolder(Source, out.string(), [&](const std::string& s) { progress.push_back(s); });
    EXPECT_EQ(
        FilesUnder(out),
        (std::vector<std::string>{"About.class", "Dravenloom.class", "GuideCanvas.class",
                                  "GuideFrame.class", "Progress.class", "bulb.jpg", "dravenloom.js",
                                  "gray.gif", "index.html", "lamp help.dvx", "plug.gif"}));
    EXPECT_EQ(ReadBytes((out / "lamp help.dvx").string()), GuideBytes); // CR LF kept
    EXPECT_EQ(ReadBytes((out / "bulb.jpg").string()), std::string("\xFF\xD8jpeg\0", 7));
    ASSERT_EQ(progress.size(), 11u);
    EXPECT_EQ(progress.front(), "Exporting lamp help.dvx (1 of 11)");
    EXPECT_EQ(progress.back(), "Exporting index.html (11 of 11)");

    const std::string page = ReadBytes((out / "index.html").string());
    EXPECT_EQ(page.rfind("<!DOCTYPE html>\r\n<html lang=\"en\">\r\n", 0), 0u);
    EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(page.find("<title>lamp help</title>"), std::string::npos);
    EXPECT_NE(page.find("<main>\r\n<h1>lamp help</h1>\r\n<APPLET CODE=\"Dravenloom.class\""),
              std::string::npos);
    EXPECT_NE(page.find("<PARAM NAME=\"filename\" VALUE=\"lamp help.dvx\">"), std::string::npos);
    EXPECT_NE(page.find("</APPLET>\r\n<script src=\"dravenloom.js\"></script>\r\n</main>"),
              std::string::npos);

    // With an image directory, the button picture and the pictures go below it; a second
    // export replaces the files of its names and leaves the author's own alone.
    WriteBytes((out / "notes.txt").string(), "mine");
    WriteBytes((out / "gray.gif").string(), "stale");
    Source.Settings.ImageDir = " img\\small/ ";
    Source.Settings.Title = "Lamp & <help> \xE9";
    ExportToFolder(Source, out.string());
    for (const char* name : {"img/small/gray.gif", "img/small/bulb.jpg", "img/small/plug.gif"})
        EXPECT_TRUE(fs::is_regular_file(out / name)) << name;
    EXPECT_EQ(ReadBytes((out / "notes.txt").string()), "mine");
    EXPECT_EQ(ReadBytes((out / "img/small/gray.gif").string()), "bytes of gray.gif");
    const std::string titled = ReadBytes((out / "index.html").string());
    // The code page's é is written in the page's own UTF-8; markup in the title is text.
    EXPECT_NE(titled.find("<title>Lamp &amp; &lt;help&gt; \xC3\xA9</title>"), std::string::npos);
    EXPECT_NE(titled.find("<h1>Lamp &amp; &lt;help&gt; \xC3\xA9</h1>"), std::string::npos);
}

struct Refusal {
    const char* Name;
    std::function<void(GuideExportTest&, ExportSource&)> Arrange;
    const char* Message; // a part of the message
};

TEST_F(GuideExportTest, ARefusedExportWritesNothingAndSaysWhy) {
    const std::vector<Refusal> refusals = {
        {"missing picture",
         [](GuideExportTest& t, ExportSource&) { fs::remove(t.Dir.Path / "pics" / "plug.gif"); },
         "Unable to find image "},
        {"image directory above the folder",
         [](GuideExportTest&, ExportSource& s) { s.Settings.ImageDir = "img/../../up"; },
         "leads out of the folder"},
        {"image directory at the root",
         [](GuideExportTest&, ExportSource& s) { s.Settings.ImageDir = "/img"; },
         "starts at the server's root"},
        {"two pictures of one name",
         [](GuideExportTest& t, ExportSource&) {
             WriteBytes((t.Dir.Path / "guides" / "Gray.gif").string(), "other");
             t.Records.Lines.push_back(BuildPrimaryLine(4, "Four", "Gray.gif", "0", "0", false));
         },
         "would overwrite the other"},
        {"a picture named as the guide",
         [](GuideExportTest& t, ExportSource&) {
             WriteBytes((t.Dir.Path / "guides" / "LAMP HELP.DVX").string(), "a picture");
             t.Records.Lines.push_back(
                 BuildPrimaryLine(4, "Four", "LAMP HELP.DVX", "0", "0", false));
         },
         "would overwrite the other"},
        {"missing player",
         [](GuideExportTest& t, ExportSource&) {
             fs::remove(t.Dir.Path / "Applet" / "dravenloom.js");
         },
         "Please reinstall Dravenloom."},
    };
    for (const auto& refusal : refusals) {
        SCOPED_TRACE(refusal.Name);
        GuideExportTest& self = *this;
        ExportSource source = Source;
        RecordList saved = Records;
        refusal.Arrange(self, source);
        const fs::path out = Dir.Path / (std::string("out-") + refusal.Name);
        try {
            ExportToFolder(source, out.string());
            ADD_FAILURE() << "exported";
        } catch (const ExportError& error) {
            EXPECT_NE(std::string(error.what()).find(refusal.Message), std::string::npos)
                << error.what();
        }
        EXPECT_FALSE(fs::exists(out));
        Records = saved;
        WriteBytes((Dir.Path / "pics" / "plug.gif").string(), "GIF89a plug");
        WriteBytes((Dir.Path / "Applet" / "dravenloom.js").string(), "var a;");
        fs::remove(Dir.Path / "guides" / "Gray.gif");
        fs::remove(Dir.Path / "guides" / "LAMP HELP.DVX");
    }
    // A file where the folder should be is refused, and left as it was.
    WriteBytes(Dir.File("taken"), "a file");
    EXPECT_THROW(ExportToFolder(Source, Dir.File("taken")), ExportError);
    EXPECT_EQ(ReadBytes(Dir.File("taken")), "a file");
}

TEST_F(GuideExportTest, TheOnePageCarriesThePlayerTheGuideAndThePicturesItself) {
    Source.Settings.ImageDir = "img"; // no folder in one page: files go by name
    std::vector<std::string> progress;
    const std::string file = Dir.File("one.html");
    const auto bytes =
        ExportAsOnePage(Source, file, [&](const std::string& s) { progress.push_back(s); });
    const std::string page = ReadBytes(file);
    EXPECT_EQ(bytes, page.size());
    EXPECT_EQ(progress.front(), "Embedding lamp help.dvx (1 of 4)");
    EXPECT_EQ(page.find("<script src="), std::string::npos); // nothing to fetch
    // The player's own "</script>" and "<!--" cannot end its element early.
    EXPECT_NE(page.find("var a = '\\x3C/script>'; // \\x3C!-- player"), std::string::npos);

    const std::smatch files = [&] {
        std::smatch match;
        std::regex_search(page, match,
                          std::regex("<script type=\"application/json\" "
                                     "id=\"dravenloom-files\">([^<]*)</script>"));
        return match;
    }();
    ASSERT_FALSE(files.empty());
    const std::string json = files[1];
    EXPECT_NE(json.find("\"lamp help.dvx\":\"data:application/octet-stream;base64," +
                        Base64(GuideBytes) + "\""),
              std::string::npos);
    EXPECT_NE(json.find("\"gray.gif\":\"data:image/gif;base64," + Base64("bytes of gray.gif")),
              std::string::npos);
    EXPECT_NE(json.find("\"bulb.jpg\":\"data:image/jpeg;base64,"), std::string::npos);
    EXPECT_NE(json.find("\"plug.gif\":\"data:image/gif;base64,"), std::string::npos);
}

TEST(GuideExportRules, Base64AndTheLargePageWarning) {
    const std::pair<const char*, const char*> vectors[] = {
        {"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"foobar", "Zm9vYmFy"}};
    for (const auto& [plain, coded] : vectors)
        EXPECT_EQ(Base64(plain), coded) << plain;
    EXPECT_EQ(Base64(std::string("\xFF\xFE\x00", 3)), "//4A");
    EXPECT_EQ(LargePageWarning(LargePageBytes), "");
    const std::string warning = LargePageWarning(LargePageBytes + 1024 * 1024);
    EXPECT_NE(warning.find("21.0 MB (22020096 bytes)"), std::string::npos) << warning;
}

} // namespace
} // namespace dravenloom
