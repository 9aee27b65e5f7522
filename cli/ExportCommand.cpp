// `dravenloom-cli export GUIDE (--folder DIR | --page FILE.html)`: the published guide written
// to the local disk, as a folder any static web server serves or as one self-contained page.
#include "AppearanceOptions.h"
#include "CommandRegistry.h"
#include "OpenedGuide.h"
#include "QtApplication.h"

#include "document/GuideFile.h"
#include "publish/AppletOptions.h"
#include "publish/AppletTag.h"
#include "publish/GuideExport.h"
#include "publish/UploadFiles.h"
#include "shell/ResourceDirectory.h"

#include <QCoreApplication>

#include <filesystem>
#include <ostream>
#include <system_error>

namespace dravenloom::cli {
namespace {

int RunExport(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const ParsedArguments parsed =
        ParseArguments(arguments, AppearanceFlags({"--html5", "--quiet"}),
                       AppearanceValues({"--folder", "--page"}));
    const std::string& path = parsed.SingleOperand("GUIDE");
    const auto folder = parsed.Value("--folder");
    const auto page = parsed.Value("--page");
    if (folder.has_value() == page.has_value())
        throw UsageError("give either --folder DIR or --page FILE.html");

    OpenedGuide guide(path);
    AppletOptions options(guide.Host);
    if (!TakeAppearance(parsed, options, "export", err))
        return ExitFailure;

    // The player's files are the program's: beside this tool, or where both were installed.
    QtApplication application(QtApplication::Kind::EventLoop);
    ExportSource source;
    std::error_code error;
    const auto absolute = std::filesystem::absolute(PathFromText(path), error);
    source.GuideFile = error ? path : TextFromPath(absolute);
    source.Records = &guide.Document.Records;
    source.Settings = options.Settings();
    source.AppletDirectory = TextFromPath(
        ResourceDirectory(PathFromText(QCoreApplication::applicationDirPath().toStdString())) /
        AppletFolder);

    const bool quiet = parsed.Has("--quiet");
    const ExportProgress progress = [&](const std::string& status) {
        if (!quiet)
            err << status << "\n";
    };
    try {
        if (folder) {
            ExportToFolder(source, *folder, progress);
            out << "Exported " << FileNamePart(path) << " to the folder " << *folder << "\n";
            return ExitOk;
        }
        const auto bytes = ExportAsOnePage(source, *page, progress);
        out << "Exported " << FileNamePart(path) << " as the page " << *page << " (" << bytes
            << " bytes)\n";
        if (const std::string warning = LargePageWarning(bytes); !warning.empty())
            err << ProgramName << " export: " << warning << "\n";
        return ExitOk;
    } catch (const DravenloomError& failure) {
        err << ProgramName << " export: " << failure.what() << "\n";
        return ExitFailure;
    }
}

const CommandRegistrar Registrar(
    {"export", "Writes a published guide to a folder or to one page that plays anywhere",
     "dravenloom-cli export GUIDE (--folder DIR | --page FILE.html) [--title T] [--button B]\n"
     "                            [--width W] [--height H] [--text-start N]\n"
     "                            [--background #RRGGBB] [--text #RRGGBB] [--face F]\n"
     "                            [--size S] [--bold] [--italic] [--image NAME]\n"
     "                            [--image-dir D] [--from FILE.html] [--quiet]\n"
     "  The appearance options are those of `tag`. The element always loads dravenloom.js,\n"
     "  the player for browsers without Java (--html5 is taken and changes nothing).\n"
     "  --folder DIR  writes DIR/index.html (a complete page whose title is --title or the\n"
     "                guide's name), the guide byte for byte, the five applet classes,\n"
     "                dravenloom.js, the button picture and every picture the records name,\n"
     "                in the folders the upload uses (pictures in --image-dir when given).\n"
     "                DIR is created when missing; files of the same names are replaced,\n"
     "                others are left alone. Serve DIR from any static web server.\n"
     "  --page FILE.html  writes one page that holds the player, the guide and its pictures\n"
     "                and plays opened from the disk, with no other file and no network.\n"
     "                The Java applet cannot be part of it. A page over 20 MB is written\n"
     "                with a warning that names its size.\n"
     "  Each file is written through a temporary file. The file being written is named on\n"
     "  stderr as the export goes (--quiet: not).\n"
     "  Exit status: 0 written; 2 a bad command line, an unreadable guide, a missing picture or\n"
     "  player file, or a DIR that is not a folder (nothing is written then).\n",
     RunExport});

} // namespace
} // namespace dravenloom::cli
