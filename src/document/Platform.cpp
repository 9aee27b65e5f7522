// The message box kinds the program uses.
#include "document/Platform.h"

namespace dravenloom {

MessageRequest ValidationError(const std::string& text) {
    return {"Error", text, MsgButtons::Ok, MsgIcon::Exclamation};
}

MessageRequest PlainError(const std::string& text) {
    return {"Error", text, MsgButtons::Ok, MsgIcon::None};
}

MessageRequest Information(const std::string& text) {
    return {"Information", text, MsgButtons::Ok, MsgIcon::None};
}

MessageRequest Question(const std::string& caption, const std::string& text) {
    return {caption, text, MsgButtons::YesNoCancel, MsgIcon::Question};
}

MsgAnswer LeastChangeAnswer(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgAnswer::Ok;
    case MsgButtons::YesNo:
        return MsgAnswer::No;
    case MsgButtons::OkCancel:
    case MsgButtons::YesNoCancel:
        break;
    }
    return MsgAnswer::Cancel;
}

} // namespace dravenloom
