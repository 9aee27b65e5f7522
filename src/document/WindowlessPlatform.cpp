// The platform of code that runs without windows.
#include "document/WindowlessPlatform.h"

namespace dravenloom {

MsgAnswer WindowlessPlatform::ShowMessage(const MessageRequest& request) {
    return LeastChangeAnswer(request.Buttons);
}

} // namespace dravenloom
