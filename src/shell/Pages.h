// The five pages of the main window; one is shown at a time, without tabs.
#pragma once

namespace dravenloom {

enum class Page { EditView, LogicView, GenerateHtml, Demonstration, Upload };

struct PageSwitch {
    Page ActivePage = Page::EditView;
};

// The page captions ("Tree View" for the Logic View; the upload page has none).
const char* PageCaption(Page page);

} // namespace dravenloom
