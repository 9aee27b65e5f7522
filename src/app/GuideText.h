// The code page 1252 edge for widgets: guide bytes shown as QString and back, and a guard that
// keeps characters a guide can't hold out of a QLineEdit or QPlainTextEdit.
//
// How a view uses it (one guard per field, owned by the field):
//
//   auto* guard = new GuideTextGuard(Memo1Widget);              // QLineEdit or QPlainTextEdit
//   connect(guard, &GuideTextGuard::Edited, this, [this](const std::string& bytes) {
//       Editor.MemoChange(1, bytes);                             // the author changed the text
//       Refresh();
//   });
//   ...
//   void Refresh() { Memo1Guard->SetGuideText(View.Memo(1).Text); }  // from the core's state
//
// - Connect to Edited, not to the widget's own text signals: Edited comes only from the
//   author's accepted edits (typing, pasting, dropping, undo and redo), never from SetGuideText
//   and never for a refused edit.
// - Input holding one of the six reserved mark characters (¤ ¶ ª ± € š) or a character the
//   code page can't hold is refused as a whole: the field keeps its previous text and caret.
//   Then, once the field is done with the refused edit, one question through the platform
//   (SetPlatform) names every such character and offers the text with the common ones replaced
//   and the rest left out; Yes inserts it as one ordinary edit, No leaves the field alone.
//   Without a platform, in a password field (a changed password is no longer the password) and
//   when nothing of the input would remain, a tool tip next to the caret names the characters
//   instead (the author can keep typing; nothing modal interrupts). Refused is emitted with the
//   sentence naming them either way. Letters typed as base letter and combining mark are
//   composed and taken without a question.
// - The guard installs its own QValidator on a QLineEdit (replacing any other), which refuses
//   the edit before it happens. On a QPlainTextEdit it takes a refused edit back through the
//   undo stack, so undo never brings the refused text back.
// - Line breaks: "\n" in a widget is CR LF in a guide text; a QPlainTextEdit's Shift+Enter line
//   separator counts as a line break too. A single-line QLineEdit refuses line breaks.
#pragma once

#include "document/Cp1252.h"
#include "document/ForeignText.h"

#include <QObject>
#include <QString>

#include <string>
#include <string_view>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace dravenloom {

// Guide bytes as widget text: CR LF, and a lone CR or LF, become "\n".
QString GuideToWidgetText(std::string_view guideBytes);
// Widget text as guide bytes: "\n" (and U+2028, U+2029) become CR LF; refuses the reserved mark
// characters and those the code page can't hold.
TypedTextConversion WidgetToGuideText(const QString& text);

class GuideTextGuard : public QObject {
    Q_OBJECT

public:
    explicit GuideTextGuard(QLineEdit* field, TextRule rule = TextRule::Record);
    explicit GuideTextGuard(QPlainTextEdit* field, TextRule rule = TextRule::Record);

    // Shows guide bytes in the field, only when they differ from what it shows; raises no
    // Edited and keeps the undo history when nothing changes.
    void SetGuideText(std::string_view guideBytes);
    // The field's text as guide bytes (always convertible: refused input never stays).
    std::string GuideText() const;
    // The sentence of the last refusal (empty when none happened yet).
    const QString& LastRefusal() const { return Refusal; }

    // Used by the line edit's validator: whether the proposed text may stand.
    bool Admits(const QString& proposed);

    // The platform every guard asks whether to take input with characters its field can't
    // hold; nothing (the default) refuses such input with a notice by the caret.
    static void SetPlatform(Platform* platform);

signals:
    void Edited(const std::string& guideBytes);
    void Refused(const QString& reason);

private:
    QString FieldText() const;
    TypedTextConversion Convert(const QString& text) const;
    void PlainTextChanged();
    void Refuse(const QString& reason);
    // After a refused edit: offers `proposed` with its foreign characters replaced.
    void Offer(const QString& proposed);
    // Makes the field hold `text` by one edit of the part that differs.
    void ReplaceText(const QString& text);

    QLineEdit* Line = nullptr;
    QPlainTextEdit* Plain = nullptr;
    TextRule Rule = TextRule::Record;
    QString Shown; // the field's last accepted text
    QString Refusal;
    bool Updating = false;
};

} // namespace dravenloom
