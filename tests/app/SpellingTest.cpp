// The Edit View's spelling check with the real Hunspell and the en_US dictionary: off until
// the author turns it on, then a wavy underline under a misspelled dialogue word that neither
// changes the text nor marks the guide modified, and "Add to Dictionary" in the word's context
// menu takes the underline away and keeps the word.
#include "app/EditSpelling.h"
#include "app/MainWindowFixture.h"
#include "shell/SpellingSettings.h"
#include "spelling/Dictionaries.h"
#include "support/TestFiles.h"

#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>

#include <memory>

namespace dravenloom {
namespace {

class SpellingTest : public MainWindowFixture {
protected:
    // The wavy ranges of the dialogue's first line, as "start+length".
    std::vector<std::string> Underlined() {
        std::vector<std::string> ranges;
        const QTextBlock block = Page->DialogueMemo->document()->firstBlock();
        for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
            if (range.format.underlineStyle() == QTextCharFormat::WaveUnderline)
                ranges.push_back(std::to_string(range.start) + "+" +
                                 std::to_string(range.length));
        }
        return ranges;
    }
    QAction* Named(QMenu& menu, const QString& text) {
        for (QAction* action : menu.actions()) {
            if (action->text() == text || action->objectName() == text)
                return action;
        }
        return nullptr;
    }

    TempDirectory Temp;
};

TEST_F(SpellingTest, UnderlinesAMisspelledWordAndAddToDictionaryRemovesIt) {
    EditSpelling* spelling =
        AttachSpelling(*Window, {DictionaryFolders(""), Temp.File("data/personal-words.txt")});
    Type(Page->DialogueMemo, QStringLiteral("The lamp is brokn [url:www.lampz.com]"));
    QPlainTextEdit* dialogue = Page->DialogueMemo;
    EXPECT_FALSE(spelling->CheckAsYouType1->isChecked());
    EXPECT_EQ(Underlined(), std::vector<std::string>{}) << "nothing is checked until asked";
    EXPECT_EQ(spelling->ContextMenu(dialogue, dialogue->cursorRect().center()), nullptr);

    // Turned on from a clean guide: the underline marks nothing modified and no undo step.
    Core().Document.SaveItem.Enabled = false; // as if just saved
    Window->Refresh();
    const int undoSteps = dialogue->document()->availableUndoSteps();
    spelling->CheckAsYouType1->trigger();
    EXPECT_EQ(Settings.Bool(SpellingKey, "CheckAsYouType"), true);
    EXPECT_EQ(Underlined(), std::vector<std::string>{"12+5"}) << "only \"brokn\", not the link";
    EXPECT_FALSE(Window->Save1->isEnabled());
    EXPECT_EQ(dialogue->document()->availableUndoSteps(), undoSteps);
    EXPECT_EQ(Core().View.DialogueMemo.Text, "The lamp is brokn [url:www.lampz.com]");

    QTextCursor onWord(dialogue->document());
    onWord.setPosition(14);
    std::unique_ptr<QMenu> menu(spelling->ContextMenu(dialogue, dialogue->cursorRect(onWord).center()));
    ASSERT_NE(menu, nullptr);
    EXPECT_NE(Named(*menu, QStringLiteral("broken")), nullptr) << "a suggestion";
    EXPECT_NE(Named(*menu, QStringLiteral("Ignore")), nullptr);
    QAction* add = Named(*menu, QStringLiteral("Add to Dictionary"));
    ASSERT_NE(add, nullptr);
    EXPECT_NE(Named(*menu, QStringLiteral("IgnoreWord")), nullptr);
    add->trigger();
    EXPECT_EQ(Underlined(), std::vector<std::string>{});
    EXPECT_EQ(ReadBytes(Temp.Path / "data" / "personal-words.txt"), "brokn\n");
    EXPECT_FALSE(Window->Save1->isEnabled());

    // Typing goes on being checked; off again, the underline goes.
    Type(dialogue, QStringLiteral(" agian"));
    EXPECT_EQ(Underlined(), std::vector<std::string>{"38+5"});
    spelling->CheckAsYouType1->trigger();
    EXPECT_EQ(Underlined(), std::vector<std::string>{});
    EXPECT_EQ(Settings.Bool(SpellingKey, "CheckAsYouType"), false);
}

TEST_F(SpellingTest, ASuggestionReplacesTheWordAsAnEdit) {
    Settings.SetBool(SpellingKey, "CheckAsYouType", true);
    Settings.SetString(SpellingKey, "Language", "en_US");
    EditSpelling* spelling = AttachSpelling(*Window, {DictionaryFolders(""), std::string()});
    EXPECT_TRUE(spelling->CheckAsYouType1->isChecked()) << "the stored choice";
    QPlainTextEdit* response = Page->Memos[0];
    Type(response, QStringLiteral("Yes plese"));
    QTextCursor onWord(response->document());
    onWord.setPosition(5);
    std::unique_ptr<QMenu> menu(
        spelling->ContextMenu(response, response->cursorRect(onWord).center()));
    ASSERT_NE(menu, nullptr);
    QAction* please = Named(*menu, QStringLiteral("please"));
    ASSERT_NE(please, nullptr);
    please->trigger();
    EXPECT_EQ(Core().View.Memo(1).Text, "Yes please");
    EXPECT_TRUE(Window->Save1->isEnabled());
    response->undo();
    EXPECT_EQ(Core().View.Memo(1).Text, "Yes plese");
}

} // namespace
} // namespace dravenloom
