// Widget tests of the secondary windows: the views show the core's state and forward the
// author's actions to it.
#include "app/About.h"
#include "app/Advanced.h"
#include "app/GuideText.h"
#include "app/Magnified.h"
#include "app/QtPlatform.h"
#include "app/Splash.h"
#include "app/Tutorial.h"
#include "app/WidgetTestSupport.h"
#include "app/WindowStyle.h"
#include "app/Wizard.h"
#include "support/MemorySettings.h"
#include "support/ScriptedPlatform.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace dravenloom {
namespace {

class TutorialWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(Dir.path()).mkpath(QStringLiteral("tutorial")));
        for (int page : {1, 2, 4}) {
            QFile file(Dir.filePath(QStringLiteral("tutorial/tutorial%1.htm").arg(page)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(QStringLiteral("<html><body><p>Tutorial text %1</p>"
                                      "<a href=\"tutorial4.htm\">on</a></body></html>")
                           .arg(page)
                           .toUtf8());
        }
    }

    QTemporaryDir Dir;
    ScriptedPlatform Platform;
};

TEST_F(TutorialWindowTest, PagesLoadIntoTheViewerAndSetTheCaption) {
    TTutorialForm window(Platform, FsPath(Dir.path()));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Dravenloom Tutorial"));
    EXPECT_FALSE(window.Browser()->openLinks());

    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Dravenloom Tutorial - Page 1"));
    EXPECT_TRUE(window.Browser()->toPlainText().contains(QStringLiteral("Tutorial text 1")));

    window.PageButton(2)->click();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Dravenloom Tutorial - Page 2"));
    EXPECT_TRUE(window.Browser()->toPlainText().contains(QStringLiteral("Tutorial text 2")));
    EXPECT_FALSE(window.Browser()->isBackwardAvailable());

    // Page 3 is missing: the author is told, the viewer and caption stay on page 2.
    window.PageButton(3)->click();
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0].Text,
              "Files are missing from the Dravenloom Tutorial.  Please re-install.");
    EXPECT_EQ(Platform.Messages[0].Icon, MsgIcon::Exclamation);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Dravenloom Tutorial - Page 2"));
    EXPECT_TRUE(window.Browser()->toPlainText().contains(QStringLiteral("Tutorial text 2")));

    // Shown again after closing: page 1.
    window.CloseButton()->click();
    EXPECT_FALSE(window.isVisible());
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Dravenloom Tutorial - Page 1"));
    EXPECT_TRUE(window.Browser()->toPlainText().contains(QStringLiteral("Tutorial text 1")));
}

TEST_F(TutorialWindowTest, LinksGoThroughTheTutorialsRules) {
    TTutorialForm window(Platform, FsPath(Dir.path()));
    window.show();

    emit window.Browser()->highlighted(QUrl(QStringLiteral("tutorial4.htm")));
    EXPECT_EQ(window.StatusBar()->currentMessage(), QStringLiteral("tutorial4.htm"));
    emit window.Browser()->highlighted(QUrl());
    EXPECT_EQ(window.StatusBar()->currentMessage(), QString());

    emit window.Browser()->anchorClicked(QUrl(QStringLiteral("tutorial4.htm")));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Dravenloom Tutorial - Page 4"));
    EXPECT_TRUE(window.Browser()->toPlainText().contains(QStringLiteral("Tutorial text 4")));

    emit window.Browser()->anchorClicked(QUrl(QStringLiteral("https://www.korvessa.example/")));
    EXPECT_EQ(Platform.Addresses, std::vector<std::string>{"https://www.korvessa.example/"});
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Dravenloom Tutorial - Page 4"));
}

TEST(MagnifyFormTest, OkReturnsTheEditedTextAndCancelNothing) {
    TMagnifyForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Edit Dialogue"));
    EXPECT_EQ(form.size(), QSize(530, 348));

    WhenModal([&form] {
        EXPECT_EQ(form.Memo1()->toPlainText(), QStringLiteral("Go left\nor right"));
        form.Memo1()->moveCursor(QTextCursor::End);
        form.Memo1()->insertPlainText(QStringLiteral(" now \u00E9"));
        form.OkButton()->click();
    });
    EXPECT_EQ(form.Edit("Go left\r\nor right"), "Go left\r\nor right now \xE9");

    WhenModal([&form] {
        form.Memo1()->insertPlainText(QStringLiteral("discarded"));
        form.CancelButton()->click();
    });
    EXPECT_EQ(form.Edit("kept"), std::nullopt);

    // Refused input never reaches the returned text.
    WhenModal([&form] {
        form.Memo1()->insertPlainText(QStringLiteral("\u20AC"));
        form.OkButton()->click();
    });
    EXPECT_EQ(form.Edit("price"), "price");
}

TEST(MagnifyFormTest, ButtonsSitCentredOnThePanel) {
    TMagnifyForm form;
    form.show();
    for (int width : {530, 531, 300}) {
        form.setFixedSize(width, 348);
        QApplication::processEvents();
        const int half = form.Panel1()->width() / 2;
        EXPECT_EQ(form.Panel1()->height(), 34);
        EXPECT_EQ(form.OkButton()->x(), half - 78) << width;
        EXPECT_EQ(form.CancelButton()->x(), half + 3) << width;
        EXPECT_EQ(form.OkButton()->width(), 75);
    }
}

TEST(WizardFormTest, BoxFollowsTheSettingAndWritesIt) {
    MemorySettings settings;
    settings.SetBool(ProgramKey, "Wizard", false);
    TWizardForm form(settings);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Getting Started with Dravenloom"));

    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(WaitFor([&] { return form.CheckBox1()->isChecked(); }));

    form.CheckBox1()->click();
    EXPECT_FALSE(form.CheckBox1()->isChecked());
    EXPECT_EQ(settings.Int(ProgramKey, "Wizard"), 1);
    form.CheckBox1()->click();
    EXPECT_EQ(settings.Int(ProgramKey, "Wizard"), 0);

    // Activated again after the setting changed elsewhere: the box follows.
    settings.SetBool(ProgramKey, "Wizard", true);
    form.FormActivate();
    EXPECT_FALSE(form.CheckBox1()->isChecked());
}

TEST(WizardFormTest, ButtonsCloseTheWizardAndSayWhatFollows) {
    MemorySettings settings;
    TWizardForm form(settings);
    int tutorial = 0;
    int generate = 0;
    QObject::connect(&form, &TWizardForm::OpenTutorialRequested, &form, [&] { ++tutorial; });
    QObject::connect(&form, &TWizardForm::GoToGenerateRequested, &form, [&] { ++generate; });

    struct Case {
        QPushButton* Button;
        WizardOutcome Outcome;
        int Tutorial, Generate;
    };
    for (const Case& c : {Case{form.OpenTutorialButton(), WizardOutcome::OpenTutorial, 1, 0},
                          Case{form.GoToEditButton(), WizardOutcome::GoToEdit, 1, 0},
                          Case{form.GoToGenerateButton(), WizardOutcome::GoToGenerate, 1, 1},
                          Case{form.CloseButton(), WizardOutcome::Close, 1, 1}}) {
        form.show();
        c.Button->click();
        EXPECT_FALSE(form.isVisible());
        EXPECT_EQ(form.Outcome(), c.Outcome);
        EXPECT_EQ(tutorial, c.Tutorial);
        EXPECT_EQ(generate, c.Generate);
    }
}

TEST(AboutBoxTest, LinkAsksForTheHomePage) {
    ScriptedPlatform platform;
    TAboutBox box(platform);
    EXPECT_EQ(box.windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(box.size(), QSize(396, 308));
    EXPECT_TRUE(box.CloseButton()->isDefault());
    EXPECT_TRUE(box.LinkLabel()->text().contains(
        QStringLiteral("https://www.korvessa.example/dravenloom/")));
    emit box.LinkLabel()->linkActivated(QStringLiteral("anything"));
    EXPECT_EQ(platform.Addresses,
              std::vector<std::string>{"https://www.korvessa.example/dravenloom/"});
}

TEST(SplashFormTest, ClosesItselfWhenItsTimerTicks) {
    TSplashForm splash;
    EXPECT_EQ(splash.size(), QSize(395, 242));
    EXPECT_EQ(splash.VersionLabel()->text(), QStringLiteral("Ver. 1.0"));
    EXPECT_EQ(splash.Timer1()->interval(), 1000);
    EXPECT_TRUE(splash.Timer1()->isActive());
    splash.ShowAndPaint();
    EXPECT_TRUE(splash.isVisible());
    splash.Timer1()->start(1);
    EXPECT_TRUE(WaitFor([&] { return !splash.isVisible(); }));
}

// The graphic dialog over a real record editor.
class AdvancedFormTest : public ::testing::Test {
protected:
    AdvancedFormTest() : Editor(Document, View, Graphic, Platform), Form(Editor, Targets) {
        // Focus requests of the editor reach the widgets, as QtPlatform would pass them.
        Platform.OnMessage = nullptr;
    }

    void Leave(QLineEdit* field) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(field, &out);
    }

    GuideDocument Document;
    EditView View;
    GraphicDialog Graphic;
    ScriptedPlatform Platform;
    RecordEditor Editor;
    FocusTargets Targets;
    TAdvancedForm Form;
};

TEST_F(AdvancedFormTest, StartsDisabledWithDefaults) {
    EXPECT_EQ(Form.windowTitle(), QStringLiteral("Graphic"));
    EXPECT_EQ(Form.size(), QSize(392, 138));
    EXPECT_FALSE(Form.GraphicCheck()->isChecked());
    EXPECT_FALSE(Form.GraphicBitBtn()->isEnabled());
    for (QLineEdit* field : {Form.GraphicEdit(), Form.Edit7(), Form.Edit8()}) {
        EXPECT_FALSE(field->isEnabled());
        EXPECT_EQ(field->palette().color(QPalette::Base), InactiveCaptionTextColour());
    }
    EXPECT_EQ(Form.Edit7()->text(), QStringLiteral("300"));
    EXPECT_EQ(Form.Edit8()->text(), QStringLiteral("0"));
    EXPECT_EQ(Targets.WidgetOf(Graphic.Edit7), Form.Edit7());
}

TEST_F(AdvancedFormTest, TickingTypingAndLeavingReachTheEditor) {
    Form.GraphicCheck()->click();
    EXPECT_TRUE(Graphic.GraphicCheck.Checked);
    EXPECT_TRUE(Document.Modified());
    EXPECT_TRUE(Form.Edit7()->isEnabled());
    EXPECT_NE(Form.Edit7()->palette().color(QPalette::Base), InactiveCaptionTextColour());

    Form.Edit7()->setFocus();
    Form.Edit7()->selectAll();
    QKeyEvent minus(QEvent::KeyPress, Qt::Key_Minus, Qt::NoModifier, QStringLiteral("-5"));
    QApplication::sendEvent(Form.Edit7(), &minus);
    EXPECT_EQ(Graphic.Edit7.Text, "-5");

    Leave(Form.Edit7());
    EXPECT_EQ(Graphic.Edit7.Text, "300");
    EXPECT_EQ(Form.Edit7()->text(), QStringLiteral("300"));
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0], ValidationError("X Coordinate must be a positive integer "
                                                    "value."));
    ASSERT_EQ(Platform.FocusRequests.size(), 1u);
    EXPECT_EQ(Platform.FocusRequests[0].Field, &Graphic.Edit7);

    // A field left while a box is up is not checked: no cascade.
    Form.Edit8()->setText(QStringLiteral("abc"));
    Graphic.Edit8.Text = "abc";
    {
        ModalGuard guard;
        Leave(Form.Edit8());
    }
    EXPECT_EQ(Platform.Messages.size(), 1u);
    Leave(Form.Edit8());
    EXPECT_EQ(Graphic.Edit8.Text, "0");
    EXPECT_EQ(Platform.Messages.size(), 2u);
}

TEST_F(AdvancedFormTest, ClearingTheBoxEmptiesThePathAndResetsThePlace) {
    Form.GraphicCheck()->click();
    Form.GraphicEdit()->setFocus();
    QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("pic.gif"));
    QApplication::sendEvent(Form.GraphicEdit(), &typed);
    EXPECT_EQ(Graphic.GraphicEdit.Text, "pic.gif");
    Editor.Edit7Change("12");
    Form.Refresh();
    EXPECT_EQ(Form.Edit7()->text(), QStringLiteral("12"));

    Form.GraphicCheck()->click();
    EXPECT_EQ(Form.GraphicEdit()->text(), QString());
    EXPECT_EQ(Form.Edit7()->text(), QStringLiteral("300"));
    EXPECT_EQ(Form.Edit8()->text(), QStringLiteral("0"));
    EXPECT_FALSE(Form.GraphicEdit()->isEnabled());
    EXPECT_FALSE(Form.GraphicBitBtn()->isEnabled());
}

TEST_F(AdvancedFormTest, BrowseSetsThePathChosenInTheDialog) {
    Form.GraphicCheck()->click();
    Platform.DialogAnswers.push_back("/pictures/caf\u00e9.gif");
    Form.GraphicBitBtn()->click();
    ASSERT_EQ(Platform.OpenDialogs.size(), 1u);
    EXPECT_EQ(Graphic.GraphicEdit.Text, "/pictures/caf\xE9.gif");
    EXPECT_EQ(Form.GraphicEdit()->text(), QStringLiteral("/pictures/caf\u00E9.gif"));
}

TEST_F(AdvancedFormTest, ClosingFromABadNumberPutsItRightAndStaysOpen) {
    Form.show();
    QApplication::setActiveWindow(&Form);
    Form.GraphicCheck()->click();
    Form.Edit8()->setFocus();
    ASSERT_TRUE(WaitFor([&] { return Form.Edit8()->hasFocus(); }));
    Form.Edit8()->selectAll();
    QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("-1"));
    QApplication::sendEvent(Form.Edit8(), &typed);
    ASSERT_EQ(Graphic.Edit8.Text, "-1");

    // Return in the field presses the default button.
    Form.OkButton()->click();
    EXPECT_TRUE(Form.isVisible());
    EXPECT_EQ(Form.Edit8()->text(), QStringLiteral("0"));
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0].Text, "Y Coordinate must be a positive integer value.");

    Form.OkButton()->click();
    EXPECT_FALSE(Form.isVisible());
    EXPECT_EQ(Platform.Messages.size(), 1u);
}

// The preview and the line under the path follow the path as it is typed; the line speaks only
// when there is something to say, and never with a message box.
TEST_F(AdvancedFormTest, PreviewAndLineFollowThePath) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QImage wide(300, 150, QImage::Format_RGB32);
    wide.fill(Qt::red);
    ASSERT_TRUE(wide.save(folder.filePath(QStringLiteral("wide.png")), "PNG"));
    QFile text(folder.filePath(QStringLiteral("notes.gif")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();

    Form.GraphicCheck()->click();
    EXPECT_EQ(Form.PictureLine()->text(), QString());
    EXPECT_TRUE(Form.PreviewImage()->pixmap().isNull());

    const auto typePath = [&](const QString& path) {
        Form.GraphicEdit()->setFocus();
        Form.GraphicEdit()->selectAll();
        QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, path);
        QApplication::sendEvent(Form.GraphicEdit(), &typed);
    };
    typePath(folder.filePath(QStringLiteral("wide.png")));
    EXPECT_EQ(Form.PreviewImage()->pixmap().size(), QSize(96, 48));
    EXPECT_EQ(Form.PreviewImage()->pixmap().toImage().pixelColor(48, 24), QColor(Qt::red));
    EXPECT_EQ(Form.PictureLine()->text(), QString());

    typePath(folder.filePath(QStringLiteral("gone.png")));
    EXPECT_TRUE(Form.PreviewImage()->pixmap().isNull());
    EXPECT_EQ(Form.PictureLine()->text(), QStringLiteral("No file at this path."));

    typePath(folder.filePath(QStringLiteral("notes.gif")));
    EXPECT_TRUE(Form.PreviewImage()->pixmap().isNull());
    EXPECT_EQ(Form.PictureLine()->text(),
              QStringLiteral("This file is not a picture Dravenloom can show (GIF, JPEG, PNG or "
                             "BMP)."));
    EXPECT_TRUE(Platform.Messages.empty());

    // A relative path is looked for beside the guide, as the Demonstration draws it.
    Document.GuideFileName = folder.filePath(QStringLiteral("tour.dvx")).toStdString();
    typePath(QStringLiteral("wide.png"));
    EXPECT_EQ(Form.PreviewImage()->pixmap().size(), QSize(96, 48));
    EXPECT_EQ(Form.PictureLine()->text(), QString());

    // Clearing the box empties the path, and the preview with it.
    Form.GraphicCheck()->click();
    EXPECT_TRUE(Form.PreviewImage()->pixmap().isNull());
    EXPECT_EQ(Form.PictureLine()->text(), QString());
}

// A file put in place while the dialog was closed shows when it opens again.
TEST_F(AdvancedFormTest, OpeningTheDialogLooksAtThePathAgain) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("later.png"));
    Editor.GraphicCheckClick(true);
    Editor.GraphicEditChange(path.toStdString());
    Form.Refresh();
    EXPECT_EQ(Form.PictureLine()->text(), QStringLiteral("No file at this path."));
    QImage square(20, 20, QImage::Format_RGB32);
    square.fill(Qt::blue);
    ASSERT_TRUE(square.save(path, "PNG"));
    Form.show();
    EXPECT_EQ(Form.PictureLine()->text(), QString());
    EXPECT_EQ(Form.PreviewImage()->pixmap().size(), QSize(20, 20));
    Form.hide();
}

} // namespace
} // namespace dravenloom
