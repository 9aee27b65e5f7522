// Random walks through the editor, seeded: typing, moves, "Create new", removals, saves,
// opens cancelled after the save-changes question, the writes publishing makes, crashes and
// recoveries, undos and redos. After every command, "&Save" is off on a named guide only while
// the guide file on disk holds the record list byte for byte (and the Edit View holds nothing
// the list lacks), and an untitled guide that is clean is the new guide, as it starts.
#include "document/GuideFile.h"
#include "document/RecordCodec.h"
#include "shell/GuideForm.h"
#include "support/MemorySettings.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace dravenloom {
namespace {

namespace fs = std::filesystem;

// The bytes a guide file holding `lines` has.
std::string FileBytesOf(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines)
        bytes += EncodeLineForFile(line) + "\r\n";
    return bytes;
}

class EditorWalk {
public:
    explicit EditorWalk(std::uint32_t seed) : Random(seed) {
        Start();
        // A named guide to begin with, as most of the author's work is.
        WriteBytes(Dir.File("a.dvx"),
                   FileBytesOf({BuildPrimaryLine(1, "One", "", "300", "0", false),
                                BuildResponseLine(1, "on", "2"),
                                BuildPrimaryLine(2, "Two", "", "300", "0", false)}));
        Form->Document.OpenDialogPath = Dir.File("a.dvx");
        Form->Files.OpenGuideFile();
    }

    // One command picked at random; false when the guide broke the rule (the reason in Fault).
    bool Step() {
        Act();
        Platform.MessageAnswers.clear();
        Platform.DialogAnswers.clear();
        Platform.ChoiceAnswers.clear();
        return Holds();
    }

    std::string Fault;
    std::vector<std::string> Log;

private:
    void Start() {
        Form = std::make_unique<GuideForm>(Platform, Settings, Dir.Path.string());
        Form->FormCreate({});
        Form->Recovery.UseDirectory(Dir.File("recovery"));
        Form->FormShow();
    }

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(Random); }
    std::string Word() {
        static const char* const words[] = {"Hello", "Lamp", "", "Left\r\nRight", "x"};
        return words[Pick(5)];
    }
    std::string SomeFile() { return Dir.File(Pick(2) == 0 ? "a.dvx" : "b.dvx"); }
    void Note(std::string what) { Log.push_back(std::move(what)); }

    void Act() {
        GuideForm& form = *Form;
        EditView& view = form.View;
        const int k = 1 + Pick(ResponseSlots);
        switch (Pick(32)) {
        case 0:
        case 1:
        case 2: {
            std::string text = Word();
            if (text.empty())
                text = "Emptied";
            Note("type dialogue " + text);
            form.Editor.DialogueMemoChange(text);
            break;
        }
        case 3:
        case 4: {
            const std::string text = Word();
            Note("type response " + std::to_string(k) + " " + text);
            form.Editor.MemoChange(k, text);
            break;
        }
        case 5: {
            const std::string target = std::to_string(1 + Pick(form.Document.RecordCount + 1));
            Note("type link " + std::to_string(k) + " " + target + " and leave it");
            form.Editor.EditChange(k, target);
            form.Editor.EditExit(k);
            break;
        }
        case 6:
            Note("click Center");
            form.Editor.CenterCheckClick(!view.CenterCheck.Checked);
            break;
        case 7:
            if (view.NextBitBtn.Enabled) {
                Note("Next");
                form.Nav.StepNext();
            } else if (view.PrevBitBtn.Enabled) {
                Note("Previous");
                form.Nav.StepPrevious();
            }
            break;
        case 8:
            if (view.PrevBitBtn.Enabled) {
                Note("Previous");
                form.Nav.StepPrevious();
            }
            break;
        case 9:
            if (view.CreateNewButtons[k - 1].Enabled) {
                Note("Create new " + std::to_string(k));
                form.Nav.CreateNewButtonClick(k);
            } else {
                Note("type response " + std::to_string(k) + " for Create new");
                form.Editor.MemoChange(k, "onwards");
            }
            break;
        case 10:
            if (view.RemoveBitBtn.Enabled) {
                Note("Remove");
                Platform.MessageAnswers.push_back(MsgAnswer::Ok);
                form.RemoveBitBtnClick();
            }
            break;
        case 11:
        case 12:
        case 13:
            if (form.CanUndo()) {
                Note("Undo");
                form.Undo1Click();
            }
            break;
        case 14:
            if (form.CanRedo()) {
                Note("Redo");
                form.Redo1Click();
            }
            break;
        case 15:
            Note("Save");
            Platform.DialogAnswers.push_back(SomeFile());
            form.Files.Save1Click();
            break;
        case 16: {
            const std::string file = SomeFile();
            Note("Save As " + fs::path(file).filename().string());
            Platform.DialogAnswers.push_back(file);
            form.Files.SaveAs1Click();
            break;
        }
        case 17: {
            // The save-changes question answered, then the open dialog cancelled.
            const bool yes = Pick(2) == 0;
            Note(std::string("Open, ") + (yes ? "Yes" : "No") + ", cancelled");
            Platform.MessageAnswers.push_back(yes ? MsgAnswer::Yes : MsgAnswer::No);
            if (yes && form.Document.Untitled())
                Platform.DialogAnswers.push_back(SomeFile());
            Platform.DialogAnswers.push_back(std::nullopt);
            form.Files.Open1Click();
            break;
        }
        case 18:
            if (Pick(2) == 0) {
                Note("Generate HTML");
                Platform.DialogAnswers.push_back(SomeFile());
                form.Applet.Tag.GenerateBitBtnClick();
            } else if (form.Document.Untitled()) {
                // What the upload does with a guide never saved before it lists the files.
                Note("save untitled for the upload");
                Platform.DialogAnswers.push_back(SomeFile());
                form.Editor.CommitRecord();
                form.Files.SaveUntitledGuide();
            }
            break;
        case 19:
            Crash();
            break;
        default:
            // Most of an author's commands are typing and moving about.
            if (view.NextBitBtn.Enabled && Pick(3) == 0) {
                Note("Next");
                form.Nav.StepNext();
            } else {
                const std::string text = Word();
                Note("type response " + std::to_string(k) + " " + text);
                form.Editor.MemoChange(k, text);
            }
            break;
        }
    }

    // The program dies with its recovery copy written, and starts again: the copy is
    // recovered, or, with nothing to recover, the guide is opened again from its file.
    void Crash() {
        Note("crash and recover");
        Form->Recovery.TimerTick();
        const bool named = !Form->Document.Untitled();
        const std::string file = Form->Document.GuideFileName;
        Form.reset();
        Start();
        Platform.ChoiceAnswers.push_back(static_cast<int>(RecoveryAnswer::Recover));
        Form->Timer1Timer();
        if (Form->Document.Untitled() && !Form->Document.Modified() && named) {
            Form->Document.OpenDialogPath = file;
            Form->Files.OpenGuideFile();
        }
    }

    bool Holds() {
        const GuideDocument& doc = Form->Document;
        if (doc.Modified())
            return true;
        if (doc.Untitled()) {
            const EditView& view = Form->View;
            if (doc.SaveAsItem.Enabled || !view.NextBitBtn.Enabled || !view.RemoveBitBtn.Enabled ||
                view.PrevBitBtn.Enabled || view.BackBitBtn.Enabled) {
                Fault = "a clean untitled guide is not in the state a new guide starts in";
                return false;
            }
            return true;
        }
        if (ReadBytes(doc.GuideFileName) != FileBytesOf(doc.Records.Lines)) {
            Fault = "\"&Save\" is off while " + fs::path(doc.GuideFileName).filename().string() +
                    " differs from the record list";
            return false;
        }
        if (Form->Editor.HasUncommittedChange()) {
            Fault = "\"&Save\" is off while the Edit View holds unsaved typing";
            return false;
        }
        return true;
    }

    TempDirectory Dir;
    ScriptedPlatform Platform;
    MemorySettings Settings;
    std::unique_ptr<GuideForm> Form;
    std::mt19937 Random;
};

TEST(SavedStatePropertyTest, SaveIsNeverOffWhileTheGuideDiffersFromItsFile) {
    constexpr std::uint32_t Seeds = 20;
    constexpr int Steps = 200;
    for (std::uint32_t seed = 1; seed <= Seeds; ++seed) {
        EditorWalk walk(seed);
        for (int step = 0; step < Steps; ++step) {
            if (walk.Step())
                continue;
            std::ostringstream story;
            const std::size_t from = walk.Log.size() > 25 ? walk.Log.size() - 25 : 0;
            for (std::size_t i = from; i < walk.Log.size(); ++i)
                story << "\n  " << i + 1 << ". " << walk.Log[i];
            ADD_FAILURE() << "seed " << seed << ", step " << step + 1 << ": " << walk.Fault
                          << "; the last commands:" << story.str();
            break;
        }
    }
}

} // namespace
} // namespace dravenloom
