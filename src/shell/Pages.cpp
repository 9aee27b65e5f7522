// Page captions.
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

} // namespace dravenloom
