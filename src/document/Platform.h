// What the core asks of the world outside it: message boxes, file dialogs, focus, the pointer,
// addresses, help and the colour chooser. The desktop program answers with Qt; tests answer from a
// script.
#pragma once

#include "document/Rgb.h"

#include <optional>
#include <string>
#include <vector>
#include <utility>

namespace dravenloom {

struct ComboBox;
struct TextField;

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Exclamation, Question, Stop, Information };
enum class MsgAnswer { Ok, Cancel, Yes, No };

// A modal message box owned by the application. Texts are UTF-8.
struct MessageRequest {
    MessageRequest() = default;
    // Written as the box reads: {caption, text, buttons, icon}, a default button when it is
    // not the first.
    MessageRequest(std::string caption, std::string text, MsgButtons buttons = MsgButtons::Ok,
                   MsgIcon icon = MsgIcon::None,
                   std::optional<MsgAnswer> defaultButton = std::nullopt)
        : Caption(std::move(caption)), Text(std::move(text)), Buttons(buttons), Icon(icon),
          DefaultButton(defaultButton) {}

    std::string Caption;
    std::string Text;
    MsgButtons Buttons = MsgButtons::Ok;
    MsgIcon Icon = MsgIcon::None;
    // The button that Enter presses; nothing: the first button (OK or Yes).
    std::optional<MsgAnswer> DefaultButton;

    bool operator==(const MessageRequest&) const = default;
};

// A modal question that asks for one line of text. Texts are UTF-8.
struct TextRequest {
    std::string Caption;
    std::string Prompt;
    std::string Text; // what the field holds when the question comes up, selected
};

// A file open or save dialog. Filter uses the "Description|*.ext;*.ext2" notation, several
// filters joined by further bars. FileName is the name the dialog starts with (UTF-8 path).
struct FileDialogRequest {
    std::string Title; // empty: the platform's default title
    std::string Filter;
    std::string DefaultExt; // added when the author types a name without extension
    std::string FileName;
    bool OverwritePrompt = false;
    // The folder the dialog starts in when FileName names none (UTF-8 path); empty: the
    // platform's choice.
    std::string Directory{};
};

// A modal question whose buttons carry their own captions ("Recover", "Discard", "Later").
// Texts are UTF-8; the answer is the index of the button pressed.
struct ChoiceRequest {
    std::string Caption;
    std::string Text;
    std::vector<std::string> Choices; // button captions, in order
    int DefaultChoice = 0;            // pressed by Enter
    int EscapeChoice = 0;             // pressed by Escape and by closing the box
    MsgIcon Icon = MsgIcon::Question;

    bool operator==(const ChoiceRequest&) const = default;
};

enum class PointerShape { Normal, Busy };

class Platform {
public:
    virtual ~Platform() = default;

    virtual MsgAnswer ShowMessage(const MessageRequest& request) = 0;
    // The index of the button the author pressed.
    virtual int Choose(const ChoiceRequest& request) = 0;
    // The text the author typed, or nothing when the author cancels.
    virtual std::optional<std::string> AskText(const TextRequest& request) = 0;
    // The chosen file's full path, or nothing when the author cancels.
    virtual std::optional<std::string> OpenDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> SaveDialog(const FileDialogRequest& request) = 0;
    // Give this field the keyboard focus, selecting all of its text when asked.
    virtual void Focus(const TextField& field, bool selectAll) = 0;
    // Give this drop-down the keyboard focus (its edit part, where the author types).
    virtual void FocusCombo(const ComboBox& box) = 0;
    // The platform's standard colour chooser, preset with `current`: the chosen colour, or
    // nothing when the author cancels.
    virtual std::optional<Rgb> ChooseColour(const Rgb& current) = 0;
    virtual void SetPointer(PointerShape shape) = 0;
    // Shell "open" of a web or mail address with the default program.
    virtual void OpenAddress(const std::string& address) = 0;
    virtual void ShowHelpContents(const std::string& helpFilePath) = 0;
    // Shows one page of the help book, given its path.
    virtual void ShowHelpPage(const std::string& pagePath) = 0;
};

// Message boxes of the kinds the program uses.
MessageRequest ValidationError(const std::string& text); // "Error", OK, exclamation
MessageRequest PlainError(const std::string& text);      // "Error", OK, no icon
MessageRequest Information(const std::string& text);     // "Information", OK, no icon
MessageRequest Question(const std::string& caption, const std::string& text); // Yes/No/Cancel

// The answer that changes least, for a box nobody is there to answer: OK where it is the only
// button, No to a Yes/No question, Cancel otherwise.
MsgAnswer LeastChangeAnswer(MsgButtons buttons);

} // namespace dravenloom
