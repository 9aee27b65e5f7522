// The Edit View's spelling check: the menu, the underline and the context menu.
#include "app/EditSpelling.h"

#include "app/EditPage.h"
#include "app/GuideText.h"
#include "app/Guidecode.h"
#include "app/SpellingHighlighter.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <algorithm>

namespace dravenloom {
namespace {

constexpr int MostSuggestions = 8;

} // namespace

EditSpelling::EditSpelling(TGuideForm& window, SpellingPlaces places)
    : QObject(&window), Window(window),
      Spelling(window.Core().Settings, std::move(places.DictionaryFolders),
               std::move(places.PersonalWords)) {
    setObjectName(QStringLiteral("EditSpelling"));
    EditPage* page = window.EditViewPage();
    Fields.push_back(page->DialogueMemo);
    for (QPlainTextEdit* memo : page->Memos)
        Fields.push_back(memo);
    for (QPlainTextEdit* field : Fields)
        field->viewport()->installEventFilter(this);
    BuildMenu();
    Spelling.Read();
    FollowOptions();
}

void EditSpelling::BuildMenu() {
    QMenu* tools = new QMenu(QStringLiteral("&Tools"), &Window);
    tools->setObjectName(QStringLiteral("ToolsMenu"));
    // Before "&Help", which stays last.
    QMenuBar* bar = Window.menuBar();
    const QList<QAction*> menus = bar->actions();
    bar->insertMenu(menus.isEmpty() ? nullptr : menus.back(), tools);
    LanguageMenu = tools->addMenu(QStringLiteral("Spelling Language"));
    LanguageMenu->setObjectName(QStringLiteral("SpellingLanguage1"));
    CheckAsYouType1 = LanguageMenu->addAction(QStringLiteral("Check Spelling as You Type"));
    CheckAsYouType1->setObjectName(QStringLiteral("CheckAsYouType1"));
    CheckAsYouType1->setCheckable(true);
    LanguageMenu->addSeparator();
    Languages = new QActionGroup(this);
    Languages->setExclusive(true);
    connect(CheckAsYouType1, &QAction::triggered, this, [this](bool on) {
        Run([this, on] { Spelling.CheckAsYouTypeClick(on); });
    });
    // A dictionary installed while the program runs shows the next time the menu opens.
    connect(LanguageMenu, &QMenu::aboutToShow, this, [this] {
        Spelling.FindDictionaries();
        ShowMenu();
    });
}

void EditSpelling::ShowMenu() {
    for (QAction* action : Languages->actions()) {
        Languages->removeAction(action);
        LanguageMenu->removeAction(action);
        action->deleteLater();
    }
    CheckAsYouType1->setChecked(Spelling.CheckAsYouType());
    const std::string current = Spelling.Language();
    if (Spelling.Dictionaries().empty()) {
        QAction* none = LanguageMenu->addAction(QStringLiteral("(no dictionaries installed)"));
        none->setEnabled(false);
        Languages->addAction(none);
        return;
    }
    for (const DictionaryFiles& dictionary : Spelling.Dictionaries()) {
        const std::string language = dictionary.Language;
        QAction* action = LanguageMenu->addAction(QString::fromStdString(language));
        action->setCheckable(true);
        action->setChecked(language == current);
        Languages->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, language] { Run([this, &language] { Spelling.LanguageClick(language); }); });
    }
}

void EditSpelling::FollowOptions() {
    if (!Spelling.CheckAsYouType()) {
        // Off, the fields are as they always were: no highlighter on their documents at all.
        for (SpellingHighlighter* underline : Underlines)
            delete underline;
        Underlines.clear();
        return;
    }
    if (Underlines.empty()) {
        for (QPlainTextEdit* field : Fields)
            Underlines.push_back(new SpellingHighlighter(field->document(),
                                                         [this] { return Spelling.Check(); }));
    } else {
        RecheckAll();
    }
}

void EditSpelling::RecheckAll() {
    for (SpellingHighlighter* underline : Underlines)
        underline->Recheck();
}

void EditSpelling::Run(const std::function<void()>& command) {
    Window.Forward(command);
    FollowOptions();
    ShowMenu();
}

QMenu* EditSpelling::ContextMenu(QPlainTextEdit* field, const QPoint& position) {
    SpellingSession* session = Spelling.Check();
    const auto index = std::find(Fields.begin(), Fields.end(), field) - Fields.begin();
    if (!session || static_cast<std::size_t>(index) >= Underlines.size())
        return nullptr;
    const int place = field->cursorForPosition(position).position();
    const std::optional<WordSpan> span = Underlines[static_cast<std::size_t>(index)]->MisspelledAt(place);
    if (!span)
        return nullptr;
    const std::string word =
        SpellingBytes(field->toPlainText()).substr(span->Offset, span->Length);

    QMenu* menu = field->createStandardContextMenu();
    QAction* first = menu->actions().isEmpty() ? nullptr : menu->actions().front();
    const auto add = [menu, first](const QString& caption) {
        auto* action = new QAction(caption, menu);
        menu->insertAction(first, action);
        return action;
    };
    std::vector<std::string> suggestions = session->Suggestions(word);
    if (suggestions.size() > MostSuggestions)
        suggestions.resize(MostSuggestions);
    for (const std::string& suggestion : suggestions) {
        QAction* action = add(GuideToWidgetText(suggestion));
        QFont bold = action->font();
        bold.setBold(true);
        action->setFont(bold);
        const auto from = static_cast<int>(span->Offset);
        const auto to = static_cast<int>(span->Offset + span->Length);
        const QString replacement = GuideToWidgetText(suggestion);
        connect(action, &QAction::triggered, field, [field, from, to, replacement] {
            // An ordinary edit: the field's guard takes it to the record, and undo takes it back.
            QTextCursor cursor(field->document());
            cursor.setPosition(from);
            cursor.setPosition(to, QTextCursor::KeepAnchor);
            cursor.insertText(replacement);
        });
    }
    if (suggestions.empty())
        add(QStringLiteral("(no spelling suggestions)"))->setEnabled(false);
    menu->insertSeparator(first);
    QAction* ignore = add(QStringLiteral("Ignore"));
    ignore->setObjectName(QStringLiteral("IgnoreWord"));
    connect(ignore, &QAction::triggered, this, [this, word] {
        if (SpellingSession* check = Spelling.Check())
            check->Ignore(word);
        RecheckAll();
    });
    QAction* learn = add(QStringLiteral("Add to Dictionary"));
    learn->setObjectName(QStringLiteral("AddToDictionary"));
    connect(learn, &QAction::triggered, this, [this, word] {
        Window.Forward([this, &word] {
            if (SpellingSession* check = Spelling.Check())
                check->AddToDictionary(word);
        });
        RecheckAll();
    });
    if (first)
        menu->insertSeparator(first);
    return menu;
}

bool EditSpelling::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ContextMenu || !Spelling.CheckAsYouType())
        return false;
    auto* field = qobject_cast<QPlainTextEdit*>(watched->parent());
    if (!field)
        return false;
    const auto* request = static_cast<QContextMenuEvent*>(event);
    QMenu* menu = ContextMenu(field, request->pos());
    if (!menu)
        return false; // the field's own menu
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(request->globalPos());
    return true;
}

EditSpelling* AttachSpelling(TGuideForm& window, SpellingPlaces places) {
    return new EditSpelling(window, std::move(places));
}

} // namespace dravenloom
