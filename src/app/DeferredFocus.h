// A Platform that holds the core's focus requests back until the window has refreshed its
// widgets, and passes everything else straight on.
//
// The core asks for the focus in the middle of a handler ("put the placeholder into the
// dialogue, select all of it, give it the focus"), when the widgets still show the old state;
// selecting the old text and then replacing it would lose the selection. The window calls
// Flush() after its refresh; a request nobody flushes (a handler of another window) is
// honoured when control returns to the event loop.
#pragma once

#include "document/Platform.h"

#include <QObject>

#include <string>
#include <vector>

namespace dravenloom {

class DeferredFocus : public QObject, public Platform {
    Q_OBJECT

public:
    explicit DeferredFocus(Platform& inner, QObject* parent = nullptr);

    MsgAnswer ShowMessage(const MessageRequest& request) override;
    int Choose(const ChoiceRequest& request) override;
    std::optional<std::string> AskText(const TextRequest& request) override;
    std::optional<std::string> OpenDialog(const FileDialogRequest& request) override;
    std::optional<std::string> SaveDialog(const FileDialogRequest& request) override;
    void Focus(const TextField& field, bool selectAll) override;
    // A drop-down's focus is passed straight on: it selects nothing that a refresh could undo.
    void FocusCombo(const ComboBox& box) override;
    std::optional<Rgb> ChooseColour(const Rgb& current) override;
    void SetPointer(PointerShape shape) override;
    void OpenAddress(const std::string& address) override;
    void ShowHelpContents(const std::string& helpFilePath) override;
    void ShowHelpPage(const std::string& pagePath) override;

    // Honours the requests held back, in the order they were made. A selection asked for a
    // text that the same handler replaced afterwards is not made: replacing a text drops its
    // selection, so the field only gets the focus.
    void Flush();
    bool Pending() const { return !Requests.empty(); }

    Platform& Inner;

private:
    struct Request {
        const TextField* Field;
        bool SelectAll;
        std::string TextThen; // the field's text when the focus was asked for
    };
    std::vector<Request> Requests;
    bool FlushPosted = false;
};

} // namespace dravenloom
