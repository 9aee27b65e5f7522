// The pictures of the Edit View's spelling check.
#include "shots/SpellingShot.h"

#include "shots/ShotTools.h"

#include "app/EditPage.h"
#include "app/EditSpelling.h"
#include "app/Guidecode.h"
#include "spelling/Dictionaries.h"

#include <QMenu>
#include <QMenuBar>
#include <QTextCursor>

#include <memory>

namespace dravenloom::shots {

void ShootSpelling(Camera& camera, TGuideForm& window, EditSpelling* spelling) {
    window.ToolbarButtons.at(0)->trigger();
    const bool wasOn = spelling->Options().CheckAsYouType();
    if (!wasOn)
        spelling->CheckAsYouType1->trigger();
    if (!spelling->Options().CheckAsYouType()) {
        camera.Missed(QStringLiteral("edit-view-spelling"), QStringLiteral("no en_US dictionary"));
        return;
    }
    QPlainTextEdit* dialogue = window.EditViewPage()->DialogueMemo;
    dialogue->setFocus();
    dialogue->moveCursor(QTextCursor::End);
    dialogue->insertPlainText(QStringLiteral(" Chek the fuze first."));
    Settle(200);
    camera.Shoot(&window, QStringLiteral("edit-view-spelling"));

    QTextCursor onWord(dialogue->document());
    onWord.setPosition(static_cast<int>(dialogue->toPlainText().indexOf(QStringLiteral("fuze"))) +
                       2);
    const QPoint at = dialogue->cursorRect(onWord).center();
    std::unique_ptr<QMenu> menu(spelling->ContextMenu(dialogue, at));
    if (menu) {
        QTimer::singleShot(400, &window, [&camera, &window, &menu] {
            camera.ShootWithPopup(&window, menu.get(), QStringLiteral("spelling-context-menu"));
            menu->close();
        });
        menu->popup(dialogue->viewport()->mapToGlobal(at));
        Settle(800);
    } else {
        camera.Missed(QStringLiteral("spelling-context-menu"), QStringLiteral("no menu"));
    }

    QMenu* languages = spelling->LanguageMenu;
    QTimer::singleShot(400, &window, [&camera, &window, languages] {
        camera.ShootWithPopup(&window, languages, QStringLiteral("spelling-language-menu"));
        languages->close();
    });
    QMenu* toolsMenu = qobject_cast<QMenu*>(languages->parent());
    const QPoint under =
        toolsMenu ? window.menuBar()->actionGeometry(toolsMenu->menuAction()).bottomLeft()
                  : QPoint(0, 0);
    languages->popup(window.mapToGlobal(under));
    Settle(800);

    window.Undo1->trigger();
    if (!wasOn)
        spelling->CheckAsYouType1->trigger();
}

} // namespace dravenloom::shots
