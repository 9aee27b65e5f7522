// Helpers that bring widgets up to the core's control state without raising their signals:
// texts set only when they differ (the caret stays where it was), enabled states, the inactive
// field colour, ticks and drop-down entries.
#pragma once

#include "document/Controls.h"

#include <string_view>

class QAbstractButton;
class QAction;
class QComboBox;
class QWidget;

namespace dravenloom {

class GuideTextGuard;

// Shows guide bytes in the guard's field when they differ; the focused field keeps its caret
// where it was (as near as the new text allows).
void ShowGuideText(GuideTextGuard& guard, QWidget* field, std::string_view guideBytes);

// A text field's enabled state and its background: the inactive colour when the core says so,
// the normal window colour otherwise.
void ShowFieldState(QWidget* field, const TextField& state);

void ShowButton(QWidget* button, const Button& state);
void ShowCheckBox(QAbstractButton* box, const CheckBox& state);
void ShowMenuItem(QAction* action, const MenuItem& state);
// Entries, the chosen entry and the text shown while none is chosen.
void ShowComboBox(QComboBox* combo, const ComboBox& state);

} // namespace dravenloom
