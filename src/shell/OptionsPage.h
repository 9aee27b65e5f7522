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

#include <string>

namespace dravenloom {

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

private:
    GuideDocument& Document;
    Platform& Host;
    std::string LoadFileName; // the file the open dialog offers first
};

} // namespace dravenloom
