// Widget tests of text with characters a field can't hold, pasted or typed into real fields:
// one question names them all, Yes inserts the replaced text as one edit, No changes nothing.
#include "app/Advanced.h"
#include "app/GeneratePage.h"
#include "app/GuideText.h"
#include "app/Magnified.h"
#include "app/MainWindowFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextCursor>

#include <gtest/gtest.h>

namespace dravenloom {
namespace {

class ForeignTextPasteTest : public MainWindowFixture {
protected:
    ForeignTextPasteTest() { GuideTextGuard::SetPlatform(&Platform); }
    ~ForeignTextPasteTest() override { GuideTextGuard::SetPlatform(nullptr); }

    // Pastes as Ctrl+V does, then lets the guard ask its question.
    void Paste(QWidget* field, const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        field->setFocus(Qt::MouseFocusReason);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
        QApplication::sendEvent(field, &press);
        QCoreApplication::processEvents();
    }
    void SelectAll(QPlainTextEdit* field) {
        field->setFocus(Qt::MouseFocusReason);
        field->selectAll();
    }
};

TEST_F(ForeignTextPasteTest, YesPastesTheReplacedTextIntoTheDialogueAsOneEdit) {
    SelectAll(Page->DialogueMemo);
    Type(Page->DialogueMemo, QStringLiteral("Go to "));
    Platform.MessageAnswers.push_back(MsgAnswer::Yes);
    Paste(Page->DialogueMemo,
          QStringLiteral("\u0141\u00F3d\u017A \u2011 5\u20AC \U0001F600\nor Gda\u0144sk"));

    ASSERT_EQ(Platform.Messages.size(), 1u);
    const std::string& question = Platform.Messages[0].Text;
    for (const char* named : {"\u0141 (U+0141)", "\u017A (U+017A)", "\u2011 (U+2011)",
                              "\u20AC (U+20AC)", "\U0001F600 (U+1F600)", "\u0144 (U+0144)"})
        EXPECT_NE(question.find(named), std::string::npos) << named << "\n" << question;
    EXPECT_EQ(Core().View.DialogueMemo.Text, "Go to L\xF3"
                                             "dz - 5EUR \r\nor Gdansk");
    EXPECT_EQ(Page->DialogueMemo->textCursor().position(),
              Page->DialogueMemo->toPlainText().size());
    EXPECT_TRUE(Window->Save1->isEnabled());

    // The field's own undo takes the paste back in one step.
    Page->DialogueMemo->undo();
    EXPECT_EQ(Core().View.DialogueMemo.Text, "Go to ");
}

TEST_F(ForeignTextPasteTest, NoLeavesTheFieldAndTheGuideAsTheyWere) {
    const QString before = Page->DialogueMemo->toPlainText();
    Page->DialogueMemo->moveCursor(QTextCursor::End);
    Platform.MessageAnswers.push_back(MsgAnswer::No);
    Paste(Page->DialogueMemo, QStringLiteral(" \u0151\u0151\u0151"));

    EXPECT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Page->DialogueMemo->toPlainText(), before);
    EXPECT_EQ(Core().View.DialogueMemo.Text, before.toStdString());
    EXPECT_FALSE(Window->Save1->isEnabled());
}

TEST_F(ForeignTextPasteTest, EachTypedCharacterIsOneQuestionInAResponseField) {
    Platform.MessageAnswers = {MsgAnswer::Yes, MsgAnswer::No};
    Type(Page->Memos[0], QStringLiteral("Sta\u0142"));
    QCoreApplication::processEvents();
    Type(Page->Memos[0], QStringLiteral("\u0103"));
    QCoreApplication::processEvents();
    Type(Page->Memos[0], QStringLiteral("y"));

    EXPECT_EQ(Platform.Messages.size(), 2u);
    EXPECT_EQ(Core().View.Memo(1).Text, "Staly");
    EXPECT_EQ(Page->Memos[0]->toPlainText(), QStringLiteral("Staly"));
}

TEST_F(ForeignTextPasteTest, TheGraphicDialogsPathTakesTheReplacedNameOnlyWhenAsked) {
    TAdvancedForm advanced(Core().Editor, Platform.Targets, Window.get());
    Window->AttachWindows({nullptr, nullptr, nullptr, &advanced, nullptr});
    Platform.MessageAnswers = {MsgAnswer::No, MsgAnswer::Yes};
    WhenModal([&] {
        advanced.GraphicCheck()->click();
        Paste(advanced.GraphicEdit(), QStringLiteral("pics/\u0142\u00B6.gif"));
        EXPECT_EQ(advanced.GraphicEdit()->text(), QString());
        Paste(advanced.GraphicEdit(), QStringLiteral("pics/\u0142\u00B6.gif"));
        advanced.OkButton()->click();
    });
    Page->BitBtn4->click();

    ASSERT_EQ(Platform.Messages.size(), 2u);
    EXPECT_NE(Platform.Messages[1].Text.find("\u00B6 is left out"), std::string::npos)
        << Platform.Messages[1].Text;
    EXPECT_EQ(Core().Graphic.GraphicEdit.Text, "pics/l.gif");
    EXPECT_EQ(advanced.GraphicEdit()->text(), QStringLiteral("pics/l.gif"));
}

TEST_F(ForeignTextPasteTest, TheMagnifiedFieldAsksInsideItsOwnWindow) {
    TMagnifyForm magnify(Window.get());
    Platform.MessageAnswers.push_back(MsgAnswer::Yes);
    WhenModal([&] {
        Paste(magnify.Memo1(), QStringLiteral(" \u0219i \u0163ar\u0103"));
        magnify.OkButton()->click();
    });
    EXPECT_EQ(magnify.Edit("Tara"), "Tara si tara");
    EXPECT_EQ(Platform.Messages.size(), 1u);
}

TEST_F(ForeignTextPasteTest, TheOptionsPageKeepsTheEuroSignAndAsksAboutTheRest) {
    Window->ToolbarButtons[2]->trigger();
    auto* generate = qobject_cast<GeneratePage*>(Window->PageStack->currentWidget());
    ASSERT_NE(generate, nullptr);
    Platform.MessageAnswers.push_back(MsgAnswer::Yes);
    generate->TitleEdit->clear();
    Paste(generate->TitleEdit, QStringLiteral("5\u20AC or \u20BD400"));

    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0].Text.find("U+20AC"), std::string::npos);
    EXPECT_EQ(Core().Applet.Options.TitleEdit.Text, "5\x80 or RUB400");
}

// Fields outside the window: a password is never changed behind the author's back, and a
// letter typed as base letter and combining mark is simply the letter.
TEST_F(ForeignTextPasteTest, PasswordsAreRefusedAndComposedLettersTakenWithoutAQuestion) {
    QLineEdit password;
    password.setEchoMode(QLineEdit::Password);
    GuideTextGuard passwordGuard(&password, TextRule::CodePage);
    password.show();
    Paste(&password, QStringLiteral("\u0142ab\u0119d\u017A"));
    EXPECT_EQ(password.text(), QString());
    EXPECT_TRUE(Platform.Messages.empty());
    EXPECT_NE(passwordGuard.LastRefusal().indexOf(QStringLiteral("U+0142), ")), -1)
        << passwordGuard.LastRefusal().toStdString();
    EXPECT_NE(passwordGuard.LastRefusal().indexOf(QStringLiteral("U+017A")), -1);

    QLineEdit plain;
    GuideTextGuard plainGuard(&plain);
    std::vector<std::string> edited;
    QObject::connect(&plainGuard, &GuideTextGuard::Edited, &plainGuard,
                     [&edited](const std::string& bytes) { edited.push_back(bytes); });
    plain.show();
    Paste(&plain, QStringLiteral("cafe\u0301"));
    EXPECT_EQ(plain.text(), QStringLiteral("caf\u00E9"));
    EXPECT_EQ(edited, std::vector<std::string>{"caf\xE9"});
    EXPECT_TRUE(Platform.Messages.empty());

    // Nothing of an emoji would remain: the notice names it and nothing is asked.
    Paste(&plain, QStringLiteral("\U0001F600"));
    EXPECT_EQ(plain.text(), QStringLiteral("caf\u00E9"));
    EXPECT_TRUE(Platform.Messages.empty());
    EXPECT_NE(plainGuard.LastRefusal().indexOf(QStringLiteral("U+1F600")), -1);
}

} // namespace
} // namespace dravenloom
