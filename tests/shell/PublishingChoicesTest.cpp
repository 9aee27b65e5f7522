// Tests of what the window does for a guide that every reader can play: the web player's tick
// remembered between runs, the question before a page that only Java plays is uploaded, and
// the File menu's exports with their questions, dialogs and status notes.
#include "shell/GuideForm.h"
#include "shell/UploadPage.h"

#include "support/EditorFixture.h"
#include "support/ScriptedFtpClient.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace dravenloom {
namespace {

namespace fs = std::filesystem;

class PublishingChoicesTest : public EditorFixture {
protected:
    PublishingChoicesTest() {
        fs::create_directories(Dir.Path / "Applet");
        for (const char* name :
             {"Dravenloom.class", "About.class", "Progress.class", "GuideCanvas.class",
              "GuideFrame.class", "gray.gif", "dravenloom.js"})
            WriteBytes((Dir.Path / "Applet" / name).string(), name);
    }
};

TEST_F(PublishingChoicesTest, TheWebPlayerTickIsRememberedAndLoadingAPageSetsIt) {
    Form.FormShow();
    EXPECT_FALSE(Form.Applet.Options.CheckHtml5.Checked) << "off by default";
    Form.Applet.CheckHtml5Click(true);
    EXPECT_EQ(Settings.Bool(ProgramKey, WebPlayerValue), true);

    // The next run starts with it ticked; the appearance settings start from their defaults.
    MemorySettings next = Settings;
    GuideForm restarted(Platform, next, Dir.Path.string());
    restarted.FormCreate({});
    restarted.FormShow();
    EXPECT_TRUE(restarted.Applet.Options.CheckHtml5.Checked);

    // A page loaded without the player clears the tick, and that is remembered too.
    WriteBytes(Dir.File("old.html"), "<APPLET CODE=\"Dravenloom.class\"><PARAM NAME=\"size\" "
                                     "VALUE=\"14\"></APPLET>");
    Platform.DialogAnswers.push_back(Dir.File("old.html"));
    restarted.Applet.LoadBtnClick();
    EXPECT_FALSE(restarted.Applet.Options.CheckHtml5.Checked);
    EXPECT_EQ(next.Bool(ProgramKey, WebPlayerValue), false);
}

TEST_F(PublishingChoicesTest, APageThatOnlyJavaPlaysIsSentOnlyWhenTheAuthorSaysSo) {
    ScriptedFtpClient ftp;
    UploadPage upload(Form.Document, Form.Editor, Form.Files, Form.Applet.Options, Platform,
                      Settings, ftp, Dir.Path.string());
    upload.Server.HostTxt.Text = "ftp.example.com";
    upload.Server.UserTxt.Text = "anna";
    upload.Server.PassTxt.Text = "pw";
    const std::string guide = OpenGuide(NumberedRecords(1));
    const std::string javaOnly = "<p>Help</p>\r\n<applet code=\"Dravenloom.class\">\r\n"
                                 "<param name=\"filename\" value=\"g.dvx\"></applet>\r\n";
    const auto run = [&](const std::string& page, std::vector<MsgAnswer> answers) {
        WriteBytes(Dir.File("Page.HTM"), page);
        Platform.ClearRecords();
        ftp.Calls.clear();
        Platform.MessageAnswers.assign(answers.begin(), answers.end());
        Platform.DialogAnswers.push_back(Dir.File("Page.HTM"));
        upload.UploadBtnClick();
    };
    const std::string question = JavaOnlyPageQuestion("Page.HTM");
    EXPECT_NE(question.find("no current browser runs Java applets"), std::string::npos);

    run(javaOnly, {MsgAnswer::Yes, MsgAnswer::No}); // an HTML file; then No: nothing is sent
    ASSERT_EQ(Platform.Messages.size(), 2u);
    EXPECT_EQ(Platform.Messages[1],
              (MessageRequest{"Question", question, MsgButtons::YesNo, MsgIcon::Question}));
    EXPECT_TRUE(ftp.Calls.empty());

    run(javaOnly, {MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::Ok}); // Yes: the upload goes on
    EXPECT_FALSE(ftp.Calls.empty());
    EXPECT_EQ(Platform.Messages.back().Text, SuccessMessage);

    // A page that loads the player too, and a page with no element, are sent without a word.
    for (const std::string& page : {javaOnly + "<script src=\"js/dravenloom.js\"></script>",
                                    std::string("<p>no guide</p>")}) {
        run(page, {MsgAnswer::Yes, MsgAnswer::Ok});
        EXPECT_EQ(Platform.Messages.size(), 2u) << page;
        EXPECT_EQ(Platform.Messages.back().Text, SuccessMessage) << page;
    }
    (void)guide;
}

TEST_F(PublishingChoicesTest, TheExportsSaveFirstAskForTheirPlaceAndNameTheirResult) {
    // An untitled guide is saved first; cancelling that Save Guide dialog ends the export.
    Platform.ClearRecords();
    Platform.DialogAnswers.push_back(std::nullopt);
    Form.Exports.ExportToFolder1Click();
    EXPECT_EQ(Platform.SaveDialogs.size(), 1u);
    EXPECT_TRUE(Form.Document.Untitled());

    const std::string guide = OpenGuide({Primary(1, "One")});
    TypeDialogue("Changed");
    // A modified guide: Cancel ends it, No exports the file as it is on disk.
    Platform.ClearRecords();
    Platform.MessageAnswers.push_back(MsgAnswer::Cancel);
    Form.Exports.ExportToFolder1Click();
    EXPECT_EQ(Platform.Messages.at(0).Text,
              "Save changes to " + fs::path(guide).filename().string() + " before exporting?");
    EXPECT_TRUE(Platform.SaveDialogs.empty());

    const std::string onDisk = ReadBytes(guide);
    std::vector<FileDialogRequest> folderDialogs;
    std::optional<std::string> folder = Dir.File("site");
    Form.Exports.ChooseFolder = [&](const FileDialogRequest& request) {
        folderDialogs.push_back(request);
        return folder;
    };
    Platform.MessageAnswers.push_back(MsgAnswer::No);
    Form.Exports.ExportToFolder1Click();
    ASSERT_EQ(folderDialogs.size(), 1u);
    EXPECT_EQ(folderDialogs[0].FileName, Dir.Path.string()) << "the guide's folder";
    EXPECT_EQ(folderDialogs[0].Title, "Export to Folder");
    EXPECT_EQ(ReadBytes((Dir.Path / "site" / fs::path(guide).filename()).string()), onDisk);
    EXPECT_TRUE(fs::is_regular_file(Dir.Path / "site" / "index.html"));
    EXPECT_EQ(Form.Document.StatusText,
              "Exported " + fs::path(guide).filename().string() + " to " + Dir.File("site"));
    EXPECT_TRUE(Form.Document.Modified());

    // Yes saves first; the page's name is offered beside the guide, and ".html" added.
    Platform.ClearRecords();
    Platform.MessageAnswers.push_back(MsgAnswer::Yes);
    Platform.DialogAnswers.push_back(Dir.File("one"));
    int notes = 0;
    Form.Exports.Progressed = [&] { ++notes; };
    Form.Exports.ExportAsOnePage1Click();
    EXPECT_FALSE(Form.Document.Modified());
    EXPECT_EQ(Platform.SaveDialogs.at(0).FileName,
              fs::path(guide).replace_extension(".html").string());
    EXPECT_EQ(Platform.SaveDialogs.at(0).Filter, "HTML Files (*.html, *.htm)|*.html; *.htm");
    EXPECT_NE(ReadBytes(guide).find("Changed"), std::string::npos) << "saved before";
    EXPECT_TRUE(fs::is_regular_file(Dir.File("one.html")));
    EXPECT_EQ(notes, 4) << "two files embedded, the page written, the result";
    EXPECT_EQ(Form.Document.StatusText,
              "Exported " + fs::path(guide).filename().string() + " as one.html");

    // A refused export ends with its reason.
    folder = Dir.File("one.html"); // a file, not a folder
    EXPECT_THROW(Form.Exports.ExportToFolder1Click(), DravenloomError);
}

} // namespace
} // namespace dravenloom
