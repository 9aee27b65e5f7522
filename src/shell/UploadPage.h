// The upload page's behaviour: the server settings, the list of files a published guide needs,
// and the run that sends them by FTP, with its progress, Abort and error handling.
#pragma once

#include "document/Controls.h"
#include "publish/AppletTag.h"
#include "publish/FtpClient.h"
#include "publish/FtpSettings.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dravenloom {

class AppletOptions;
class FileCommands;
class GuideDocument;
class Platform;
class RecordEditor;
class SettingsStore;

inline constexpr const char* IdleStatus = "Uploading: Idle";
inline constexpr const char* UploadBtnHint = "Click here to begin upload of the applet files.";
inline constexpr const char* AbortBtnHint = "Click here to abort upload of the applet files.";
inline constexpr const char* ListBtnHint =
    "Click here to generate a list of all files to be uploaded to your server.";
inline constexpr const char* RemoveBtnHint = "Click here to remove a specific file from the list.";
inline constexpr const char* FilesMemoHint =
    "Displays a list of files to be uploaded to your server.";
inline constexpr const char* ProgressHint = "Displays the progress of the file upload.";
inline constexpr const char* StatusHint = "Displays the name of the file currently being uploaded.";

inline constexpr const char* HtmlQuestion =
    "Would you like to upload an HTML file with your applet?";
inline constexpr const char* MissingAppletMessage =
    "Unable to find applet files.  Please reinstall Dravenloom.";
inline constexpr const char* MissingServerMessage =
    "All server information must be filled out before upload.";
inline constexpr const char* PortMessage = "Port must be an integer value.";
inline constexpr const char* SuccessMessage = "File upload was successful.";
inline constexpr const char* NothingSelectedMessage = "You must first select a file to remove.";
inline constexpr const char* StopUploadQuestion =
    "An upload is in progress.  Stop it and close Dravenloom?";
// Asked before a page is sent whose element plays the guide with the Java applet alone.
inline constexpr const char* JavaOnlyPageStart = "The page ";
inline constexpr const char* UploadAnyway = "\n\nUpload anyway?";
// The question for the page `name` (its file name): what its readers will see, and the cure.
std::string JavaOnlyPageQuestion(const std::string& name);
// The first HTML row whose applet element loads Dravenloom.class but no dravenloom.js, or -1.
int JavaOnlyPageRow(const std::vector<std::string>& rows);

class UploadPage {
public:
    UploadPage(GuideDocument& document, RecordEditor& editor, FileCommands& files,
               const AppletOptions& options, Platform& platform, SettingsStore& settings,
               FtpClient& client, std::string executableDirectory);
    UploadPage(const UploadPage&) = delete;
    UploadPage& operator=(const UploadPage&) = delete;

    // The window was first shown: the server fields from the stored settings.
    void ReadSettings();
    // The page was shown by the toolbar: while a run goes on, the busy pointer again.
    void PageShown();

    void ListBtnClick();   // "List Files"
    void UploadBtnClick(); // "Upload"
    void AbortBtnClick();  // "Abort" (and Escape)
    void RemoveBtnClick(); // "Remove File"
    // The Delete key in the list: as Remove File, but silent with nothing selected. While a
    // run goes on the list cannot change: both do nothing then.
    void FilesMemoDeleteKey();
    // The window is about to close. While a run goes on, asks whether to stop it: Yes aborts
    // the run, and the window may close; No keeps both going (false).
    bool CloseQuery();
    // Every request of the client that ends with a non-zero code.
    void RequestDone(FtpRequest request, int errorCode);

    // Fills the list: asks to save an untitled guide, asks for an HTML file, checks the
    // applet's files, and adds the guide, the applet and the pictures.
    void BuildUploadList();
    void RunUpload();

    FtpSettings Server;
    std::vector<std::string> UploadList; // FilesMemo's rows, full local paths
    int SelectedRow = -1;                // FilesMemo's selected row, -1 for none
    Button UploadBtn;
    Button AbortBtn{false};
    Button ListBtn;
    Button RemoveBtn;
    int Progress = 0; // 0 to 100
    std::string StatusText = IdleStatus;
    bool ListCancelled = false;
    // The busy pointer shows: a run is going on.
    bool Busy = false;
    // Asked when the list's rows change, so the view can fit its column to them again.
    std::function<void()> ListRefitted;
    // Asked during a run, when the status text, the progress or the buttons changed, so the
    // view can show them while the run waits for the server.
    std::function<void()> Changed;
    // The seed the password is enciphered with when the settings are written.
    std::function<unsigned char()> CipherSeed;
    // A fingerprint to trust for this run in place of the stored one (the command line's
    // --trust); stored for the server once a connection showed exactly it.
    std::optional<std::string> TrustOverride;

private:
    void ResetUploadPage();
    void Idle();
    void ClearList();
    // Whether the run is still going: Abort and a reported error end it by emptying the list.
    bool Running() const { return Busy && !RunEnded; }
    // The rows that would overwrite each other on the server, in words; empty when none.
    std::string SameNameWarning() const;
    void SendRow(std::size_t index, const std::string& status);
    void Show() const {
        if (Changed)
            Changed();
    }

    GuideDocument& Document;
    RecordEditor& Editor;
    FileCommands& Files;
    const AppletOptions& Options;
    Platform& Host;
    SettingsStore& Settings;
    FtpClient& Client;
    const std::string ExecutableDirectory;
    bool RunEnded = false;
    // Requests whose failure is nobody's news: the one Abort abandons, and the logout after
    // every file was stored.
    bool Quiet = false;
    // The author said Yes to a server that could not be verified: its fingerprint, trusted
    // from now on, and the connection is made again.
    std::optional<std::string> NewlyTrusted;
    // Connects, asking about a server that cannot be verified; once more after a Yes.
    void ConnectTrusting();
    // A connect that stopped at a server that cannot be verified: asks whether to trust it.
    void AskAboutServer();
};

} // namespace dravenloom
