// The wavy underline under misspelled words.
#include "app/SpellingHighlighter.h"

#include "document/Cp1252.h"
#include "spelling/SpellingSession.h"

#include <QTextDocument>

namespace dravenloom {

std::string SpellingBytes(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit == u'\n' || unit == 0x2028 || unit == 0x2029) {
            bytes += '\n';
        } else if (const auto byte = Cp1252FromCodePoint(unit); byte && !c.isSurrogate()) {
            bytes += static_cast<char>(*byte);
        } else {
            bytes += ' ';
        }
    }
    return bytes;
}

SpellingHighlighter::SpellingHighlighter(QTextDocument* document,
                                         std::function<SpellingSession*()> session)
    : QSyntaxHighlighter(document), Session(std::move(session)) {}

const std::vector<WordSpan>& SpellingHighlighter::Misspellings() {
    // The markup of a link may span lines, so the whole text is split, once per change.
    const QString text = document()->toPlainText();
    if (Checked && text == CheckedText)
        return Found;
    Found.clear();
    if (SpellingSession* session = Session ? Session() : nullptr)
        Found = session->Misspellings(SpellingBytes(text));
    CheckedText = text;
    Checked = true;
    return Found;
}

std::optional<WordSpan> SpellingHighlighter::MisspelledAt(int position) {
    if (position < 0)
        return std::nullopt;
    const auto place = static_cast<std::size_t>(position);
    for (const WordSpan& span : Misspellings()) {
        if (place >= span.Offset && place <= span.Offset + span.Length)
            return span;
    }
    return std::nullopt;
}

void SpellingHighlighter::Recheck() {
    Checked = false;
    rehighlight();
}

void SpellingHighlighter::highlightBlock(const QString& text) {
    const std::vector<WordSpan>& found = Misspellings();
    if (found.empty())
        return;
    QTextCharFormat wavy;
    wavy.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    wavy.setUnderlineColor(QColor(0xD0, 0x10, 0x10));
    const auto start = static_cast<std::size_t>(currentBlock().position());
    const std::size_t end = start + static_cast<std::size_t>(text.size());
    for (const WordSpan& span : found) {
        if (span.Offset + span.Length <= start || span.Offset >= end)
            continue;
        const std::size_t from = std::max(span.Offset, start);
        const std::size_t to = std::min(span.Offset + span.Length, end);
        setFormat(static_cast<int>(from - start), static_cast<int>(to - from), wavy);
    }
}

} // namespace dravenloom
