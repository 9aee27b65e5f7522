// The platform of code that runs without windows.
#include "document/WindowlessPlatform.h"

namespace dravenloom {

MsgAnswer WindowlessPlatform::ShowMessage(const MessageRequest& request) {
    return LeastChangeAnswer(request.Buttons);
}

int WindowlessPlatform::Choose(const ChoiceRequest& request) {
    return request.EscapeChoice;
}

} // namespace dravenloom
