// Widget tests of the "Generate HTML" page in the main window: typing and leaving fields reach
// the applet options, the colour bars and swatches answer their clicks, generating fills the
// memo, "Save To File" follows the memo, and the page fits its view area.
#include "app/GeneratePage.h"
#include "app/GuideText.h"
#include "app/MainWindowFixture.h"
#include "app/Tranbtn.h"
#include "document/Errors.h"
#include "publish/AppletTag.h"
#include "publish/ButtonPicture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>

namespace dravenloom {
namespace {

class GeneratePageTest : public MainWindowFixture {
protected:
    GeneratePageTest() {
        Window->ToolbarButtons[2]->trigger();
        Generate = qobject_cast<GeneratePage*>(Window->PageStack->currentWidget());
    }

    AppletOptions& Options() { return Core().Applet.Options; }
    AppletTag& Tag() { return Core().Applet.Tag; }

    // Replaces the field's whole text as the author does: select all, type over it.
    void Retype(QLineEdit* field, const QString& text) {
        field->setFocus(Qt::MouseFocusReason);
        field->selectAll();
        Type(field, text);
    }
    void Click(TMTranBtn* button) {
        const QPoint at(button->width() / 2, button->height() / 2);
        for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, QPointF(at), QPointF(button->mapToGlobal(at)), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QApplication::sendEvent(button, &event);
        }
    }
    void PressKey(QWidget* field, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(field, &press);
    }

    GeneratePage* Generate = nullptr;
};

TEST_F(GeneratePageTest, TheToolbarShowsThePageWithTheDefaults) {
    ASSERT_NE(Generate, nullptr);
    EXPECT_EQ(Window->PageStack->currentIndex(), 2);
    EXPECT_EQ(Generate->WidthEdit->text(), QStringLiteral("300"));
    EXPECT_EQ(Generate->HeightEdit->text(), QStringLiteral("400"));
    EXPECT_EQ(Generate->TextStart->text(), QStringLiteral("5"));
    EXPECT_EQ(Generate->FaceCombo->currentText(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(Generate->SizeCombo->currentText(), QStringLiteral("12"));
    EXPECT_EQ(Generate->ColorPanel1->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(Generate->ColorPanel2->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(Generate->CurrentImage->pixmap().toImage(),
              Generate->SwatchImages[DefaultSwatch - 1]->pixmap().toImage());
    EXPECT_FALSE(Generate->SaveBtn->isEnabled());
    EXPECT_EQ(Generate->SwatchButtons[8]->toolTip(),
              QStringLiteral("Click here to change the color of the buttons to be displayed in "
                             "your guide to fuchsia."));
    // Going elsewhere and back keeps the page (and its options) as they were.
    Window->ToolbarButtons[0]->trigger();
    Window->Forward([this] { Core().ToolbarButton973Click(); });
    EXPECT_EQ(Window->PageStack->currentWidget(), Generate);
}

TEST_F(GeneratePageTest, TypingReachesTheOptionsAndOnlyWhatTheCodePageLacksIsRefused) {
    Type(Generate->TitleEdit, QStringLiteral("Caf\u00E9 \u20AC5 \u00B6"));
    EXPECT_EQ(Options().TitleEdit.Text, "Caf\xE9 \x80"
                                        "5 \xB6");
    Type(Generate->TitleEdit, QStringLiteral("\u03A9"));
    EXPECT_EQ(Options().TitleEdit.Text, "Caf\xE9 \x80"
                                        "5 \xB6");
    auto* guard = Generate->TitleEdit->findChild<GuideTextGuard*>();
    ASSERT_NE(guard, nullptr);
    EXPECT_NE(guard->LastRefusal().indexOf(QStringLiteral("U+03A9")), -1);

    Type(Generate->ImageDir, QStringLiteral("pics"));
    EXPECT_EQ(Options().ImageDir.Text, "pics");
    Generate->CheckBold->click();
    EXPECT_TRUE(Options().CheckBold.Checked);
    Generate->SizeCombo->setFocus(Qt::MouseFocusReason);
    Generate->SizeCombo->lineEdit()->selectAll();
    Type(Generate->SizeCombo->lineEdit(), QStringLiteral("14"));
    EXPECT_EQ(Options().SizeCombo.Text, "14");
    // Editing the settings never makes the guide modified.
    EXPECT_FALSE(Window->Save1->isEnabled());
}

TEST_F(GeneratePageTest, LeavingABadWidthRestoresItsDefaultFocusesItAndSaysWhy) {
    Retype(Generate->WidthEdit, QStringLiteral("0"));
    EXPECT_EQ(Options().WidthEdit.Text, "0");
    Leave(Generate->WidthEdit, Generate->HeightEdit);
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0], ValidationError(WidthMessage));
    EXPECT_EQ(Generate->WidthEdit->text(), QStringLiteral("300"));
    EXPECT_EQ(QApplication::focusWidget(), Generate->WidthEdit);

    Retype(Generate->WidthEdit, QStringLiteral("5000"));
    Leave(Generate->WidthEdit, Generate->HeightEdit);
    EXPECT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Options().WidthEdit.Text, "5000");
}

TEST_F(GeneratePageTest, LeavingAFaceTheListLacksRestoresTimesNewRoman) {
    QLineEdit* edit = Generate->FaceCombo->lineEdit();
    Generate->FaceCombo->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    Type(edit, QStringLiteral("arial"));
    EXPECT_EQ(Options().FaceCombo.Text, "arial");
    Generate->SizeCombo->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0], ValidationError(FaceMessage));
    EXPECT_EQ(Generate->FaceCombo->currentText(), QStringLiteral("Times New Roman"));
    EXPECT_TRUE(WaitFor([this] { return Generate->FaceCombo->hasFocus(); }));

    // An entry picked from the list reaches the options too.
    Generate->FaceCombo->setCurrentIndex(0);
    emit Generate->FaceCombo->textActivated(Generate->FaceCombo->currentText());
    EXPECT_EQ(Options().FaceCombo.Text, "Arial");
}

TEST_F(GeneratePageTest, TheColourBarsAndSwatchesAnswerTheirClicks) {
    Platform.ColourAnswers.push_back(Rgb{255, 0, 0});
    Click(Generate->MTranBtn1);
    ASSERT_EQ(Platform.ColourRequests.size(), 1u);
    EXPECT_EQ(Platform.ColourRequests[0], White);
    EXPECT_EQ(Generate->ColorPanel1->palette().color(QPalette::Window), QColor(255, 0, 0));
    Platform.ColourAnswers.push_back(std::nullopt);
    Click(Generate->MTranBtn2);
    EXPECT_EQ(Generate->ColorPanel2->palette().color(QPalette::Window), QColor(Qt::black));

    Click(Generate->SwatchButtons[8]);
    EXPECT_EQ(Options().Image, "purple.gif");
    EXPECT_EQ(Generate->CurrentImage->pixmap().toImage(),
              Generate->SwatchImages[8]->pixmap().toImage());
}

TEST_F(GeneratePageTest, GenerateFillsTheMemoAndSaveFollowsIt) {
    QTemporaryDir folder;
    const QString guide = folder.filePath(QStringLiteral("help.dvx"));
    Platform.DialogAnswers.push_back(guide.toStdString());
    Generate->GenerateBitBtn->click();
    const QStringList lines = Generate->HtmlMemo->toPlainText().split(u'\n');
    ASSERT_EQ(lines.size(), AppletTagLineCount);
    EXPECT_EQ(lines[3], QStringLiteral("<PARAM NAME=\"filename\" VALUE=\"help.dvx\">"));
    EXPECT_EQ(lines[12], QStringLiteral("<PARAM NAME=\"image\" VALUE=\"gray.gif\">"));
    EXPECT_EQ(Window->windowTitle(), QStringLiteral("Dravenloom - help.dvx"));
    EXPECT_EQ(Window->PageStack->currentWidget(), Generate);
    EXPECT_EQ(Generate->HtmlMemo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_TRUE(Generate->SaveBtn->isEnabled());

    // The author's own edits: emptied, the button goes off; one character, it comes back.
    Generate->HtmlMemo->setFocus(Qt::MouseFocusReason);
    Generate->HtmlMemo->selectAll();
    PressKey(Generate->HtmlMemo, Qt::Key_Delete);
    EXPECT_TRUE(Tag().HtmlMemo.Text.empty());
    EXPECT_FALSE(Generate->SaveBtn->isEnabled());
    Type(Generate->HtmlMemo, QStringLiteral("x"));
    EXPECT_EQ(Tag().HtmlMemo.Text, "x");
    EXPECT_TRUE(Generate->SaveBtn->isEnabled());
}

TEST_F(GeneratePageTest, TheSavedElementLoadsBackIntoTheFields) {
    QTemporaryDir folder;
    Platform.DialogAnswers.push_back(folder.filePath(QStringLiteral("tour.dvx")).toStdString());
    Type(Generate->TitleEdit, QStringLiteral("Tour"));
    Generate->GenerateBitBtn->click();
    const std::string element = folder.filePath(QStringLiteral("tag.html")).toStdString();
    Platform.DialogAnswers.push_back(element);
    Generate->SaveBtn->click();
    ASSERT_TRUE(std::filesystem::exists(element));
    // The untitled guide was saved first, in a dialog that says why; the element's dialog
    // started beside it, and the status line says where the element went.
    ASSERT_EQ(Platform.SaveDialogs.size(), 2u);
    EXPECT_EQ(Platform.SaveDialogs[0].Title, "Save Guide before generating HTML");
    EXPECT_EQ(Platform.SaveDialogs[1].Directory, folder.path().toStdString());
    EXPECT_EQ(Platform.SaveDialogs[1].FileName, "tour.html");
    EXPECT_EQ(Window->StatusPanel->text(), QStringLiteral("Saved the applet element to tag.html"));

    Retype(Generate->TitleEdit, QStringLiteral("Other"));
    Click(Generate->SwatchButtons[0]);
    Platform.DialogAnswers.push_back(element);
    Generate->LoadBtn->click();
    EXPECT_EQ(Generate->TitleEdit->text(), QStringLiteral("Tour"));
    EXPECT_EQ(Options().Image, "gray.gif");
    EXPECT_EQ(Generate->CurrentImage->pixmap().toImage(),
              Generate->SwatchImages[DefaultSwatch - 1]->pixmap().toImage());
}

TEST_F(GeneratePageTest, TheBoxForBrowsersWithoutJavaAddsTheScriptLineAndLoadsBack) {
    EXPECT_EQ(Generate->CheckHtml5->text(), QStringLiteral("Also play in browsers without Java"));
    EXPECT_FALSE(Generate->CheckHtml5->toolTip().isEmpty());
    EXPECT_FALSE(Generate->CheckHtml5->isChecked());
    QTemporaryDir folder;
    Platform.DialogAnswers.push_back(folder.filePath(QStringLiteral("tour.dvx")).toStdString());
    Generate->GenerateBitBtn->click();
    EXPECT_EQ(Generate->HtmlMemo->toPlainText().split(u'\n').size(), AppletTagLineCount);

    // The note under the box, whole, above the font row, inside the page.
    EXPECT_EQ(Generate->Html5Note->text(),
              QStringLiteral("Java applets play in no current browser."));
    const QRect note = Generate->Html5Note->geometry();
    EXPECT_GE(note.top(), Generate->CheckHtml5->geometry().bottom());
    EXPECT_LT(note.bottom(), Generate->FaceCombo->geometry().top());
    EXPECT_LE(Generate->Html5Note->sizeHint().width(), note.width());
    EXPECT_LE(note.right(), 620);

    Generate->CheckHtml5->click();
    EXPECT_TRUE(Options().CheckHtml5.Checked);
    EXPECT_EQ(Settings.Bool(ProgramKey, "WebPlayer"), true) << "remembered for the next run";
    Generate->GenerateBitBtn->click();
    const QStringList lines = Generate->HtmlMemo->toPlainText().split(u'\n');
    ASSERT_EQ(lines.size(), AppletTagLineCount + 1);
    EXPECT_EQ(lines.back(), QStringLiteral("<script src=\"dravenloom.js\"></script>"));
    const std::string element = folder.filePath(QStringLiteral("tag.html")).toStdString();
    Platform.DialogAnswers.push_back(element);
    Generate->SaveBtn->click();

    // Unticked by hand, the saved element ticks it again.
    Generate->CheckHtml5->click();
    EXPECT_FALSE(Options().CheckHtml5.Checked);
    Platform.DialogAnswers.push_back(element);
    Generate->LoadBtn->click();
    EXPECT_TRUE(Generate->CheckHtml5->isChecked());
    EXPECT_TRUE(Options().CheckHtml5.Checked);
}

TEST(SwatchPictureTest, IsTheGifBesideTheProgramOrElseTheSameButtonDrawn) {
    QTemporaryDir folder;
    const QImage missing = SwatchPicture(folder.path().toStdString(), 2);
    EXPECT_EQ(missing.size(), QSize(15, 15));
    const Rgb face = ButtonFace(Swatches[1]);
    EXPECT_EQ(missing.pixel(7, 7), qRgb(face.Red, face.Green, face.Blue));
    // A raised button, not a flat square: the bevel is lighter at the top left.
    EXPECT_NE(missing.pixel(2, 2), missing.pixel(12, 12));
    EXPECT_NE(missing.pixel(0, 14), missing.pixel(7, 7));

    QImage drawn(15, 15, QImage::Format_RGB32);
    drawn.fill(QColor(10, 20, 30));
    drawn.setPixelColor(0, 0, Qt::white);
    ASSERT_TRUE(drawn.save(folder.filePath(QStringLiteral("red.gif")), "BMP"));
    const QImage found = SwatchPicture(folder.path().toStdString(), 2);
    EXPECT_EQ(found.pixel(7, 7), qRgb(10, 20, 30));
    EXPECT_EQ(found.pixel(0, 0), qRgb(255, 255, 255));
}

TEST_F(GeneratePageTest, SwatchHintsFollowTheHintSwitch) {
    TMTranBtn* swatch = Generate->SwatchButtons[0];
    TipProbe probe;
    swatch->installEventFilter(&probe);
    const auto askForTip = [swatch] {
        QHelpEvent tip(QEvent::ToolTip, QPoint(2, 2), swatch->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(swatch, &tip);
    };
    askForTip();
    EXPECT_EQ(probe.Tips, 1);
    Window->ShowHints2->trigger();
    askForTip();
    EXPECT_EQ(probe.Tips, 1);
}

// Everything lies inside the 620 x 399 view area, shows its whole text, and nothing lies on
// anything else but the click areas laid over their colour bars and swatches.
TEST_F(GeneratePageTest, EverythingFitsTheViewAreaWithoutOverlapping) {
    EXPECT_EQ(Generate->size(), QSize(620, 399));
    const QRect area = Generate->rect();
    QList<QWidget*> children;
    for (QObject* child : Generate->children())
        if (auto* widget = qobject_cast<QWidget*>(child); widget && !widget->isHidden())
            children << widget;
    ASSERT_GT(children.size(), 40);
    for (QWidget* widget : children) {
        const QString name = widget->objectName() + QStringLiteral(" ") +
                             QString::fromUtf8(widget->metaObject()->className());
        EXPECT_TRUE(area.contains(widget->geometry())) << name.toStdString();
        if (auto* label = qobject_cast<QLabel*>(widget); label && label->pixmap().isNull()) {
            EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
            EXPECT_LE(label->fontMetrics().height(), label->height())
                << label->text().toStdString();
        }
        if (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QComboBox*>(widget)) {
            EXPECT_LE(widget->sizeHint().width(), widget->width()) << name.toStdString();
        }
    }
    const auto overlaid = [this](QWidget* a, QWidget* b) {
        for (std::size_t i = 0; i < SwatchCount; ++i)
            if ((a == Generate->SwatchImages[i] && b == Generate->SwatchButtons[i]) ||
                (b == Generate->SwatchImages[i] && a == Generate->SwatchButtons[i]))
                return true;
        return (a == Generate->ColorPanel1 && b == Generate->MTranBtn1) ||
               (a == Generate->MTranBtn1 && b == Generate->ColorPanel1) ||
               (a == Generate->ColorPanel2 && b == Generate->MTranBtn2) ||
               (a == Generate->MTranBtn2 && b == Generate->ColorPanel2);
    };
    const auto describe = [](QWidget* widget) {
        if (auto* label = qobject_cast<QLabel*>(widget); label && widget->objectName().isEmpty())
            return label->text().toStdString();
        return widget->objectName().toStdString();
    };
    for (qsizetype i = 0; i < children.size(); ++i) {
        for (qsizetype j = i + 1; j < children.size(); ++j) {
            if (!overlaid(children[i], children[j])) {
                EXPECT_FALSE(children[i]->geometry().intersects(children[j]->geometry()))
                    << describe(children[i]) << " / " << describe(children[j]);
            }
        }
    }
    // The swatches where the published guide's designer put them.
    for (int i = 0; i < SwatchCount; ++i)
        EXPECT_EQ(Generate->SwatchButtons[static_cast<std::size_t>(i)]->geometry(),
                  QRect(326 + 23 * i, 112, 15, 15));
}

} // namespace
} // namespace dravenloom
