// The spelling check of the Edit View: "Spelling Language" under "&Tools" (checking as the
// author types, off until turned on, and the installed languages), the wavy underline in the
// dialogue and response fields, and the suggestions, "Ignore" and "Add to Dictionary" at the top
// of a misspelled word's context menu.
//
//   AttachSpelling(window, {DictionaryFolders(executableDirectory), PersonalWordListPath()});
#pragma once

#include "shell/SpellingOptions.h"

#include <QObject>
#include <QPoint>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QMenu;
class QPlainTextEdit;

namespace dravenloom {

class SpellingHighlighter;
class TGuideForm;

struct SpellingPlaces {
    std::vector<std::filesystem::path> DictionaryFolders;
    std::string PersonalWords; // the personal word list's file, UTF-8
};

class EditSpelling : public QObject {
    Q_OBJECT

public:
    // Reads the stored choice; checking starts at once when the author left it on.
    EditSpelling(TGuideForm& window, SpellingPlaces places);

    // "Spelling Language", the submenu under "&Tools".
    QMenu* LanguageMenu = nullptr;
    QAction* CheckAsYouType1 = nullptr; // "Check Spelling as You Type"

    SpellingOptions& Options() { return Spelling; }
    // The context menu of `field` at `position` (in the field's viewport) with the spelling
    // entries on top, or none when no misspelled word is there. The caller owns it.
    QMenu* ContextMenu(QPlainTextEdit* field, const QPoint& position);
    // Underlines afresh in every field.
    void RecheckAll();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenu();
    // The languages, ticks and enabled states of the menu, from the options.
    void ShowMenu();
    // Underlines while checking is on, and nothing otherwise.
    void FollowOptions();
    // Runs a command through the window: a failure is reported, then everything refreshes.
    void Run(const std::function<void()>& command);

    TGuideForm& Window;
    SpellingOptions Spelling;
    std::vector<QPlainTextEdit*> Fields; // the dialogue, then Memo1..Memo6
    std::vector<SpellingHighlighter*> Underlines;
    QActionGroup* Languages = nullptr;
};

// Gives the window its spelling check and its menu (before "&Help"); the window owns it.
EditSpelling* AttachSpelling(TGuideForm& window, SpellingPlaces places);

} // namespace dravenloom
