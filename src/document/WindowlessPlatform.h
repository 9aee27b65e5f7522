// The platform of code that runs without windows (the command-line tool, the benchmarks).
#pragma once

#include "document/Platform.h"

namespace dravenloom {

// Every dialog is cancelled and focus, pointer, address and help requests do nothing. A message
// box gets the answer that changes least (OK where it is the only button, No to a question,
// Cancel otherwise), and a question with buttons of its own its escape choice; a subclass answers
// otherwise by overriding ShowMessage.
class WindowlessPlatform : public Platform {
public:
    MsgAnswer ShowMessage(const MessageRequest& request) override;
    // The escape choice: what changes least.
    int Choose(const ChoiceRequest& request) override;
    std::optional<std::string> AskText(const TextRequest&) override { return {}; }
    std::optional<std::string> OpenDialog(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> SaveDialog(const FileDialogRequest&) override { return {}; }
    void Focus(const TextField&, bool) override {}
    void FocusCombo(const ComboBox&) override {}
    std::optional<Rgb> ChooseColour(const Rgb&) override { return {}; }
    void SetPointer(PointerShape) override {}
    void OpenAddress(const std::string&) override {}
    void ShowHelpContents(const std::string&) override {}
    void ShowHelpPage(const std::string&) override {}
};

} // namespace dravenloom
