// The wavy underline under misspelled words in one of the Edit View's text fields. It only
// formats the field's layout: the text, its undo steps and the guide's modified state stay
// as they were.
#pragma once

#include "spelling/SpellingWords.h"

#include <QString>
#include <QSyntaxHighlighter>

#include <functional>
#include <optional>
#include <vector>

namespace dravenloom {

class SpellingSession;

// A field's text as the bytes the splitter reads, one byte per character so that places agree:
// line breaks stay line breaks, a character the code page lacks reads as a blank.
std::string SpellingBytes(const QString& text);

class SpellingHighlighter : public QSyntaxHighlighter {
    Q_OBJECT

public:
    // `session` answers which check to use; none leaves the text plain.
    SpellingHighlighter(QTextDocument* document, std::function<SpellingSession*()> session);

    // The misspelled word at a place in the document (its start, or any place up to its end).
    std::optional<WordSpan> MisspelledAt(int position);
    // Checks the whole text again (after "Ignore", "Add to Dictionary" or another language).
    void Recheck();

protected:
    void highlightBlock(const QString& text) override;

private:
    // The misspelled words of the whole document, at document places.
    const std::vector<WordSpan>& Misspellings();

    std::function<SpellingSession*()> Session;
    QString CheckedText;
    bool Checked = false;
    std::vector<WordSpan> Found;
};

} // namespace dravenloom
