// The platform of code that runs without windows.
#include "document/WindowlessPlatform.h"

namespace dravenloom {

MsgAnswer WindowlessPlatform::ShowMessage(const MessageRequest& request) {
    switch (request.Buttons) {
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
