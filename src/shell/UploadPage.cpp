// The upload: the list of files, the run that sends them, Abort and the error handler.
#include "shell/UploadPage.h"

#include "document/Cp1252.h"
#include "document/Errors.h"
#include "document/GuideDocument.h"
#include "document/GuideFile.h"
#include "document/NumberText.h"
#include "document/Platform.h"
#include "document/RecordEditor.h"
#include "preview/PictureLocation.h"
#include "publish/AppletElement.h"
#include "publish/AppletOptions.h"
#include "publish/PasswordCipher.h"
#include "publish/ServerTrust.h"
#include "publish/UploadFiles.h"
#include "shell/FileCommands.h"

#include <filesystem>
#include <system_error>

namespace dravenloom {
namespace {

namespace fs = std::filesystem;

fs::path PathOf(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string TextOf(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error);
}

MessageRequest ErrorBox(std::string text, MsgIcon icon = MsgIcon::None) {
    return {"Error", std::move(text), MsgButtons::Ok, icon};
}

bool IsHtmlFile(std::string_view path) {
    std::string name(FileNameOf(path));
    for (char& c : name)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    const auto ends = [&](std::string_view ext) {
        return name.size() > ext.size() &&
               name.compare(name.size() - ext.size(), ext.size(), ext) == 0;
    };
    return ends(".html") || ends(".htm");
}

} // namespace

std::string JavaOnlyPageQuestion(const std::string& name) {
    return std::string(JavaOnlyPageStart) + name +
           " plays your guide with the Java applet alone, and no current browser runs Java "
           "applets: its readers will see the line \"Sorry, but your browser does not support "
           "Java.\" and no guide.\n\nTick \"Also play in browsers without Java\" on the Generate "
           "HTML page, generate the element again and put it into the page, so that every "
           "browser plays the guide." +
           UploadAnyway;
}

int JavaOnlyPageRow(const std::vector<std::string>& rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!IsHtmlFile(rows[i]))
            continue;
        std::string html;
        try {
            html = ReadFileBytes(rows[i]);
        } catch (const DravenloomError&) {
            continue; // a page that cannot be read fails when it is sent, and is reported then
        }
        if (FindAppletElement(html) && !LoadsWebPlayer(html))
            return static_cast<int>(i);
    }
    return -1;
}

UploadPage::UploadPage(GuideDocument& document, RecordEditor& editor, FileCommands& files,
                       const AppletOptions& options, Platform& platform, SettingsStore& settings,
                       FtpClient& client, std::string executableDirectory)
    : CipherSeed(FreshCipherSeed), Document(document), Editor(editor), Files(files),
      Options(options), Host(platform), Settings(settings), Client(client),
      ExecutableDirectory(std::move(executableDirectory)) {
    // A new or opened guide starts without the cancelled list of the one before.
    Document.NewGuideObservers.push_back([this] { ListCancelled = false; });
    Client.OnRequestDone = [this](FtpRequest request, int errorCode) {
        RequestDone(request, errorCode);
    };
}

void UploadPage::ReadSettings() {
    ReadFtpSettings(Settings, Server);
}

void UploadPage::PageShown() {
    if (Client.GetConnected())
        Host.SetPointer(PointerShape::Busy);
}

void UploadPage::ClearList() {
    UploadList.clear();
    SelectedRow = -1;
    if (ListRefitted)
        ListRefitted();
}

void UploadPage::BuildUploadList() {
    if (Document.Untitled()) {
        if (!Files.SaveUntitledGuide(SaveBeforeUploadTitle)) {
            ListCancelled = true;
            return;
        }
        // The window's title and Save follow the new name before the next question.
        Show();
    }
    ClearList();
    switch (
        Host.ShowMessage({"Question", HtmlQuestion, MsgButtons::YesNoCancel, MsgIcon::Question})) {
    case MsgAnswer::Yes: {
        FileDialogRequest request;
        request.Filter = HtmlFilter;
        request.Directory = FolderPart(Document.GuideFileName); // the page lies beside the guide
        if (const auto html = Host.OpenDialog(request))
            UploadList.push_back(*html);
        break;
    }
    case MsgAnswer::No:
        break;
    default:
        ListCancelled = true;
        return;
    }
    UploadList.push_back(Document.GuideFileName);

    const fs::path applet = PathOf(ExecutableDirectory) / AppletFolder;
    // The player for browsers without Java goes with the classes when the element loads it.
    const bool webPlayer = Options.CheckHtml5.Checked;
    std::vector<fs::path> tested;
    for (const char* name : AppletClassesTested)
        tested.push_back(applet / name);
    if (webPlayer)
        tested.push_back(applet / WebPlayerFile);
    tested.push_back(applet / PathOf(Options.Image));
    for (const fs::path& file : tested) {
        if (!Exists(file)) {
            Host.ShowMessage(ErrorBox(MissingAppletMessage));
            ListCancelled = true;
            return;
        }
    }
    for (const char* name : AppletClassesSent)
        UploadList.push_back(TextOf(applet / name));
    if (webPlayer)
        UploadList.push_back(TextOf(applet / WebPlayerFile));
    UploadList.push_back(TextOf(applet / PathOf(Options.Image)));

    // Each picture is the file the Demonstration shows: beside the guide first.
    const auto row = [this](const std::string& stored) {
        return TextOf(FindPictureFile(stored, Document.GuideFileName));
    };
    if (const auto failed = CollectPictures(Document.Records, UploadList, row))
        Host.ShowMessage(ErrorBox("Unable to find image " + Cp1252ToUtf8(*failed) +
                                  ".  Please check the path and try again."));
    if (ListRefitted)
        ListRefitted();
}

std::string UploadPage::SameNameWarning() const {
    const auto same = RowsWithSameName(
        UploadList, RowsForImageDirectory(UploadList, !IsBlank(Options.ImageDir.Text)));
    if (!same)
        return {};
    return "Two files to upload have the same name and would overwrite each other on the "
           "server:\n" +
           same->first + "\n" + same->second;
}

void UploadPage::ListBtnClick() {
    BuildUploadList();
    if (const std::string warning = SameNameWarning(); !warning.empty())
        Host.ShowMessage({"Warning", warning, MsgButtons::Ok, MsgIcon::Exclamation});
}

void UploadPage::UploadBtnClick() {
    RunUpload();
}

void UploadPage::SendRow(std::size_t index, const std::string& status) {
    if (index >= UploadList.size())
        return;
    const std::string path = UploadList[index];
    StatusText = status;
    Client.HostFileName = std::string(FileNameOf(path));
    Client.LocalFileName = path;
    Show();
    Client.Put();
    if (!UploadList.empty())
        Progress = ProgressAfterRow(Progress, index, UploadList.size());
    Show();
}

void UploadPage::RunUpload() {
    // SFTP may log in without a password, with the author's SSH agent or keys.
    const bool sftp = ProtocolOf(Server) == UploadProtocol::Sftp;
    if (Server.HostTxt.Text.empty() || Server.PortTxt.Text.empty() || Server.UserTxt.Text.empty() ||
        (Server.PassTxt.Text.empty() && !sftp)) {
        Host.ShowMessage(ErrorBox(MissingServerMessage, MsgIcon::Exclamation));
        return;
    }
    Client.Passive = Server.PassiveCheck.Checked;
    Client.HostName = Server.HostTxt.Text;
    // A port the network cannot have is refused like one that is no number.
    const auto port = ReadNumber(Server.PortTxt.Text);
    if (!port || *port < 1 || *port > 65535) {
        Host.ShowMessage(ErrorBox(PortMessage, MsgIcon::Exclamation));
        return;
    }
    Client.Port = IntToStr(*port);
    Client.UserName = Server.UserTxt.Text;
    Client.PassWord = Server.PassTxt.Text;
    Client.Protocol = ProtocolOf(Server);
    Client.TrustedFingerprint =
        TrustOverride ? *TrustOverride
                      : ReadTrustedFingerprint(Settings, Client.HostName, Client.Port).value_or("");

    if (UploadList.empty())
        BuildUploadList();
    if (Document.Untitled() || ListCancelled) {
        ListCancelled = false;
        return;
    }
    if (Document.Modified()) {
        const std::string name = TextOf(PathOf(Document.GuideFileName).filename());
        switch (Host.ShowMessage({"Confirm", "Save changes to " + name + " before uploading?",
                                  MsgButtons::YesNoCancel, MsgIcon::Question})) {
        case MsgAnswer::Yes:
            Editor.CommitRecord();
            Files.WriteGuideFile();
            Document.MarkSaved();
            Show();
            break;
        case MsgAnswer::No:
            break;
        default:
            return;
        }
    }
    // Two files of the same name would overwrite each other on the server: asked before
    // anything is sent.
    if (const std::string warning = SameNameWarning(); !warning.empty()) {
        if (Host.ShowMessage({"Question", warning + "\n\nUpload anyway?", MsgButtons::YesNo,
                              MsgIcon::Question}) != MsgAnswer::Yes)
            return;
    }
    // A page that only the Java applet can play would reach readers who see no guide at all.
    if (const int row = JavaOnlyPageRow(UploadList); row >= 0) {
        const std::string name(FileNameOf(UploadList[static_cast<std::size_t>(row)]));
        if (Host.ShowMessage({"Question", JavaOnlyPageQuestion(name), MsgButtons::YesNo,
                              MsgIcon::Question}) != MsgAnswer::Yes)
            return;
    }

    AbortBtn.Enabled = true;
    UploadBtn.Enabled = false;
    ListBtn.Enabled = false;
    RemoveBtn.Enabled = false;
    Busy = true;
    RunEnded = false;
    Host.SetPointer(PointerShape::Busy);
    Show();

    bool allSent = false;
    // The server gets every name in UTF-8: the files' names come from local paths, and the
    // directories, typed in the code page, are turned into it too, so that the web server
    // finds them under the names a browser asks for.
    const std::string imageDir = Cp1252ToUtf8(Options.ImageDir.Text);
    const bool imageDirSet = !IsBlank(imageDir);
    ConnectTrusting();
    if (Running()) {
        Client.HostDirName = Cp1252ToUtf8(Server.DirTxt.Text);
        Client.Cwd();
    }
    Client.SetBinary(false);
    std::size_t i = 0;
    for (; Running() && i < UploadList.size(); ++i) {
        // A copy: the list may be emptied while the type command waits.
        const std::string path = UploadList[i];
        if (imageDirSet && IsImageFile(path))
            break;
        if (IsBinaryFile(path)) {
            Client.SetBinary(true);
            Client.TypeSet();
            if (!Running())
                break;
        }
        SendRow(i, "Uploading " + std::string(FileNameOf(path)));
    }
    if (Running() && i < UploadList.size()) {
        Client.HostDirName = imageDir;
        Client.Cwd();
        Client.SetBinary(true);
        if (Running())
            Client.TypeSet();
        for (; Running() && i < UploadList.size(); ++i)
            SendRow(i, "Uploading " + std::string(FileNameOf(UploadList[i])) + " to " + imageDir);
    }
    allSent = Running() && i >= UploadList.size();

    if (allSent && Client.GetConnected()) {
        Host.ShowMessage({"Information", SuccessMessage, MsgButtons::Ok, MsgIcon::None});
        // Every file is stored: a logout the server refuses or leaves unanswered changes
        // nothing of that, and the connection is closed either way.
        Quiet = true;
        Client.Quit();
        Quiet = false;
    }
    ResetUploadPage();
    Idle();
    WriteFtpSettings(Settings, Server, CipherSeed());
}

void UploadPage::ConnectTrusting() {
    NewlyTrusted.reset();
    Client.Connect();
    if (NewlyTrusted && Running()) {
        WriteTrustedFingerprint(Settings, Client.HostName, Client.Port, *NewlyTrusted);
        Client.TrustedFingerprint = *NewlyTrusted;
        NewlyTrusted.reset();
        Client.Connect();
    }
    // The fingerprint the command line named is kept once a server showed exactly it.
    if (TrustOverride && Running() && Client.GetConnected() &&
        Client.ServerFingerprint() == *TrustOverride)
        WriteTrustedFingerprint(Settings, Client.HostName, Client.Port, *TrustOverride);
}

void UploadPage::AskAboutServer() {
    const std::string fingerprint = Client.ServerFingerprint();
    if (Host.ShowMessage({"Confirm",
                          UntrustedServerQuestion(Client.HostName, Client.Port,
                                                  Client.ErrorMessage(), fingerprint),
                          MsgButtons::YesNo, MsgIcon::Exclamation}) == MsgAnswer::Yes &&
        !fingerprint.empty()) {
        NewlyTrusted = fingerprint;
        return;
    }
    // No: nothing was sent, and nothing more will be.
    ResetUploadPage();
    Quiet = true;
    Client.Abort();
    Quiet = false;
    Idle();
}

void UploadPage::Idle() {
    AbortBtn.Enabled = false;
    UploadBtn.Enabled = true;
    ListBtn.Enabled = true;
    RemoveBtn.Enabled = true;
}

void UploadPage::ResetUploadPage() {
    StatusText = IdleStatus;
    Progress = 0;
    if (Busy)
        Host.SetPointer(PointerShape::Normal);
    Busy = false;
    RunEnded = true;
    ClearList();
}

void UploadPage::AbortBtnClick() {
    // The request abandoned here is the author's own doing: nothing to report about it.
    Quiet = true;
    Client.Abort();
    Quiet = false;
    Host.SetPointer(PointerShape::Normal);
    Busy = false;
    RunEnded = true;
    Idle();
    StatusText = IdleStatus;
    Progress = 0;
    ClearList();
}

void UploadPage::RequestDone(FtpRequest request, int errorCode) {
    if (errorCode == 0 || Quiet)
        return;
    if (request == FtpRequest::Connect && errorCode == FtpUntrustedServerError && Running()) {
        AskAboutServer();
        return;
    }
    // A server that shows another key than the one trusted may be someone else's: a warning.
    const bool changed = errorCode == FtpServerChangedError;
    Host.ShowMessage(
        {changed ? "Warning" : "Dravenloom",
         "Could not complete upload: " + IntToStr(errorCode) + " (" + Client.ErrorMessage() + ")",
         MsgButtons::Ok, changed ? MsgIcon::Exclamation : MsgIcon::None});
    if (!Busy)
        return;
    ResetUploadPage();
    // The connection is closed by the abort; the quit that follows finds nothing to do.
    Quiet = true;
    Client.Abort();
    Client.Quit();
    Quiet = false;
    Idle();
}

void UploadPage::RemoveBtnClick() {
    if (Busy)
        return;
    if (SelectedRow < 0 || static_cast<std::size_t>(SelectedRow) >= UploadList.size()) {
        Host.ShowMessage(ErrorBox(NothingSelectedMessage, MsgIcon::Exclamation));
        return;
    }
    FilesMemoDeleteKey();
}

void UploadPage::FilesMemoDeleteKey() {
    // The run goes through the rows by their index while it waits for the server.
    if (Busy)
        return;
    if (SelectedRow < 0 || static_cast<std::size_t>(SelectedRow) >= UploadList.size())
        return;
    UploadList.erase(UploadList.begin() + SelectedRow);
    SelectedRow = -1;
}

bool UploadPage::CloseQuery() {
    if (!Running())
        return true;
    if (Host.ShowMessage({"Confirm", StopUploadQuestion, MsgButtons::YesNo, MsgIcon::Question}) !=
        MsgAnswer::Yes)
        return false;
    // The run may have ended while the question was up; Abort is harmless then.
    AbortBtnClick();
    return true;
}

} // namespace dravenloom
