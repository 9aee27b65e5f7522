// The File menu's exports: the published guide written to a folder that any web server serves,
// or to one page that plays with no other file.
#pragma once

#include "document/Platform.h"

#include <functional>
#include <optional>
#include <string>

namespace dravenloom {

class AppletOptions;
class FileCommands;
class GuideDocument;
class RecordEditor;
struct ExportSource;

inline constexpr const char* ExportFolderCaption = "Export to &Folder...";
inline constexpr const char* ExportPageCaption = "Export as One &Page...";
inline constexpr const char* ExportFolderTitle = "Export to Folder";
inline constexpr const char* ExportPageTitle = "Export as One Page";

class ExportCommands {
public:
    // `executableDirectory` holds the Applet folder with the player's files.
    ExportCommands(GuideDocument& document, RecordEditor& editor, FileCommands& files,
                   const AppletOptions& options, Platform& platform,
                   std::string executableDirectory);
    ExportCommands(const ExportCommands&) = delete;
    ExportCommands& operator=(const ExportCommands&) = delete;

    // "Export to Folder...": the folder dialog, then index.html, the guide, the player and the
    // pictures written into the chosen folder.
    void ExportToFolder1Click();
    // "Export as One Page...": the save dialog (HTML files), then the one page.
    void ExportAsOnePage1Click();

    // The folder dialog (titled request.Title, starting at request.FileName): the chosen
    // folder, or nothing when the author cancels. Without it no folder can be chosen.
    std::function<std::optional<std::string>(const FileDialogRequest& request)> ChooseFolder;

    // Asked after each status line note of a running export, so that the window can show it
    // while the export goes on.
    std::function<void()> Progressed;

    // The folder and the page chosen last, offered first next time.
    std::string FolderName;
    std::string PageName;

private:
    // The guide as it is on disk, for the export to copy: an untitled guide is saved first, and
    // a modified one is saved or not as the author answers. False when the author cancels.
    bool GuideOnDisk();
    ExportSource Source() const;
    void Note(const std::string& text);

    GuideDocument& Document;
    RecordEditor& Editor;
    FileCommands& Files;
    const AppletOptions& Options;
    Platform& Host;
    const std::string ExecutableDirectory;
};

} // namespace dravenloom
