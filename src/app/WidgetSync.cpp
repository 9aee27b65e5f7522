// Helpers that bring widgets up to the core's control state.
#include "app/WidgetSync.h"

#include "app/GuideText.h"
#include "app/WindowStyle.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>

#include <algorithm>

namespace dravenloom {
namespace {

int CaretOf(QWidget* field) {
    if (auto* line = qobject_cast<QLineEdit*>(field))
        return line->cursorPosition();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(field))
        return plain->textCursor().position();
    return 0;
}

void PlaceCaret(QWidget* field, int position) {
    if (auto* line = qobject_cast<QLineEdit*>(field)) {
        line->setCursorPosition(std::clamp(position, 0, static_cast<int>(line->text().size())));
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(field)) {
        QTextCursor cursor = plain->textCursor();
        cursor.setPosition(std::clamp(position, 0, plain->document()->characterCount() - 1));
        plain->setTextCursor(cursor);
    }
}

} // namespace

void ShowGuideText(GuideTextGuard& guard, QWidget* field, std::string_view guideBytes) {
    if (guard.GuideText() == guideBytes)
        return;
    // The field the author is typing in keeps its caret where it was; any other field shows
    // its new text from the start.
    const int caret = field->hasFocus() ? CaretOf(field) : 0;
    const QSignalBlocker blocker(field);
    guard.SetGuideText(guideBytes);
    PlaceCaret(field, caret);
}

void ShowFieldState(QWidget* field, const TextField& state) {
    if (field->isEnabled() != state.Enabled)
        field->setEnabled(state.Enabled);
    const QColor wanted = state.Inactive
                              ? InactiveCaptionTextColour()
                              : QApplication::palette().color(QPalette::Active, QPalette::Base);
    if (field->palette().color(QPalette::Disabled, QPalette::Base) == wanted &&
        field->palette().color(QPalette::Active, QPalette::Base) == wanted)
        return;
    QPalette palette = field->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, wanted);
    field->setPalette(palette);
}

void ShowButton(QWidget* button, const Button& state) {
    if (button->isEnabled() != state.Enabled)
        button->setEnabled(state.Enabled);
}

void ShowCheckBox(QAbstractButton* box, const CheckBox& state) {
    const QSignalBlocker blocker(box);
    if (box->isChecked() != state.Checked)
        box->setChecked(state.Checked);
    if (box->isEnabled() != state.Enabled)
        box->setEnabled(state.Enabled);
}

void ShowMenuItem(QAction* action, const MenuItem& state) {
    const QSignalBlocker blocker(action);
    if (action->isEnabled() != state.Enabled)
        action->setEnabled(state.Enabled);
    if (action->isCheckable() && action->isChecked() != state.Checked)
        action->setChecked(state.Checked);
}

void ShowComboBox(QComboBox* combo, const ComboBox& state) {
    const QSignalBlocker blocker(combo);
    QStringList items;
    for (const std::string& item : state.Items)
        items << QString::fromStdString(item);
    QStringList shown;
    for (int i = 0; i < combo->count(); ++i)
        shown << combo->itemText(i);
    if (shown != items) {
        combo->clear();
        combo->addItems(items);
    }
    if (combo->currentIndex() != state.ItemIndex)
        combo->setCurrentIndex(state.ItemIndex);
    const QString text = QString::fromStdString(state.Text);
    if (combo->placeholderText() != text)
        combo->setPlaceholderText(text);
    if (combo->isEnabled() != state.Enabled)
        combo->setEnabled(state.Enabled);
}

} // namespace dravenloom
