// Tests of "Export Proof Copy...": the dialog it asks (the guide's folder, its name with
// ".pdf"), the proof of the guide as it stands in the editor, and what each answer leads to.
#include "shell/GuideForm.h"

#include "support/EditorFixture.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace dravenloom {
namespace {

class ProofCommandsTest : public EditorFixture {};

TEST_F(ProofCommandsTest, TheDialogStartsBesideTheGuideAndEachAnswerEndsAsItShould) {
    const std::string guide = OpenGuide({Primary(1, "One")}, "lamp.dvx");
    TypeDialogue("Changed, not saved");
    std::vector<std::string> written;
    std::string proofed;
    std::optional<FileError> failure;
    Form.Proof.WriteProof = [&](const ProofCopy& copy, const std::string& path) {
        if (failure)
            throw *failure;
        written.push_back(path);
        proofed = copy.GuideName + ": " + copy.Entries.at(0).Dialogue;
    };

    const struct {
        std::optional<std::string> Answer;
        bool Fails;
        std::string Written; // empty: nothing
        std::string Message; // empty: none
        std::string Status;
    } cases[] = {
        {Dir.File("proof"), false, Dir.File("proof.pdf"), "",
         "Wrote the proof copy of lamp.dvx to proof.pdf"},
        {Dir.File("proof.HTML"), false, Dir.File("proof.HTML"), "",
         "Wrote the proof copy of lamp.dvx to proof.HTML"},
        {std::nullopt, false, "", "", "unchanged"},
        {Dir.File("proof.txt"), false, "",
         "Cannot write the proof copy \"" + Dir.File("proof.txt") +
             "\": its name must end in .pdf, .html or .htm.",
         "unchanged"},
        {Dir.File("full.pdf"), true, "", "Cannot write file \"full.pdf\": No space left on device.",
         "unchanged"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Answer.value_or("cancelled"));
        Platform.ClearRecords();
        written.clear();
        Form.Document.StatusText = "unchanged";
        failure.reset();
        if (c.Fails)
            failure = FileError("Cannot write file \"full.pdf\": No space left on device");
        Platform.DialogAnswers.push_back(c.Answer);
        Form.Proof.ExportProofCopy1Click();

        ASSERT_EQ(Platform.SaveDialogs.size(), 1u);
        const FileDialogRequest& dialog = Platform.SaveDialogs[0];
        EXPECT_EQ(dialog.Title, "Export Proof Copy");
        EXPECT_EQ(dialog.Directory, Dir.Path.string());
        EXPECT_EQ(dialog.FileName, "lamp.pdf");
        EXPECT_EQ(dialog.Filter,
                  "PDF Files (*.pdf)|*.pdf|HTML Files (*.html, *.htm)|*.html; *.htm");
        EXPECT_EQ(dialog.DefaultExt, "pdf");
        EXPECT_TRUE(dialog.OverwritePrompt);

        EXPECT_EQ(written, c.Written.empty() ? std::vector<std::string>{}
                                             : std::vector<std::string>{c.Written});
        if (c.Message.empty()) {
            EXPECT_TRUE(Platform.Messages.empty());
        } else {
            ASSERT_EQ(Platform.Messages.size(), 1u);
            EXPECT_EQ(Platform.Messages[0], PlainError(c.Message));
        }
        EXPECT_EQ(Form.Document.StatusText, c.Status);
        // A busy pointer while it writes never outlives the command.
        EXPECT_TRUE(Platform.Pointers.empty() || Platform.Pointers.back() == PointerShape::Normal);
    }
    EXPECT_EQ(proofed, "lamp.dvx: Changed, not saved");
    EXPECT_TRUE(Form.Document.Modified()) << "a proof copy is no save";
    (void)guide;
}

} // namespace
} // namespace dravenloom
