// The main window's behaviour assembled with a scripted platform and in-memory settings, after
// window creation, with helpers that drive it as an author does: typing into a field calls its
// change handler with the new text, leaving a field calls its exit handler, a click calls the
// click handler, and answers to questions are scripted on Platform.
//
//   class MyTest : public EditorFixture {};
//   TEST_F(MyTest, ...) {
//       OpenGuide(NumberedRecords(7));   // a named, clean guide of 7 records, record 1 shown
//       ShowRecord(3);
//       TypeResponse(1, "x");
//       TypeLink(1, "5");
//       EXPECT_TRUE(View().GoThereButtons[0].Enabled);
//   }
#pragma once

#include "document/RecordCodec.h"
#include "shell/GuideForm.h"
#include "support/MemorySettings.h"
#include "support/RecordPrinters.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace dravenloom {

class EditorFixture : public ::testing::Test {
protected:
    EditorFixture() : Form(Platform, Settings, Dir.Path.string()) { Form.FormCreate({}); }

    // Guide lines (record list form: CR LF inside texts, no line ends).

    // Record n without picture, not centred.
    static std::string Primary(std::int32_t n, const std::string& dialogue) {
        return BuildPrimaryLine(n, dialogue, "", "300", "0", false);
    }
    static std::string Response(std::int32_t n, const std::string& text,
                                const std::string& target = "") {
        return BuildResponseLine(n, text, target);
    }
    // Records 1..count, record k with the dialogue "Record k" and no responses.
    static std::vector<std::string> NumberedRecords(std::int32_t count) {
        std::vector<std::string> lines;
        for (std::int32_t n = 1; n <= count; ++n)
            lines.push_back(Primary(n, "Record " + std::to_string(n)));
        return lines;
    }
    // `lines` with `extra` inserted right after the last line of record n.
    static std::vector<std::string> WithResponses(std::vector<std::string> lines, std::int32_t n,
                                                  const std::vector<std::string>& extra) {
        auto last = std::find_if(lines.rbegin(), lines.rend(),
                                 [n](const std::string& line) { return LineNumber(line) == n; });
        lines.insert(last.base(), extra.begin(), extra.end());
        return lines;
    }

    // Writes `lines` as a guide file and opens it: a named, clean guide showing record 1.
    std::string OpenGuide(const std::vector<std::string>& lines,
                          const std::string& name = "guide.dvx") {
        const std::string path = Dir.File(name);
        WriteGuideFileBytes(path, lines);
        Doc().OpenDialogPath = path;
        Form.Files.OpenGuideFile();
        return path;
    }
    static void WriteGuideFileBytes(const std::string& path,
                                    const std::vector<std::string>& lines) {
        std::string bytes;
        for (const auto& line : lines)
            bytes += EncodeLineForFile(line) + "\r\n";
        WriteBytes(path, bytes);
    }

    // Shows record n the way the program moves: the working copy is stored, then a walk.
    void ShowRecord(std::int32_t n) {
        Editor().CommitRecord();
        Nav().LastViewedRecord = Doc().CurrentRecord;
        Nav().WalkToRecord(n);
    }

    // The author's actions.
    void TypeDialogue(const std::string& text) { Editor().DialogueMemoChange(text); }
    void TypeResponse(int k, const std::string& text) { Editor().MemoChange(k, text); }
    void TypeLink(int k, const std::string& text) { Editor().EditChange(k, text); }
    void LeaveLink(int k) { Editor().EditExit(k); }
    void ClickCenter(bool checked) { Editor().CenterCheckClick(checked); }
    void ClickNext() { Nav().StepNext(); }
    void ClickPrevious() { Nav().StepPrevious(); }
    void ClickGoBack() { Nav().GoBack(); }
    void ClickGoThere() { Nav().GoThere(); }
    void ClickGoThereButton(int k) { Nav().GoThereButtonClick(k); }
    void ClickCreateNew(int k) { Nav().CreateNewButtonClick(k); }
    // Clicks the "Jumped from" entry with this text.
    void PickJumpedFrom(const std::string& entry) {
        const auto& items = View().ComboBox1.Items;
        const auto found = std::find(items.begin(), items.end(), entry);
        ASSERT_NE(found, items.end()) << "no entry " << entry;
        Nav().JumpedFromPicked(static_cast<int>(found - items.begin()));
    }

    // What the author sees.
    GuideDocument& Doc() { return Form.Document; }
    EditView& View() { return Form.View; }
    GraphicDialog& Graphic() { return Form.Graphic; }
    RecordEditor& Editor() { return Form.Editor; }
    Navigator& Nav() { return Form.Nav; }
    FileCommands& Files() { return Form.Files; }
    std::vector<std::string>& Lines() { return Form.Document.Records.Lines; }
    bool Modified() const { return Form.Document.SaveItem.Enabled; }
    bool GoThereEnabled(int k) { return View().GoThereButtons.at(k - 1).Enabled; }
    bool CreateNewEnabled(int k) { return View().CreateNewButtons.at(k - 1).Enabled; }
    // The responses shown, slot by slot, as "text>target" ("" for an empty slot).
    std::vector<std::string> ShownResponses() {
        std::vector<std::string> shown;
        for (int k = 1; k <= ResponseSlots; ++k)
            shown.push_back(View().Memo(k).Text.empty()
                                ? std::string()
                                : View().Memo(k).Text + ">" + View().Edit(k).Text);
        return shown;
    }
    // The picture fields of the graphic dialog and its picture button are enabled, and the
    // fields not greyed, exactly when `enabled`.
    void ExpectPictureFieldsEnabled(bool enabled) {
        const GraphicDialog& g = Graphic();
        EXPECT_EQ(g.GraphicBitBtn.Enabled, enabled);
        for (const TextField* field : {&g.GraphicEdit, &g.Edit7, &g.Edit8}) {
            EXPECT_EQ(field->Enabled, enabled);
            EXPECT_EQ(field->Inactive, !enabled);
        }
    }
    // The last focus request was for this field.
    bool LastFocusIs(const TextField& field, bool selectAll) const {
        return !Platform.FocusRequests.empty() && Platform.FocusRequests.back().Field == &field &&
               Platform.FocusRequests.back().SelectAll == selectAll;
    }

    TempDirectory Dir;
    ScriptedPlatform Platform;
    MemorySettings Settings;
    GuideForm Form;
};

} // namespace dravenloom
