// The guide file commands: New Guide, Open, Save, Save As, Close and the question asked when
// the main window closes, with the resets and the reading and writing they need.
#pragma once

#include "document/RecordEditor.h"
#include "navigation/Navigator.h"
#include "shell/Pages.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dravenloom {

inline constexpr const char* GuideFilter = "Dravenloom (*.dvx)|*.dvx";
inline constexpr const char* GuideExtension = "dvx";
inline constexpr const char* SaveGuideTitle = "Save Guide";
// The same dialog when generation or the upload need a guide never saved on disk first.
inline constexpr const char* SaveBeforeGenerateTitle = "Save Guide before generating HTML";
inline constexpr const char* SaveBeforeUploadTitle = "Save Guide before uploading";

class FileCommands {
public:
    FileCommands(GuideDocument& document, EditView& view, RecordEditor& editor,
                 Navigator& navigator, PageSwitch& pages, Platform& platform);

    // Discards the guide and shows a new, empty, untitled one.
    void NewGuideState();
    // Reads the file named by the open-dialog path. A file that cannot be a guide is refused
    // with a GuideFormatError and the editor keeps the new untitled guide.
    void OpenGuideFile();
    // Writes the record list to GuideFileName; changes neither the title nor the modified state.
    void WriteGuideFile();

    void NewGuide1Click();
    void Open1Click();
    // What "&Open..." does, with `path` in place of the open dialog's choice.
    void OpenNamedGuide(const std::string& path);
    void Save1Click();
    void SaveAs1Click();
    void Close1Click();
    // For a guide never saved: the save dialog, the guide written under the chosen name and the
    // window titled after it; the modified state stays as it was. False when cancelled.
    // `dialogTitle` says why the guide must be saved (generation and upload need it on disk).
    bool SaveUntitledGuide(const std::string& dialogTitle = SaveGuideTitle);

    // Whether the main window may close (asks to save a modified guide).
    bool CloseQuery();

    // Called when the guide was read from or written to GuideFileName (every save, also the
    // ones the save-changes question and publishing make), so that the recent list hears of it.
    std::vector<std::function<void()>> FileUsedObservers;

private:
    enum class Answer { Proceed, Stop };
    // Asks "Save changes to ...?" for a modified guide and saves on Yes; `alwaysDialog` shows
    // the save dialog even for a named guide.
    Answer SaveChangesFirst(bool alwaysDialog);
    // Shows the save dialog; on a choice, GuideFileName becomes it. False when cancelled.
    bool RunSaveDialog(const std::string& title);
    // Save dialog, then WriteGuideFile under the chosen name; the old name comes back when
    // the write fails. False when cancelled.
    bool SaveUnderChosenName(const std::string& title = SaveGuideTitle);
    // Shows the open dialog and opens the chosen file.
    void ChooseAndOpen();
    void TellFileUsed();
    // "Saved lamp.dvx" in the status line for a while, after Save and Save As.
    void ShowSavedNote();

    GuideDocument& Document;
    EditView& View;
    RecordEditor& Editor;
    Navigator& Nav;
    PageSwitch& Pages;
    Platform& Host;
};

} // namespace dravenloom
