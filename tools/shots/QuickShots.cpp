// The pictures of the recent guides and of the number question.
#include "shots/QuickShots.h"

#include "app/Guidecode.h"
#include "shots/ShotTools.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace dravenloom::shots {

void ShootQuickItems(Camera& camera, TGuideForm& window) {
    QMenu* file = window.FileMenu;
    const QRect title = window.menuBar()->actionGeometry(file->menuAction());
    file->popup(window.menuBar()->mapToGlobal(title.bottomLeft()));
    Settle(300);
    camera.Shoot(file, QStringLiteral("file-menu-recent"));
    file->hide();

    QTimer::singleShot(300, &window, [&camera] {
        if (QWidget* shown = QApplication::activeModalWidget()) {
            camera.Shoot(shown, QStringLiteral("go-to-record"));
            shown->close();
        } else {
            camera.Missed(QStringLiteral("go-to-record"), QStringLiteral("no question came up"));
        }
    });
    window.GoToRecord1->trigger();
}

} // namespace dravenloom::shots
