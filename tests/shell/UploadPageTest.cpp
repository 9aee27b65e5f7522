// Tests of the upload: the list of files, a run over a scripted FTP client, its passes and
// type commands, Abort and errors during a request, the questions asked first, and the
// settings written at the end.
#include "shell/UploadPage.h"

#include "publish/PasswordCipher.h"
#include "publish/ServerTrust.h"
#include "support/EditorFixture.h"
#include "support/ScriptedFtpClient.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace dravenloom {
namespace {

class UploadPageTest : public EditorFixture {
protected:
    ScriptedFtpClient Ftp;
    UploadPage Upload{Form.Document, Form.Editor, Form.Files, Form.Applet.Options,
                      Platform,      Settings,    Ftp,        Dir.Path.string()};
    std::string Applet = (Dir.Path / "Applet").string();

    UploadPageTest() {
        std::filesystem::create_directories(Dir.Path / "Applet");
        for (const char* name : {"Dravenloom.class", "About.class", "Progress.class",
                                 "GuideCanvas.class", "GuideFrame.class", "gray.gif"})
            WriteBytes((Dir.Path / "Applet" / name).string(), "x");
        Upload.CipherSeed = [] { return static_cast<unsigned char>(42); };
        Upload.Server.HostTxt.Text = "ftp.example.com";
        Upload.Server.UserTxt.Text = "anna";
        Upload.Server.PassTxt.Text = "pw";
        Upload.Server.DirTxt.Text = "www";
    }

    std::string AppletFile(const char* name) const { return Applet + "/" + name; }
    // The guide with a picture beside it on record 1 and another on record 2.
    std::string OpenPictureGuide() {
        WriteBytes(Dir.File("bulb.jpg"), "jpeg");
        return OpenGuide({BuildPrimaryLine(1, "One", "bulb.jpg", "0", "0", false),
                          Response(1, "To two", "2"),
                          BuildPrimaryLine(2, "Two", "/pics/plug.gif", "0", "0", false)});
    }
    // The remote names of the files sent, in order.
    std::vector<std::string> Puts() const {
        std::vector<std::string> puts;
        for (const auto& call : Ftp.Calls)
            if (call.rfind("Put ", 0) == 0)
                puts.push_back(call.substr(call.rfind(" -> ") + 4));
        return puts;
    }
    // The action runs while the file of that remote name is being sent.
    void WhileSending(const std::string& name, std::function<void()> action) {
        Actions[name] = std::move(action);
        Ftp.DuringRequest = [this](FtpRequest request, int) {
            if (request != FtpRequest::Put)
                return;
            if (const auto found = Actions.find(Ftp.HostFileName); found != Actions.end())
                found->second();
        };
    }
    static std::string Put(const std::string& local, const std::string& remote) {
        return "Put " + local + " -> " + remote;
    }
    std::map<std::string, std::function<void()>> Actions;
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& message : Platform.Messages)
            texts.push_back(message.Text);
        return texts;
    }
};

TEST_F(UploadPageTest, TheListHoldsTheGuideTheAppletAndThePicturesInTheirOrder) {
    const std::string guide = OpenPictureGuide();
    Platform.MessageAnswers.push_back(MsgAnswer::No); // no HTML file
    Upload.ListBtnClick();
    EXPECT_EQ(
        Upload.UploadList,
        (std::vector<std::string>{guide, AppletFile("Dravenloom.class"), AppletFile("About.class"),
                                  AppletFile("Progress.class"), AppletFile("GuideCanvas.class"),
                                  AppletFile("GuideFrame.class"), AppletFile("gray.gif"),
                                  Dir.File("bulb.jpg"), "/pics/plug.gif"}))
        << "a picture stored without a folder is found beside the guide";
    EXPECT_EQ(Platform.Messages.at(0),
              (MessageRequest{"Question", "Would you like to upload an HTML file with your applet?",
                              MsgButtons::YesNoCancel, MsgIcon::Question}));
    EXPECT_FALSE(Upload.ListCancelled);
}

TEST_F(UploadPageTest, AnHtmlFileComesFirstAndCancellingTheQuestionCancelsTheList) {
    const std::string guide = OpenGuide(NumberedRecords(1));
    Platform.MessageAnswers.push_back(MsgAnswer::Yes);
    Platform.DialogAnswers.push_back(Dir.File("page.html"));
    Upload.BuildUploadList();
    ASSERT_GE(Upload.UploadList.size(), 2u);
    EXPECT_EQ(Upload.UploadList[0], Dir.File("page.html"));
    EXPECT_EQ(Platform.OpenDialogs.at(0).Filter, "HTML Files (*.html, *.htm)|*.html; *.htm");
    EXPECT_EQ(Platform.OpenDialogs.at(0).Directory, Dir.Path.string()) << "the guide's folder";

    Platform.MessageAnswers.push_back(MsgAnswer::Cancel);
    Upload.BuildUploadList();
    EXPECT_TRUE(Upload.UploadList.empty());
    EXPECT_TRUE(Upload.ListCancelled);
    // The next run stops once, silently, and clears the flag.
    Platform.ClearRecords();
    Upload.UploadList = {guide};
    Upload.UploadBtnClick();
    EXPECT_TRUE(Ftp.Calls.empty());
    EXPECT_FALSE(Upload.ListCancelled);
    EXPECT_TRUE(Platform.Messages.empty());
}

TEST_F(UploadPageTest, ThePlayerForBrowsersWithoutJavaFollowsTheClassesWhenAskedFor) {
    const std::string guide = OpenGuide(NumberedRecords(1));
    Form.Applet.Options.CheckHtml5.Checked = true;
    Platform.MessageAnswers.push_back(MsgAnswer::No);
    Upload.BuildUploadList();
    EXPECT_TRUE(Upload.ListCancelled) << "dravenloom.js is missing: a missing applet file";
    EXPECT_EQ(Platform.Messages.back().Text,
              "Unable to find applet files.  Please reinstall Dravenloom.");

    WriteBytes((Dir.Path / "Applet" / "dravenloom.js").string(), "js");
    Upload.ListCancelled = false;
    Platform.MessageAnswers.push_back(MsgAnswer::No);
    Upload.BuildUploadList();
    EXPECT_EQ(
        Upload.UploadList,
        (std::vector<std::string>{guide, AppletFile("Dravenloom.class"), AppletFile("About.class"),
                                  AppletFile("Progress.class"), AppletFile("GuideCanvas.class"),
                                  AppletFile("GuideFrame.class"), AppletFile("dravenloom.js"),
                                  AppletFile("gray.gif")}));
}

TEST_F(UploadPageTest, AMissingAppletFileStopsTheListWithWhatWasAddedSoFar) {
    const std::string guide = OpenGuide(NumberedRecords(1));
    std::filesystem::remove(Dir.Path / "Applet" / "About.class");
    Platform.MessageAnswers.push_back(MsgAnswer::No);
    Upload.BuildUploadList();
    EXPECT_EQ(Upload.UploadList, (std::vector<std::string>{guide}));
    EXPECT_EQ(Platform.Messages.back(),
              (MessageRequest{"Error", "Unable to find applet files.  Please reinstall Dravenloom.",
                              MsgButtons::Ok, MsgIcon::None}));
    EXPECT_TRUE(Upload.ListCancelled);
    // Opening a guide clears it.
    OpenGuide(NumberedRecords(2), "other.dvx");
    EXPECT_FALSE(Upload.ListCancelled);
}

TEST_F(UploadPageTest, AnUntitledGuideIsSavedFirstKeepingItsModifiedState) {
    TypeDialogue("Fresh");
    Platform.DialogAnswers.push_back(Dir.File("fresh.dvx"));
    Platform.MessageAnswers.push_back(MsgAnswer::No);
    Upload.BuildUploadList();
    ASSERT_EQ(Platform.SaveDialogs.size(), 1u);
    EXPECT_EQ(Platform.SaveDialogs[0].Title, "Save Guide before uploading");
    EXPECT_EQ(Doc().GuideFileName, Dir.File("fresh.dvx"));
    EXPECT_EQ(Doc().WindowTitle, "Dravenloom - fresh.dvx");
    EXPECT_TRUE(std::filesystem::exists(Dir.File("fresh.dvx")));
    EXPECT_TRUE(Modified());
    EXPECT_EQ(Upload.UploadList.at(0), Dir.File("fresh.dvx"));
}

TEST_F(UploadPageTest, ARunSendsEachFileWithItsTypeAndReportsSuccess) {
    const std::string guide = OpenPictureGuide();
    Platform.MessageAnswers.push_back(MsgAnswer::No);
    Upload.UploadBtnClick();
    EXPECT_EQ(Ftp.Calls,
              (std::vector<std::string>{"Connect ftp.example.com:21 anna",
                                        "Cwd www",
                                        Put(guide, "guide.dvx"),
                                        "TypeSet I",
                                        Put(AppletFile("Dravenloom.class"), "Dravenloom.class"),
                                        "TypeSet I",
                                        Put(AppletFile("About.class"), "About.class"),
                                        "TypeSet I",
                                        Put(AppletFile("Progress.class"), "Progress.class"),
                                        "TypeSet I",
                                        Put(AppletFile("GuideCanvas.class"), "GuideCanvas.class"),
                                        "TypeSet I",
                                        Put(AppletFile("GuideFrame.class"), "GuideFrame.class"),
                                        "TypeSet I",
                                        Put(AppletFile("gray.gif"), "gray.gif"),
                                        "TypeSet I",
                                        Put(Dir.File("bulb.jpg"), "bulb.jpg"),
                                        "TypeSet I",
                                        Put("/pics/plug.gif", "plug.gif"),
                                        "Quit"}));
    EXPECT_EQ(Platform.Messages.back(),
              (MessageRequest{"Information", "File upload was successful.", MsgButtons::Ok,
                              MsgIcon::None}));
    EXPECT_TRUE(Upload.UploadList.empty());
    EXPECT_EQ(Upload.StatusText, "Uploading: Idle");
    EXPECT_EQ(Upload.Progress, 0);
    EXPECT_FALSE(Upload.AbortBtn.Enabled);
    EXPECT_TRUE(Upload.UploadBtn.Enabled);
    EXPECT_EQ(Platform.CurrentPointer, PointerShape::Normal);
    EXPECT_EQ(Settings.ReadString(FtpKey, "Password").Value, EncipherPassword("pw", 42));
    EXPECT_EQ(Settings.ReadString(FtpKey, "Host").Value, "ftp.example.com");
}

TEST_F(UploadPageTest, WithAnImageDirectoryPicturesGoInASecondPass) {
    OpenPictureGuide();
    Form.Applet.Options.ImageDir.Text = "img";
    Upload.Server.PortTxt.Text = "021";
    Upload.Server.PassiveCheck.Checked = true;
    std::vector<std::string> statuses;
    WhileSending("gray.gif", [&] { statuses.push_back(Upload.StatusText); });
    WhileSending("guide.dvx", [&] {
        statuses.push_back(Upload.StatusText);
        EXPECT_TRUE(Upload.AbortBtn.Enabled);
        EXPECT_FALSE(Upload.ListBtn.Enabled);
        EXPECT_EQ(Platform.CurrentPointer, PointerShape::Busy);
    });
    Platform.MessageAnswers.push_back(MsgAnswer::No);
    Upload.UploadBtnClick();
    EXPECT_EQ(Ftp.Calls.at(0), "Connect ftp.example.com:21 anna passive");
    const auto second = std::find(Ftp.Calls.begin(), Ftp.Calls.end(), "Cwd img");
    ASSERT_NE(second, Ftp.Calls.end());
    EXPECT_EQ(*(second - 1), Put(AppletFile("GuideFrame.class"), "GuideFrame.class"));
    EXPECT_EQ(*(second + 1), "TypeSet I");
    EXPECT_EQ(std::vector<std::string>(second + 2, Ftp.Calls.end() - 1),
              (std::vector<std::string>{Put(AppletFile("gray.gif"), "gray.gif"),
                                        Put(Dir.File("bulb.jpg"), "bulb.jpg"),
                                        Put("/pics/plug.gif", "plug.gif")}));
    EXPECT_EQ(statuses,
              (std::vector<std::string>{"Uploading guide.dvx", "Uploading gray.gif to img"}));
}

TEST_F(UploadPageTest, DirectoriesGoToTheServerInUtf8LikeTheFileNames) {
    OpenPictureGuide();
    Upload.Server.DirTxt.Text = "caf\xE9";
    Form.Applet.Options.ImageDir.Text = "bilder \xE4";
    std::vector<std::string> statuses;
    WhileSending("gray.gif", [&] { statuses.push_back(Upload.StatusText); });
    Platform.MessageAnswers.push_back(MsgAnswer::No);
    Upload.UploadBtnClick();
    EXPECT_EQ(Ftp.Calls.at(1), "Cwd caf\xC3\xA9");
    EXPECT_NE(std::find(Ftp.Calls.begin(), Ftp.Calls.end(), "Cwd bilder \xC3\xA4"),
              Ftp.Calls.end());
    EXPECT_EQ(statuses, (std::vector<std::string>{"Uploading gray.gif to bilder \xC3\xA4"}));
}

TEST_F(UploadPageTest, AGuideUnderAFolderNamedLikeAPictureIsSentWithTheClasses) {
    std::filesystem::create_directories(Dir.Path / "my.jpages");
    const std::string guide = OpenGuide(NumberedRecords(1), "my.jpages/help.dvx");
    Form.Applet.Options.ImageDir.Text = "img";
    Platform.MessageAnswers.push_back(MsgAnswer::No);
    Upload.UploadBtnClick();
    EXPECT_EQ(Ftp.Calls.at(2), Put(guide, "help.dvx"));
}

TEST_F(UploadPageTest, AnErrorEndsTheRunOnceAndNothingIsCalledSuccess) {
    OpenPictureGuide();
    Ftp.Failures.push_back({FtpRequest::Put, 3, 550, "Permission denied"}); // About.class
    Platform.MessageAnswers.push_back(MsgAnswer::No);
    Upload.UploadBtnClick();
    EXPECT_EQ(MessageTexts().back(), "Could not complete upload: 550 (Permission denied)");
    EXPECT_EQ(Platform.Messages.back().Caption, "Dravenloom");
    EXPECT_EQ(Puts(), (std::vector<std::string>{"guide.dvx", "Dravenloom.class", "About.class"}))
        << "the run ends after the failing request";
    EXPECT_EQ(std::count(Ftp.Calls.begin(), Ftp.Calls.end(), "Abort"), 1);
    EXPECT_TRUE(Upload.UploadList.empty());
    EXPECT_TRUE(Upload.UploadBtn.Enabled);
    EXPECT_FALSE(Upload.AbortBtn.Enabled);
    EXPECT_EQ(Platform.CurrentPointer, PointerShape::Normal);
    // The settings are written even so.
    EXPECT_TRUE(Settings.ReadString(FtpKey, "Host").Found());
}

TEST_F(UploadPageTest, ARefusedLoginShowsOneMessageAndSendsNothing) {
    OpenGuide(NumberedRecords(1));
    Ftp.Failures.push_back({FtpRequest::Connect, 1, 530, "Login incorrect."});
    Platform.MessageAnswers.push_back(MsgAnswer::No);
    Upload.UploadBtnClick();
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{"Would you like to upload an HTML file with your applet?",
                                        "Could not complete upload: 530 (Login incorrect.)"}));
    EXPECT_TRUE(Puts().empty());
}

TEST_F(UploadPageTest, AbortDuringARequestEndsTheRunSilently) {
    OpenPictureGuide();
    WhileSending("About.class", [&] { Upload.AbortBtnClick(); });
    Platform.MessageAnswers.push_back(MsgAnswer::No);
    Upload.UploadBtnClick();
    EXPECT_EQ(Puts().back(), "About.class");
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{
                                  "Would you like to upload an HTML file with your applet?"}));
    EXPECT_TRUE(Upload.UploadList.empty());
    EXPECT_EQ(Upload.StatusText, "Uploading: Idle");
    EXPECT_EQ(Platform.CurrentPointer, PointerShape::Normal);
    EXPECT_TRUE(Upload.ListBtn.Enabled);
}

TEST_F(UploadPageTest, ServerInformationAndPortAreCheckedBeforeAnything) {
    OpenGuide(NumberedRecords(1));
    Upload.Server.PassTxt.Text = "";
    Upload.UploadBtnClick();
    EXPECT_EQ(Platform.Messages.back(),
              (MessageRequest{"Error", "All server information must be filled out before upload.",
                              MsgButtons::Ok, MsgIcon::Exclamation}));
    Upload.Server.PassTxt.Text = " ";
    for (const char* port : {"ftp", "0", "65536", "-21"}) {
        Upload.Server.PortTxt.Text = port;
        Upload.UploadBtnClick();
        EXPECT_EQ(Platform.Messages.back(),
                  (MessageRequest{"Error", "Port must be an integer value.", MsgButtons::Ok,
                                  MsgIcon::Exclamation}))
            << port;
    }
    EXPECT_TRUE(Ftp.Calls.empty());
    EXPECT_TRUE(Upload.UploadList.empty());
}

TEST_F(UploadPageTest, AModifiedGuideIsOfferedASaveFirst) {
    const std::string guide = OpenGuide(NumberedRecords(1));
    TypeDialogue("Changed");
    Platform.MessageAnswers = {MsgAnswer::No, MsgAnswer::Cancel};
    Upload.UploadBtnClick();
    EXPECT_EQ(Platform.Messages.back(),
              (MessageRequest{"Confirm", "Save changes to guide.dvx before uploading?",
                              MsgButtons::YesNoCancel, MsgIcon::Question}));
    EXPECT_TRUE(Ftp.Calls.empty());
    EXPECT_TRUE(Modified());

    Platform.MessageAnswers = {MsgAnswer::Yes};
    Upload.UploadBtnClick();
    EXPECT_FALSE(Modified());
    EXPECT_NE(ReadBytes(guide).find("Changed"), std::string::npos);
    EXPECT_FALSE(Ftp.Calls.empty());
}

TEST_F(UploadPageTest, TwoFilesThatWouldOverwriteEachOtherAreAskedAbout) {
    WriteBytes(Dir.File("gray.gif"), "mine");
    OpenGuide({BuildPrimaryLine(1, "One", Dir.File("gray.gif"), "0", "0", false)});
    Platform.MessageAnswers = {MsgAnswer::No, MsgAnswer::No};
    Upload.UploadBtnClick();
    EXPECT_EQ(Platform.Messages.back().Caption, "Question");
    EXPECT_NE(Platform.Messages.back().Text.find(Dir.File("gray.gif")), std::string::npos);
    EXPECT_NE(Platform.Messages.back().Text.find(AppletFile("gray.gif")), std::string::npos);
    EXPECT_TRUE(Ftp.Calls.empty());
}

TEST_F(UploadPageTest, RemoveFileNeedsASelectedRowAndTheDeleteKeyIsSilent) {
    Upload.UploadList = {"a", "b", "c"};
    Upload.RemoveBtnClick();
    EXPECT_EQ(Platform.Messages.back(),
              (MessageRequest{"Error", "You must first select a file to remove.", MsgButtons::Ok,
                              MsgIcon::Exclamation}));
    Platform.ClearRecords();
    Upload.FilesMemoDeleteKey();
    EXPECT_TRUE(Platform.Messages.empty());
    Upload.SelectedRow = 1;
    Upload.RemoveBtnClick();
    EXPECT_EQ(Upload.UploadList, (std::vector<std::string>{"a", "c"}));
    Upload.SelectedRow = 0;
    Upload.FilesMemoDeleteKey();
    EXPECT_EQ(Upload.UploadList, (std::vector<std::string>{"c"}));
}

TEST_F(UploadPageTest, TheWindowsFirstShowReadsTheServerSettings) {
    Form.AttachUpload(Upload);
    Settings.CreateKey(FtpKey);
    Settings.SetString(FtpKey, "Host", "stored.example");
    Form.FormShow();
    EXPECT_EQ(Upload.Server.HostTxt.Text, "stored.example");
    // While a run goes on, showing the page shows the busy pointer again.
    Ftp.Connected = true;
    Form.ToolbarButton976Click();
    EXPECT_EQ(Platform.CurrentPointer, PointerShape::Busy);
}

TEST_F(UploadPageTest, TheListCannotChangeWhileARunGoesOn) {
    // The Delete key and Remove File while a file is on its way and while the last file's type
    // command waits: every file is still sent, in its order, and nothing is said.
    const std::string guide = OpenPictureGuide();
    Platform.MessageAnswers.push_back(MsgAnswer::No);
    Upload.BuildUploadList();
    const std::vector<std::string> rows = Upload.UploadList;
    const auto pressDelete = [this] {
        Upload.SelectedRow = 0;
        Upload.FilesMemoDeleteKey();
        Upload.SelectedRow = static_cast<int>(Upload.UploadList.size()) - 1;
        Upload.RemoveBtnClick();
    };
    WhileSending("Dravenloom.class", pressDelete);
    int types = 0;
    Ftp.DuringRequest = [&, put = Ftp.DuringRequest](FtpRequest request, int nth) {
        put(request, nth);
        if (request == FtpRequest::TypeSet && ++types == 8)
            pressDelete();
    };
    Platform.ClearRecords();
    Upload.UploadBtnClick();
    EXPECT_EQ(types, 8);
    EXPECT_EQ(Puts(),
              (std::vector<std::string>{"guide.dvx", "Dravenloom.class", "About.class",
                                        "Progress.class", "GuideCanvas.class", "GuideFrame.class",
                                        "gray.gif", "bulb.jpg", "plug.gif"}));
    EXPECT_EQ(rows.size(), 9u);
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"File upload was successful."}));
    // Idle again, the list goes as the author says.
    Upload.UploadList = {"a", "b"};
    Upload.SelectedRow = 0;
    Upload.FilesMemoDeleteKey();
    EXPECT_EQ(Upload.UploadList, (std::vector<std::string>{"b"}));
}

TEST_F(UploadPageTest, ALogoutRefusedAfterEveryFileWasStoredIsStillSuccess) {
    OpenGuide(NumberedRecords(1));
    Ftp.Failures.push_back({FtpRequest::Quit, 1, 500, "The server answered QUIT with 500 No"});
    Platform.MessageAnswers.push_back(MsgAnswer::No);
    Upload.UploadBtnClick();
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{"Would you like to upload an HTML file with your applet?",
                                        "File upload was successful."}));
    EXPECT_EQ(Ftp.Calls.back(), "Quit");
    EXPECT_TRUE(Upload.UploadBtn.Enabled);
    EXPECT_EQ(Platform.CurrentPointer, PointerShape::Normal);
}

struct CloseCase {
    const char* Name;
    MsgAnswer Answer;
    bool MayClose;
    std::vector<std::string> Puts;
};

class ClosingDuringARun : public UploadPageTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ClosingDuringARun, AsksWhetherToStopTheUpload) {
    const CloseCase& c = GetParam();
    OpenGuide(NumberedRecords(1));
    Form.AttachUpload(Upload);
    bool mayClose = !c.MayClose;
    WhileSending("About.class", [&] {
        Platform.MessageAnswers.push_back(c.Answer);
        mayClose = Form.CloseQuery();
    });
    Platform.MessageAnswers.push_back(MsgAnswer::No);
    Upload.UploadBtnClick();
    EXPECT_EQ(mayClose, c.MayClose);
    EXPECT_EQ(Platform.Messages.at(1),
              (MessageRequest{"Confirm", "An upload is in progress.  Stop it and close Dravenloom?",
                              MsgButtons::YesNo, MsgIcon::Question}));
    EXPECT_EQ(Puts(), c.Puts);
    EXPECT_EQ(std::count(Ftp.Calls.begin(), Ftp.Calls.end(), "Abort"), c.MayClose ? 1 : 0);
    EXPECT_TRUE(Upload.UploadList.empty());
    EXPECT_EQ(Platform.CurrentPointer, PointerShape::Normal);
    // Idle, the window closes without the question.
    Platform.ClearRecords();
    EXPECT_TRUE(Form.CloseQuery());
    EXPECT_TRUE(Platform.Messages.empty());
}

const CloseCase CloseCases[] = {
    {"YesStopsTheRun", MsgAnswer::Yes, true, {"guide.dvx", "Dravenloom.class", "About.class"}},
    {"NoLetsItFinish",
     MsgAnswer::No,
     false,
     {"guide.dvx", "Dravenloom.class", "About.class", "Progress.class", "GuideCanvas.class",
      "GuideFrame.class", "gray.gif"}},
};

INSTANTIATE_TEST_SUITE_P(Upload, ClosingDuringARun, ::testing::ValuesIn(CloseCases),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace dravenloom

namespace dravenloom {
namespace {

// A server that cannot be verified stops the run before the login and is asked about; the
// answer, a fingerprint stored before and one given for the run decide what happens next.
struct TrustCase {
    const char* Name;
    std::string Stored;         // trusted in the settings before the run
    std::string Override;       // the command line's --trust
    int FirstConnectCode;       // how the first Connect ends
    MsgAnswer Answer;           // to the question about the server, when asked
    std::vector<std::string> Connects;
    bool Sent;                  // every file went
    std::string StoredAfter;    // trusted in the settings after the run
    std::string LastMessage;
};

constexpr const char* Seen = "SHA256:47DEQpj8HBSa+/TImW+5JCeuQeRkm5NMpJWZG3hSuFU";
constexpr const char* Other = "SHA256:ypeBEsobvcr6wjGzmiPcTaeG7/gUfE5yuYB3ha/uSLs";

const TrustCase TrustCases[] = {
    {"YesTrustsAndConnectsAgain", "", "", FtpUntrustedServerError, MsgAnswer::Yes,
     {"Connect ftp.example.com:21 anna ftps", "Connect ftp.example.com:21 anna ftps trusting " +
                                                  std::string(Seen)},
     true, Seen, "File upload was successful."},
    {"NoStopsSilently", "", "", FtpUntrustedServerError, MsgAnswer::No,
     {"Connect ftp.example.com:21 anna ftps"}, false, "", "(the question)"},
    {"AStoredFingerprintGoesWithTheConnect", Seen, "", 0, MsgAnswer::No,
     {"Connect ftp.example.com:21 anna ftps trusting " + std::string(Seen)}, true, Seen,
     "File upload was successful."},
    {"AChangedServerIsAWarning", Other, "", FtpServerChangedError, MsgAnswer::No,
     {"Connect ftp.example.com:21 anna ftps trusting " + std::string(Other)}, false, Other,
     "Could not complete upload: 20009 (changed)"},
    {"TheCommandLinesFingerprintIsStoredOnceShown", Other, Seen, 0, MsgAnswer::No,
     {"Connect ftp.example.com:21 anna ftps trusting " + std::string(Seen)}, true, Seen,
     "File upload was successful."},
};

class UploadTrust : public UploadPageTest, public testing::WithParamInterface<TrustCase> {};

TEST_P(UploadTrust, DecidesWhetherTheServerIsTrusted) {
    const TrustCase& c = GetParam();
    OpenGuide(NumberedRecords(1));
    ChooseProtocol(Upload.Server, UploadProtocol::FtpTls);
    if (!c.Stored.empty())
        WriteTrustedFingerprint(Settings, "ftp.example.com", "21", c.Stored);
    if (!c.Override.empty())
        Upload.TrustOverride = c.Override;
    Ftp.Fingerprint = Seen;
    if (c.FirstConnectCode != 0)
        Ftp.Failures.push_back({FtpRequest::Connect, 1, c.FirstConnectCode,
                                c.FirstConnectCode == FtpServerChangedError
                                    ? "changed"
                                    : "its certificate is self-signed"});
    Platform.MessageAnswers = {MsgAnswer::No, c.Answer}; // no HTML file; the server

    Upload.UploadBtnClick();

    std::vector<std::string> connects;
    for (const auto& call : Ftp.Calls)
        if (call.rfind("Connect ", 0) == 0)
            connects.push_back(call);
    EXPECT_EQ(connects, c.Connects);
    EXPECT_EQ(!Puts().empty(), c.Sent);
    EXPECT_EQ(ReadTrustedFingerprint(Settings, "ftp.example.com", "21").value_or(""),
              c.StoredAfter);
    const std::string last = MessageTexts().back();
    if (c.FirstConnectCode == FtpUntrustedServerError) {
        const std::string question = UntrustedServerQuestion(
            "ftp.example.com", "21", "its certificate is self-signed", Seen);
        EXPECT_EQ(MessageTexts()[1], question);
        EXPECT_EQ(Platform.Messages[1].Buttons, MsgButtons::YesNo);
        if (c.Answer == MsgAnswer::No) {
            EXPECT_EQ(last, question) << "No stops the run without another message";
        } else {
            EXPECT_EQ(last, c.LastMessage);
        }
    } else {
        EXPECT_EQ(last, c.LastMessage);
        if (c.FirstConnectCode == FtpServerChangedError) {
            EXPECT_EQ(Platform.Messages.back().Caption, "Warning");
        }
    }
    // Whatever happened, the page is ready for another run.
    EXPECT_TRUE(Upload.UploadBtn.Enabled);
    EXPECT_FALSE(Upload.AbortBtn.Enabled);
    EXPECT_EQ(Upload.StatusText, "Uploading: Idle");
    EXPECT_EQ(Settings.ReadString(FtpKey, "Protocol").Value, "ftps");
}

INSTANTIATE_TEST_SUITE_P(Upload, UploadTrust, testing::ValuesIn(TrustCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(UploadPageTest, SftpMayLogInWithoutAPasswordOtherProtocolsMayNot) {
    OpenGuide(NumberedRecords(1));
    Upload.Server.PassTxt.Text.clear();
    Platform.MessageAnswers = {MsgAnswer::No};
    Upload.UploadBtnClick();
    EXPECT_EQ(MessageTexts().back(), "All server information must be filled out before upload.");
    EXPECT_TRUE(Ftp.Calls.empty());

    ChooseProtocol(Upload.Server, UploadProtocol::Sftp);
    Platform.MessageAnswers = {MsgAnswer::No};
    Upload.UploadBtnClick();
    ASSERT_FALSE(Ftp.Calls.empty());
    EXPECT_EQ(Ftp.Calls.front(), "Connect ftp.example.com:22 anna sftp");
    EXPECT_EQ(MessageTexts().back(), "File upload was successful.");
}

} // namespace
} // namespace dravenloom
