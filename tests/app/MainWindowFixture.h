// The main window assembled for widget tests: a scripted platform that passes focus requests
// on to the widgets, in-memory settings, and helpers that type and leave fields as the
// keyboard does.
//
//   class MyTest : public MainWindowFixture {};
//   TEST_F(MyTest, ...) {
//       Type(Page->DialogueMemo, QStringLiteral("x"));
//       EXPECT_EQ(Core().View.DialogueMemo.Text, "x");
//   }
#pragma once

#include "app/EditPage.h"
#include "app/Guidecode.h"
#include "app/QtPlatform.h"
#include "app/WidgetTestSupport.h"
#include "app/WindowStyle.h"
#include "support/MemorySettings.h"
#include "support/ScriptedPlatform.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPalette>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace dravenloom {

// The scripted platform, with focus requests passed on to the widgets as QtPlatform does.
class WidgetPlatform : public ScriptedPlatform {
public:
    void Focus(const TextField& field, bool selectAll) override {
        ScriptedPlatform::Focus(field, selectAll);
        Targets.Focus(field, selectAll);
    }
    void FocusCombo(const ComboBox& box) override {
        ScriptedPlatform::FocusCombo(box);
        Targets.Focus(box);
    }
    FocusTargets Targets;
};

// Counts the tool tip events that reach a widget.
class TipProbe : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ToolTip)
            ++Tips;
        return false;
    }
    int Tips = 0;
};

// The main window over the scripted platform and in-memory settings, shown and active, with
// the wizard switched off so that start-up shows nothing modal.
class MainWindowFixture : public ::testing::Test {
protected:
    MainWindowFixture() {
        Settings.SetBool(ProgramKey, "Wizard", false);
        Window = std::make_unique<TGuideForm>(Platform, Platform.Targets, Settings, ".",
                                              std::vector<std::string>{});
        Window->show();
        Window->activateWindow();
        WaitFor([this] { return Window->isActiveWindow(); });
        Page = Window->EditViewPage();
        Platform.ClearRecords();
    }

    // Types text into the field as the keyboard does, one key press per character.
    void Type(QWidget* field, const QString& text) {
        field->setFocus(Qt::MouseFocusReason);
        for (const QChar character : text) {
            const bool enter = character == u'\n';
            QKeyEvent press(QEvent::KeyPress, enter ? Qt::Key_Return : 0, Qt::NoModifier,
                            enter ? QStringLiteral("\r") : QString(character));
            QApplication::sendEvent(field, &press);
        }
    }

    // Moves the focus on, as the Tab key does.
    void Leave(QWidget* field, QWidget* next) {
        ASSERT_EQ(QApplication::focusWidget(), field);
        next->setFocus(Qt::TabFocusReason);
    }

    GuideForm& Core() { return Window->Core(); }
    bool Inactive(QWidget* field) {
        return field->palette().color(QPalette::Base) == InactiveCaptionTextColour();
    }

    WidgetPlatform Platform;
    MemorySettings Settings;
    std::unique_ptr<TGuideForm> Window;
    EditPage* Page = nullptr;
};

} // namespace dravenloom
