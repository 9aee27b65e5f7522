// `dravenloom-cli upload GUIDE [options]`: sends a guide, the applet's files and the guide's
// pictures to an FTP server as the upload page's "Upload" does, or lists what would go where.
#include "AppearanceOptions.h"
#include "CommandRegistry.h"
#include "OpenedGuide.h"
#include "QtApplication.h"

#include "qtshared/QtSettingsStore.h"
#include "document/Cp1252.h"
#include "document/GuideFile.h"
#include "document/NumberText.h"
#include "ftp/UploadClient.h"
#include "publish/AppletOptions.h"
#include "publish/FtpSettings.h"
#include "publish/ServerTrust.h"
#include "publish/UploadFiles.h"
#include "shell/ResourceDirectory.h"
#include "shell/UploadPage.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace dravenloom::cli {
namespace {

inline constexpr const char* PasswordVariable = "DRAVENLOOM_FTP_PASSWORD";

// UTF-8 text for a terminal: control characters shown as \xNN, so that a file name cannot
// send escape sequences (or start a line of its own, unless it is a message's line break).
std::string Printable(const std::string& utf8, bool keepLineBreaks = false) {
    std::string text;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 || byte == 0x7F) && !(keepLineBreaks && c == '\n')) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            text += escaped;
        } else {
            text += c;
        }
    }
    return text;
}

// The upload's questions answered from the command line, and its message boxes turned into
// lines: the success on stdout, everything else on stderr.
class UploadPlatform : public WindowlessPlatform {
public:
    UploadPlatform(std::ostream& out, std::ostream& err, std::optional<std::string> html)
        : Out(out), Err(err), Html(std::move(html)) {}

    MsgAnswer ShowMessage(const MessageRequest& request) override {
        if (request.Text == HtmlQuestion)
            return Html ? MsgAnswer::Yes : MsgAnswer::No;
        if (request.Text == SuccessMessage) {
            Succeeded = true;
            Out << request.Text << "\n";
            Out.flush();
            return MsgAnswer::Ok;
        }
        if (request.Buttons == MsgButtons::YesNo &&
            request.Text.rfind(UntrustedServerStart, 0) == 0) {
            // Nobody is there to compare the fingerprint: the run ends, and says how to trust.
            Untrusted = true;
            return MsgAnswer::No;
        }
        if (request.Buttons == MsgButtons::YesNo && request.Text.rfind(JavaOnlyPageStart, 0) == 0) {
            // A page only the Java applet plays: said, and the upload goes on as asked.
            Report(request.Text.substr(0, request.Text.rfind(UploadAnyway)));
            return MsgAnswer::Yes;
        }
        if (request.Buttons == MsgButtons::YesNo) {
            // Files of the same name would overwrite each other on the server: nobody is there
            // to say that this is meant, so nothing is sent.
            SameNameRefused = true;
            Report(request.Text.substr(0, request.Text.find("\n\n")));
            return MsgAnswer::No;
        }
        if (request.Text.rfind("Could not complete upload: ", 0) == 0)
            FtpFailed = true;
        else if (request.Caption == "Warning")
            SameNameFound = true;
        else if (request.Text == MissingAppletMessage)
            AppletMissing = true;
        Report(request.Text);
        // The guide was just opened, so it has no changes to save: No would go on with it.
        return request.Buttons == MsgButtons::YesNoCancel ? MsgAnswer::No
                                                          : LeastChangeAnswer(request.Buttons);
    }

    std::optional<std::string> OpenDialog(const FileDialogRequest&) override { return Html; }

    bool Succeeded = false;
    bool SameNameRefused = false;
    bool SameNameFound = false;
    bool AppletMissing = false;
    bool FtpFailed = false;
    bool Untrusted = false;

private:
    void Report(const std::string& text) {
        Out.flush();
        Err << ProgramName << " upload: " << Printable(text, true) << "\n";
    }

    std::ostream& Out;
    std::ostream& Err;
    std::optional<std::string> Html;
};

// A value from the command line or the environment (UTF-8) as the code page bytes the page's
// fields hold.
std::string FieldText(const std::string& what, const std::string& utf8) {
    auto bytes = Utf8ToCp1252(utf8);
    if (!bytes)
        throw UsageError(what + " \"" + utf8 + "\" holds a character outside code page 1252");
    if (bytes->find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
        throw UsageError(what + " must stay on one line");
    return std::move(*bytes);
}

// The server fields: the stored settings, then what the command line and the environment say.
void TakeServer(const ParsedArguments& parsed, FtpSettings& server) {
    const std::pair<const char*, TextField*> fields[] = {{"--host", &server.HostTxt},
                                                         {"--port", &server.PortTxt},
                                                         {"--user", &server.UserTxt},
                                                         {"--dir", &server.DirTxt}};
    for (const auto& [option, field] : fields)
        if (const auto value = parsed.Value(option))
            field->Text = FieldText(option, *value);
    if (parsed.Has("--passive") && parsed.Has("--active"))
        throw UsageError("--passive and --active exclude each other");
    if (const auto name = parsed.Value("--protocol")) {
        const auto protocol = ProtocolNamed(*name);
        if (!protocol)
            throw UsageError("--protocol must be ftp, ftps or sftp, not \"" + *name + "\"");
        // The port follows the protocol as on the page, unless --port says otherwise.
        const std::string port = server.PortTxt.Text;
        ChooseProtocol(server, *protocol);
        if (parsed.Value("--port"))
            server.PortTxt.Text = port;
    }
    if (parsed.Has("--passive"))
        server.PassiveCheck.Checked = true;
    if (parsed.Has("--active"))
        server.PassiveCheck.Checked = false;
    // Never from the command line: other users of the machine can read it there.
    if (const char* password = std::getenv(PasswordVariable); password && *password)
        server.PassTxt.Text = FieldText(PasswordVariable, password);
}

// The checks "Upload" makes before anything is sent, said as a command line's problems.
void CheckServer(const FtpSettings& server, bool needsLogin) {
    if (needsLogin) {
        std::string missing;
        const std::pair<const TextField*, const char*> fields[] = {
            {&server.HostTxt, "the server (--host)"},
            {&server.PortTxt, "the port (--port)"},
            {&server.UserTxt, "the username (--user)"},
            {&server.PassTxt, "the password (DRAVENLOOM_FTP_PASSWORD)"}};
        // SFTP may log in with the SSH agent or keys instead of a password.
        const bool sftp = ProtocolOf(server) == UploadProtocol::Sftp;
        for (const auto& [field, name] : fields)
            if (field->Text.empty() && !(sftp && field == &server.PassTxt))
                missing += (missing.empty() ? "" : ", ") + std::string(name);
        if (!missing.empty())
            throw UsageError(std::string(MissingServerMessage) +
                             " Missing, and not stored: " + missing);
    }
    const auto port = ReadNumber(server.PortTxt.Text);
    if (!server.PortTxt.Text.empty() && (!port || *port < 1 || *port > 65535))
        throw UsageError(std::string(PortMessage) + " Given: \"" +
                         Cp1252ToUtf8(server.PortTxt.Text) + "\"");
}

// Where a row lands on the server: the upload directory as the login leaves it ("." when
// empty), the image directory below it unless it starts at the root.
std::string RemoteFolder(const std::string& uploadDir, const std::string& imageDir,
                         bool toImageDirectory) {
    const std::string upload = uploadDir.empty() ? "." : uploadDir;
    if (!toImageDirectory)
        return upload;
    if (imageDir.front() == '/')
        return imageDir;
    return upload + (upload.back() == '/' ? "" : "/") + imageDir;
}

int PrintList(const UploadPage& page, const FtpSettings& server, const AppletOptions& options,
              std::ostream& out) {
    const std::string imageDir = Cp1252ToUtf8(options.ImageDir.Text);
    const bool imageDirSet = !IsBlank(options.ImageDir.Text);
    const auto toImageDirectory = RowsForImageDirectory(page.UploadList, imageDirSet);
    for (std::size_t i = 0; i < page.UploadList.size(); ++i)
        out << Printable(page.UploadList[i]) << " -> "
            << Printable(
                   RemoteFolder(Cp1252ToUtf8(server.DirTxt.Text), imageDir, toImageDirectory[i]))
            << "\n";
    return ExitOk;
}

int RunUpload(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const ParsedArguments parsed =
        ParseArguments(arguments, {"--passive", "--active", "--dry-run", "--html5"},
                       {"--html", "--host", "--port", "--user", "--dir", "--image-dir", "--image",
                        "--protocol", "--trust"});
    const std::string& path = parsed.SingleOperand("GUIDE");
    const bool dryRun = parsed.Has("--dry-run");
    std::optional<std::string> html = parsed.Value("--html");
    if (html) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(PathFromText(*html), error))
            throw UsageError("--html \"" + *html + "\" is no file");
        html = TextFromPath(std::filesystem::absolute(PathFromText(*html), error));
    }

    OpenedGuide guide(path);
    // The list shows full paths, as the page's list does.
    std::error_code error;
    if (const auto absolute = std::filesystem::absolute(PathFromText(path), error); !error)
        guide.Document.GuideFileName = TextFromPath(absolute);
    AppletOptions options(guide.Host);
    if (!TakeAppearance(parsed, options, "upload", err))
        return ExitFailure;
    // The element loads the player for browsers without Java: it goes with the classes.
    if (parsed.Has("--html5"))
        options.CheckHtml5.Checked = true;

    // The client waits for the server in an event loop; the stored settings are the program's.
    QtApplication application(QtApplication::Kind::EventLoop);
    QtSettingsStore settings;
    UploadClient client;
    UploadPlatform platform(out, err, html);
    // The Applet folder is the program's: beside this tool, or where both were installed.
    const std::string resources = TextFromPath(
        ResourceDirectory(PathFromText(QCoreApplication::applicationDirPath().toStdString())));
    UploadPage page(guide.Document, guide.Editor, guide.Files, options, platform, settings, client,
                    resources);
    page.ReadSettings();
    TakeServer(parsed, page.Server);
    CheckServer(page.Server, !dryRun);
    if (const auto trust = parsed.Value("--trust")) {
        if (!IsSha256Fingerprint(*trust))
            throw UsageError("--trust takes a fingerprint of the form SHA256: and 43 base64 "
                             "characters, not \"" + Printable(*trust) + "\"");
        page.TrustOverride = *trust;
    }

    if (dryRun) {
        page.ListBtnClick();
        if (platform.AppletMissing)
            return ExitFailure;
        PrintList(page, page.Server, options, out);
        return platform.SameNameFound ? ExitFindings : ExitOk;
    }

    // One line as each file starts: the run shows every file twice, before its request with the
    // new status text and after it with the new progress.
    bool fileStarted = false;
    page.Changed = [&] {
        if (fileStarted) {
            fileStarted = false;
            return;
        }
        if (!page.Busy || page.StatusText == IdleStatus)
            return;
        fileStarted = true;
        const std::string percent = IntToStr(page.Progress);
        out << "[" << std::string(3 - std::min<std::size_t>(3, percent.size()), ' ') << percent
            << "%] " << Printable(page.StatusText) << "\n";
        out.flush();
    };
    page.UploadBtnClick();
    page.Changed = nullptr;

    if (platform.AppletMissing)
        return ExitFailure;
    if (platform.Untrusted) {
        err << ProgramName << " upload: the identity of the server "
            << Printable(Cp1252ToUtf8(client.HostName)) << ":" << client.Port
            << " cannot be verified: " << Printable(client.ErrorMessage())
            << ". Its fingerprint is " << Printable(client.ServerFingerprint())
            << "; if that is your server's (ask your host), run again with --trust "
            << Printable(client.ServerFingerprint()) << "\n";
        return ExitFindings;
    }
    if (platform.Succeeded && !platform.FtpFailed)
        return ExitOk;
    if (!platform.FtpFailed && !platform.SameNameRefused)
        err << ProgramName << " upload: the upload ended before every file was sent\n";
    return ExitFindings;
}

const CommandRegistrar Registrar(
    {"upload", "Sends a guide, the applet's files and the pictures to an FTP server",
     "dravenloom-cli upload GUIDE [--html FILE] [--host H] [--port P] [--user U] [--dir D]\n"
     "                            [--image-dir D] [--image NAME] [--passive | --active]\n"
     "                            [--html5] [--protocol ftp|ftps|sftp]\n"
     "                            [--trust SHA256:...] [--dry-run]\n"
     "  Sends what \"Upload\" on the upload page sends, in its order: FILE (--html), GUIDE,\n"
     "  the five applet classes and the button picture NAME (gray.gif by default) from the\n"
     "  Applet folder beside the program (or, installed, in share/dravenloom), and every\n"
     "  picture the records name. With an image directory (--image-dir, relative to the\n"
     "  upload directory unless it starts with /) the button picture and the pictures go\n"
     "  there. One line per file as it starts, with the progress so far; \"File upload was\n"
     "  successful.\" when every file was stored.\n"
     "  The server settings not given here are the ones the program has stored; the password\n"
     "  is the stored one, or the environment variable DRAVENLOOM_FTP_PASSWORD when it is set\n"
     "  (never an option: other users can read a command line). Like the program, a run that\n"
     "  got as far as connecting stores all seven server settings at its end, these options\n"
     "  and the password included (enciphered), even when the run failed.\n"
     "  --html5  also sends dravenloom.js, the player for browsers without Java, after the\n"
     "           classes (for an element made with \"tag --html5\")\n"
     "  --passive | --active  the data connections by PASV or by PORT (default: as stored)\n"
     "  --protocol ftp|ftps|sftp  plain FTP, FTP with TLS (AUTH TLS, every data connection\n"
     "           protected), or SFTP (default: as stored; FTP when nothing is). Without\n"
     "           --port, the port follows as on the page (21, 21, 22). SFTP without a\n"
     "           password logs in with the SSH agent or the keys in ~/.ssh.\n"
     "  --trust SHA256:...  accepts a server whose certificate or host key cannot be\n"
     "           verified when it shows exactly this fingerprint, and keeps trusting it.\n"
     "           Without it such a server ends the run (exit 1) with its fingerprint;\n"
     "           a server whose fingerprint changed is always refused.\n"
     "  --dry-run  sends and stores nothing: prints each file and the folder it would go to\n"
     "             (\"PATH -> FOLDER\", \".\" for the directory the login gives)\n"
     "  Exit status: 0 every file stored (or listed); 1 the server refused or failed (its\n"
     "  code and message on stderr), or two files of the same name would overwrite each\n"
     "  other (nothing is sent); 2 a bad command line, missing server settings, a bad\n"
     "  port, or missing applet files.\n",
     RunUpload});

} // namespace
} // namespace dravenloom::cli
