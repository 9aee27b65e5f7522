// The Logic View page ("Tree View"): the guide's structure as a tree over the core's
// LogicTree, with the record hint on a press, the jump on a double click and the context menu
// "Jump to record" / "Remove record" / "Expand all". A second column gives each node's record
// number and where a response goes.
#pragma once

#include "app/GuidePage.h"
#include "navigation/LogicTree.h"

#include <QPoint>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QModelIndex;
class QTreeView;

namespace dravenloom {

class GuideForm;
class LogicTreeModel;

inline constexpr const char* TreeViewHint = "Displays the structure of your guide.";

class LogicPage : public GuidePage {
    Q_OBJECT

public:
    // The tree follows `form.Tree` by itself: every rebuild and every new guide reach the view
    // through the model, so the window needs no call when the tree changes.
    explicit LogicPage(GuideForm& form, QWidget* parent = nullptr);
    ~LogicPage() override;

    // The view's selection follows the core's selected node.
    void Refresh() override;

    // The context menu's items enabled as the core says, as it opens.
    void PreparePopupMenu();
    // Opens the context menu at a screen position (modal until an item is chosen or it
    // closes).
    void ShowPopupMenu(const QPoint& globalPosition);
    // The record hint: shown with its bottom-right corner at a screen position.
    void ShowRecordHint(const QString& text, const QPoint& globalPosition);
    void HideRecordHint();

    QTreeView* TreeView1 = nullptr;
    LogicTreeModel* Model = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* JumpToRecord1 = nullptr;
    QAction* RemoveRecord1 = nullptr;
    QAction* ExpandAll1 = nullptr;
    QLabel* RecordHint = nullptr;

signals:
    // The author jumped to a record: the Edit View is the active page now.
    void JumpedToRecord();
    // "Remove record" was answered (removed or cancelled): the record shown, the counters and
    // the buttons may have changed.
    void RecordRemoved();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs one core command; a failure that escapes it gets the application's error report.
    void Run(const std::function<void()>& command);
    void Jump();
    void Remove();
    void ExpandAll();
    // After the model was reset: opens what the core has open and shows its selection.
    void ShowOpened();
    void CurrentChanged(const QModelIndex& current);

    GuideForm& Form;
};

} // namespace dravenloom
