// Focus requests held back until the window has refreshed.
#include "app/DeferredFocus.h"

#include "document/Controls.h"

namespace dravenloom {

DeferredFocus::DeferredFocus(Platform& inner, QObject* parent) : QObject(parent), Inner(inner) {}

MsgAnswer DeferredFocus::ShowMessage(const MessageRequest& request) {
    return Inner.ShowMessage(request);
}

int DeferredFocus::Choose(const ChoiceRequest& request) {
    return Inner.Choose(request);
}

std::optional<std::string> DeferredFocus::AskText(const TextRequest& request) {
    return Inner.AskText(request);
}

std::optional<std::string> DeferredFocus::OpenDialog(const FileDialogRequest& request) {
    return Inner.OpenDialog(request);
}

std::optional<std::string> DeferredFocus::SaveDialog(const FileDialogRequest& request) {
    return Inner.SaveDialog(request);
}

void DeferredFocus::Focus(const TextField& field, bool selectAll) {
    Requests.push_back({&field, selectAll, field.Text});
    if (FlushPosted)
        return;
    FlushPosted = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            FlushPosted = false;
            Flush();
        },
        Qt::QueuedConnection);
}

void DeferredFocus::FocusCombo(const ComboBox& box) {
    Inner.FocusCombo(box);
}

std::optional<Rgb> DeferredFocus::ChooseColour(const Rgb& current) {
    return Inner.ChooseColour(current);
}

void DeferredFocus::SetPointer(PointerShape shape) {
    Inner.SetPointer(shape);
}

void DeferredFocus::OpenAddress(const std::string& address) {
    Inner.OpenAddress(address);
}

void DeferredFocus::ShowHelpContents(const std::string& helpFilePath) {
    Inner.ShowHelpContents(helpFilePath);
}

void DeferredFocus::ShowHelpPage(const std::string& pagePath) {
    Inner.ShowHelpPage(pagePath);
}

void DeferredFocus::Flush() {
    // Taken out first: honouring a request may run handlers that ask for the focus again.
    std::vector<Request> requests;
    requests.swap(Requests);
    for (const Request& request : requests)
        Inner.Focus(*request.Field, request.SelectAll && request.Field->Text == request.TextThen);
}

} // namespace dravenloom
