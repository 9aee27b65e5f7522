// The "Generate HTML" page's behaviour: the applet options and the applet element, joined to
// the guide's Save command and to the page switch of the main window.
#pragma once

#include "document/GuideDocument.h"
#include "document/Platform.h"
#include "document/RecordEditor.h"
#include "publish/AppletElement.h"
#include "publish/AppletOptions.h"
#include "publish/AppletTag.h"
#include "shell/FileCommands.h"
#include "shell/Pages.h"

#include <functional>
#include <string>

namespace dravenloom {

// The line under "Also play in browsers without Java": why an author wants it.
inline constexpr const char* Html5NoteText = "Java applets play in no current browser.";

class OptionsPage {
public:
    OptionsPage(GuideDocument& document, RecordEditor& editor, FileCommands& files,
                PageSwitch& pages, Platform& platform);
    OptionsPage(const OptionsPage&) = delete;
    OptionsPage& operator=(const OptionsPage&) = delete;

    AppletOptions Options;
    AppletTag Tag;
    Button LoadBtn;

    // "Load From File": the options from an element saved earlier.
    void LoadBtnClick();
    // The author ticks or clears "Also play in browsers without Java".
    void CheckHtml5Click(bool checked);

    // Told the tick's new state whenever the author sets it (by the box or by loading a
    // page), so that the program starts with it next time.
    std::function<void(bool)> WebPlayerChosen;

private:
    GuideDocument& Document;
    Platform& Host;
    std::string LoadFileName; // the file the open dialog offers first
};

} // namespace dravenloom
