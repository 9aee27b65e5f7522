// The code page 1252 edge for widgets.
#include "app/GuideText.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolTip>
#include <QValidator>

#include <algorithm>

namespace dravenloom {
namespace {

constexpr int NoticeMilliseconds = 6000;

Platform* Asker = nullptr;

QString NormalizedWidgetText(QString text) {
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

// Refuses what the guard refuses; the line edit then keeps its text and caret by itself.
class GuideTextValidator : public QValidator {
public:
    GuideTextValidator(GuideTextGuard* guard, QLineEdit* field) : QValidator(field), Guard(guard) {}

    State validate(QString& input, int&) const override {
        return Guard->Admits(input) ? Acceptable : Invalid;
    }

private:
    GuideTextGuard* Guard;
};

} // namespace

QString GuideToWidgetText(std::string_view guideBytes) {
    QString text = QString::fromStdString(Cp1252ToUtf8(guideBytes));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

TypedTextConversion WidgetToGuideText(const QString& text) {
    const std::string utf8 = NormalizedWidgetText(text).toStdString();
    return Utf8ToGuideText(NormalizeLineBreaks(utf8));
}

GuideTextGuard::GuideTextGuard(QLineEdit* field, TextRule rule)
    : QObject(field), Line(field), Rule(rule), Shown(field->text()) {
    field->setValidator(new GuideTextValidator(this, field));
    // Only text that passed the validator gets here (setText() is not validated, but the
    // program sets guide texts only, which always convert).
    connect(field, &QLineEdit::textChanged, this, [this](const QString& text) { Shown = text; });
    connect(field, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!Updating)
            emit Edited(Convert(text).Bytes);
    });
}

GuideTextGuard::GuideTextGuard(QPlainTextEdit* field, TextRule rule)
    : QObject(field), Plain(field), Rule(rule), Shown(FieldText()) {
    connect(field, &QPlainTextEdit::textChanged, this, &GuideTextGuard::PlainTextChanged);
}

QString GuideTextGuard::FieldText() const {
    if (Line)
        return Line->text();
    // Not toPlainText(): that turns no-break spaces into spaces.
    return NormalizedWidgetText(Plain->document()->toRawText());
}

void GuideTextGuard::SetGuideText(std::string_view guideBytes) {
    const QString text = GuideToWidgetText(guideBytes);
    if (text == FieldText())
        return;
    Updating = true;
    if (Line)
        Line->setText(text);
    else
        Plain->setPlainText(text);
    Shown = FieldText();
    Updating = false;
}

std::string GuideTextGuard::GuideText() const {
    return Convert(FieldText()).Bytes;
}

TypedTextConversion GuideTextGuard::Convert(const QString& text) const {
    if (Rule == TextRule::Record)
        return WidgetToGuideText(text);
    const std::string utf8 = NormalizedWidgetText(text).toStdString();
    return Utf8ToCodePageText(NormalizeLineBreaks(utf8));
}

bool GuideTextGuard::Admits(const QString& proposed) {
    // Asked about the text that is already there (when the field loses the focus, say).
    if (proposed == Shown)
        return true;
    if (Line && (proposed.contains(QLatin1Char('\n')) || proposed.contains(QLatin1Char('\r')))) {
        Refuse(tr("A line break can't be typed into this one-line field."));
        return false;
    }
    const TypedTextConversion conversion = Convert(proposed);
    if (!conversion.Accepted)
        Offer(proposed);
    return conversion.Accepted;
}

void GuideTextGuard::SetPlatform(Platform* platform) {
    Asker = platform;
}

void GuideTextGuard::PlainTextChanged() {
    if (Updating)
        return;
    const QString text = FieldText();
    if (text == Shown)
        return; // only the formatting changed
    const TypedTextConversion conversion = Convert(text);
    if (conversion.Accepted) {
        Shown = text;
        emit Edited(conversion.Bytes);
        return;
    }

    // Where the refused edit began, and what it replaced.
    qsizetype prefix = 0;
    const qsizetype shorter = std::min(text.size(), Shown.size());
    while (prefix < shorter && text[prefix] == Shown[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           text[text.size() - 1 - suffix] == Shown[Shown.size() - 1 - suffix])
        ++suffix;
    const qsizetype caret = Shown.size() - suffix;

    // Taking the edit back through the undo stack leaves no trace of it there. The document
    // may have merged it with the typing before it, so whatever that took back too is typed
    // in again as a step of its own.
    Updating = true;
    QTextDocument* document = Plain->document();
    if (document->isUndoAvailable())
        document->undo();
    const QString now = FieldText();
    if (now != Shown) {
        qsizetype head = 0;
        const qsizetype least = std::min(now.size(), Shown.size());
        while (head < least && now[head] == Shown[head])
            ++head;
        qsizetype tail = 0;
        while (tail < least - head && now[now.size() - 1 - tail] == Shown[Shown.size() - 1 - tail])
            ++tail;
        QTextCursor cursor(document);
        cursor.setPosition(static_cast<int>(head));
        cursor.setPosition(static_cast<int>(now.size() - tail), QTextCursor::KeepAnchor);
        cursor.insertText(Shown.mid(head, Shown.size() - head - tail));
    }
    QTextCursor cursor = Plain->textCursor();
    cursor.setPosition(static_cast<int>(std::min(caret, Shown.size())));
    Plain->setTextCursor(cursor);
    Updating = false;

    Offer(text);
}

void GuideTextGuard::Refuse(const QString& reason) {
    Refusal = reason;
    QWidget* field = Line ? static_cast<QWidget*>(Line) : static_cast<QWidget*>(Plain);
    const QRect caret = field->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    QWidget* origin = Plain ? Plain->viewport() : field;
    const QPoint where =
        origin->mapToGlobal(caret.isValid() ? caret.bottomLeft() : QPoint(0, field->height()));
    QToolTip::showText(where, reason, field, QRect(), NoticeMilliseconds);
    emit Refused(reason);
}

void GuideTextGuard::Offer(const QString& proposed) {
    const ForeignText found =
        FindForeignCharacters(NormalizedWidgetText(proposed).toStdString(), Rule);
    const QString replaced = QString::fromStdString(found.Replaced);
    if (!found.Characters.empty()) {
        const QString notice = QString::fromStdString(ForeignTextNotice(found, Rule));
        const bool hidden = Line && Line->echoMode() != QLineEdit::Normal;
        if (!Asker || hidden || replaced == Shown) {
            Refuse(notice);
            return;
        }
        Refusal = notice;
        emit Refused(notice);
    }
    // The field is still inside the refused edit (its validator or change signal), where a
    // modal box must not open; the offer holds only while the field keeps the text it had.
    QMetaObject::invokeMethod(
        this,
        [this, before = Shown, found] {
            if (FieldText() != before)
                return;
            std::optional<std::string> text = found.Replaced;
            if (!found.Characters.empty()) {
                if (!Asker)
                    return;
                text = OfferReplacedText(*Asker, found, Rule);
            }
            if (text && FieldText() == before)
                ReplaceText(QString::fromStdString(*text));
        },
        Qt::QueuedConnection);
}

void GuideTextGuard::ReplaceText(const QString& text) {
    const QString now = FieldText();
    const qsizetype least = std::min(now.size(), text.size());
    qsizetype head = 0;
    while (head < least && now[head] == text[head])
        ++head;
    qsizetype tail = 0;
    while (tail < least - head && now[now.size() - 1 - tail] == text[text.size() - 1 - tail])
        ++tail;
    const QString piece = text.mid(head, text.size() - head - tail);
    const auto end = static_cast<int>(now.size() - tail);
    if (Line) {
        Line->deselect();
        Line->setCursorPosition(static_cast<int>(head));
        if (end > head)
            Line->setSelection(static_cast<int>(head), static_cast<int>(end - head));
        Line->insert(piece);
        return;
    }
    // An edit block of its own, so that undo takes it back apart from the typing before it.
    QTextCursor cursor(Plain->document());
    cursor.beginEditBlock();
    cursor.setPosition(static_cast<int>(head));
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.insertText(piece);
    cursor.endEditBlock();
    Plain->setTextCursor(cursor);
}

} // namespace dravenloom
