// Page captions and the help book's page of each view.
#include "shell/Pages.h"

namespace dravenloom {

const char* PageCaption(Page page) {
    switch (page) {
    case Page::EditView:
        return "Edit View";
    case Page::LogicView:
        return "Tree View";
    case Page::GenerateHtml:
        return "Generate HTML";
    case Page::Demonstration:
        return "Demonstration";
    case Page::Upload:
        return "";
    }
    return "";
}

const char* HelpPage(Page page) {
    switch (page) {
    case Page::EditView:
        return "edit-view.html";
    case Page::LogicView:
        return "logic-view.html";
    case Page::GenerateHtml:
        return "generate-html.html";
    case Page::Demonstration:
        return "demonstration.html";
    case Page::Upload:
        return "upload.html";
    }
    return HelpContentsPage;
}

} // namespace dravenloom
