// A scripted stand-in for dravenloom::Platform: answers come from queues, every request is
// recorded.
//
// Use it wherever the core (or a view under test) needs a Platform:
//
//   ScriptedPlatform platform;
//   platform.MessageAnswers.push_back(MsgAnswer::Yes);        // answer to the next message box
//   platform.DialogAnswers.push_back("/tmp/guide.dvx");       // next open/save dialog picks it
//   platform.DialogAnswers.push_back(std::nullopt);           // the one after is cancelled
//   platform.ColourAnswers.push_back(Rgb{255, 0, 0});         // the colour chooser picks red
//   platform.ChoiceAnswers.push_back(2);                      // third button of the next question
//   platform.TextAnswers.push_back("12");                     // the next text question's answer
//   ... drive the core ...
//   EXPECT_EQ(platform.Messages.at(0), ValidationError("..."));
//   EXPECT_EQ(platform.FocusRequests.back().Field, &view.Edit(1));
//
// Answers when a queue is empty:
//   - message box: DefaultAnswer when set; otherwise OK for an OK-only box, Cancel for
//     OK/Cancel and Yes/No/Cancel, No for Yes/No (the answer that changes least). Such
//     answers are counted in UnscriptedMessages, so a test can insist that every box was
//     expected.
//   - question with buttons of its own (Choose): its escape choice, counted in
//     UnscriptedMessages too.
//   - file dialog, colour chooser and text question: cancelled (nothing).
// An answer that the box cannot give (Yes for an OK-only box) is handed back as it is: the
// double does not second-guess the test.
//
// Records: Messages, OpenDialogs/SaveDialogs (the requests), ColourRequests (the colour each
// chooser was preset with), FocusRequests (a drop-down's request has Combo set instead of
// Field), Pointers (every SetPointer call; CurrentPointer is the last shape), Addresses
// (OpenAddress), HelpRequests (ShowHelpContents), HelpPages (ShowHelpPage), and Events, a
// single chronological log of all of them for tests that care about order
// ("message:Error", "focus", "open-dialog",
// "save-dialog", "colour-dialog", "pointer:busy", "pointer:normal", "address:<url>",
// "help:<path>", "help-page:<path>"). Choices records the Choose requests ("choice:<caption>"
// in Events).
// Text questions are recorded in TextRequests and logged as "text:<caption>".
//
// OnMessage, when set, runs while the "box" is up, before the answer is returned; a test can
// look at the core's state at that moment or change the script.
#pragma once

#include "document/Platform.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dravenloom {

class ScriptedPlatform : public Platform {
public:
    struct FocusRequest {
        const TextField* Field = nullptr;
        bool SelectAll = false;
        const ComboBox* Combo = nullptr;
    };

    // Scripts.
    std::deque<MsgAnswer> MessageAnswers;
    std::deque<std::optional<std::string>> DialogAnswers;
    std::deque<std::optional<Rgb>> ColourAnswers;
    std::deque<int> ChoiceAnswers;
    std::deque<std::optional<std::string>> TextAnswers;
    std::optional<MsgAnswer> DefaultAnswer;
    std::function<void(const MessageRequest&)> OnMessage;

    // Records.
    std::vector<MessageRequest> Messages;
    std::vector<ChoiceRequest> Choices;
    std::vector<FileDialogRequest> OpenDialogs;
    std::vector<FileDialogRequest> SaveDialogs;
    std::vector<Rgb> ColourRequests;
    std::vector<TextRequest> TextRequests;
    std::vector<FocusRequest> FocusRequests;
    std::vector<PointerShape> Pointers;
    PointerShape CurrentPointer = PointerShape::Normal;
    std::vector<std::string> Addresses;
    std::vector<std::string> HelpRequests;
    std::vector<std::string> HelpPages;
    std::vector<std::string> Events;
    int UnscriptedMessages = 0;

    MsgAnswer ShowMessage(const MessageRequest& request) override {
        Messages.push_back(request);
        Events.push_back("message:" + request.Caption);
        if (OnMessage)
            OnMessage(request);
        if (!MessageAnswers.empty()) {
            const MsgAnswer answer = MessageAnswers.front();
            MessageAnswers.pop_front();
            return answer;
        }
        ++UnscriptedMessages;
        if (DefaultAnswer)
            return *DefaultAnswer;
        return LeastChangeAnswer(request.Buttons);
    }

    int Choose(const ChoiceRequest& request) override {
        Choices.push_back(request);
        Events.push_back("choice:" + request.Caption);
        if (!ChoiceAnswers.empty()) {
            const int answer = ChoiceAnswers.front();
            ChoiceAnswers.pop_front();
            return answer;
        }
        ++UnscriptedMessages;
        return request.EscapeChoice;
    }

    std::optional<std::string> AskText(const TextRequest& request) override {
        TextRequests.push_back(request);
        Events.push_back("text:" + request.Caption);
        if (TextAnswers.empty())
            return std::nullopt;
        std::optional<std::string> answer = TextAnswers.front();
        TextAnswers.pop_front();
        return answer;
    }

    std::optional<std::string> OpenDialog(const FileDialogRequest& request) override {
        OpenDialogs.push_back(request);
        Events.push_back("open-dialog");
        return NextDialogAnswer();
    }

    std::optional<std::string> SaveDialog(const FileDialogRequest& request) override {
        SaveDialogs.push_back(request);
        Events.push_back("save-dialog");
        return NextDialogAnswer();
    }

    void Focus(const TextField& field, bool selectAll) override {
        FocusRequests.push_back({&field, selectAll});
        Events.push_back("focus");
    }

    void FocusCombo(const ComboBox& box) override {
        FocusRequests.push_back({nullptr, false, &box});
        Events.push_back("focus");
    }

    std::optional<Rgb> ChooseColour(const Rgb& current) override {
        ColourRequests.push_back(current);
        Events.push_back("colour-dialog");
        if (ColourAnswers.empty())
            return std::nullopt;
        const std::optional<Rgb> answer = ColourAnswers.front();
        ColourAnswers.pop_front();
        return answer;
    }

    void SetPointer(PointerShape shape) override {
        Pointers.push_back(shape);
        CurrentPointer = shape;
        Events.push_back(shape == PointerShape::Busy ? "pointer:busy" : "pointer:normal");
    }

    void OpenAddress(const std::string& address) override {
        Addresses.push_back(address);
        Events.push_back("address:" + address);
    }

    void ShowHelpContents(const std::string& helpFilePath) override {
        HelpRequests.push_back(helpFilePath);
        Events.push_back("help:" + helpFilePath);
    }

    void ShowHelpPage(const std::string& pagePath) override {
        HelpPages.push_back(pagePath);
        Events.push_back("help-page:" + pagePath);
    }

    // True when every scripted answer was used and no box went unanswered by the script.
    bool ScriptUsedUp() const {
        return MessageAnswers.empty() && DialogAnswers.empty() && ColourAnswers.empty() &&
               ChoiceAnswers.empty() && TextAnswers.empty() && UnscriptedMessages == 0;
    }

    // Forgets what was recorded (not the scripts).
    void ClearRecords() {
        Messages.clear();
        Choices.clear();
        OpenDialogs.clear();
        SaveDialogs.clear();
        ColourRequests.clear();
        TextRequests.clear();
        FocusRequests.clear();
        Pointers.clear();
        Addresses.clear();
        HelpRequests.clear();
        HelpPages.clear();
        Events.clear();
        UnscriptedMessages = 0;
    }

private:
    std::optional<std::string> NextDialogAnswer() {
        if (DialogAnswers.empty())
            return std::nullopt;
        std::optional<std::string> answer = DialogAnswers.front();
        DialogAnswers.pop_front();
        return answer;
    }
};

} // namespace dravenloom
