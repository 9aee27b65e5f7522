// The five pages of the main window; one is shown at a time, without tabs.
#pragma once

namespace dravenloom {

enum class Page { EditView, LogicView, GenerateHtml, Demonstration, Upload };

struct PageSwitch {
    Page ActivePage = Page::EditView;
};

// The page captions ("Tree View" for the Logic View; the upload page has none).
const char* PageCaption(Page page);

// The help book beside the executable: its folder and its contents page.
inline constexpr const char* HelpBookFolder = "help";
inline constexpr const char* HelpContentsPage = "index.html";
// The help book's page about a view, the one the help key shows while the view is on show.
const char* HelpPage(Page page);

} // namespace dravenloom
