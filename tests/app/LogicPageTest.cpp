// Widget test of the Logic View page: the tree shows the core's LogicTree, fetches children on
// expansion, and forwards presses, double clicks and the context menu to the core.
#include "app/LogicPage.h"
#include "app/LogicTreeModel.h"
#include "document/RecordCodec.h"
#include "shell/GuideForm.h"
#include "support/MemorySettings.h"
#include "support/ScriptedPlatform.h"
#include "support/ShortLines.h"
#include "support/LadderGuide.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTreeView>

#include <gtest/gtest.h>

#include <iostream>

namespace dravenloom {
namespace {

class LogicPageTest : public ::testing::Test {
protected:
    LogicPageTest() : Form(Platform, Settings, ".") {
        Form.FormCreate({});
        Form.Document.Records.Lines = {
            P(1, "Start \xE9t\xE9"), R(1, "Left", "2"), R(1, "Right", "3"), P(2, "Two"),
            R(2, "On", "3"),         P(3, "Three"),     P(4, "Four"),       R(4, "Back", "1")};
        Form.Document.RecordCount = 4;
        Form.Editor.LoadRecord();
        Page = std::make_unique<LogicPage>(Form);
        Page->resize(620, 358);
        Page->show();
        QObject::connect(Page.get(), &LogicPage::JumpedToRecord, [this] { ++Jumps; });
        QObject::connect(Page.get(), &LogicPage::RecordRemoved, [this] { ++Removals; });
    }

    QTreeView& View() { return *Page->TreeView1; }
    LogicTreeModel& Model() { return *Page->Model; }
    QModelIndex Root() { return Model().index(0, 0); }
    // Expands as a click on the branch does; the view lays itself out (and fetches) at once.
    void Expand(const QModelIndex& index) {
        View().expand(index);
        View().visualRect(index);
    }

    void Mouse(QEvent::Type type, Qt::MouseButton button, const QModelIndex& index) {
        const QPoint local = View().visualRect(index).center();
        const QPoint global = View().viewport()->mapToGlobal(local);
        QMouseEvent event(type, QPointF(local), QPointF(global), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : button,
                          Qt::NoModifier);
        QApplication::sendEvent(View().viewport(), &event);
    }
    QPoint GlobalCentre(const QModelIndex& index) {
        return View().viewport()->mapToGlobal(View().visualRect(index).center());
    }

    ScriptedPlatform Platform;
    MemorySettings Settings;
    GuideForm Form;
    std::unique_ptr<LogicPage> Page;
    int Jumps = 0;
    int Removals = 0;
};

TEST_F(LogicPageTest, ShowsTheCoreTreeAndFetchesChildrenOnExpansion) {
    EXPECT_EQ(View().indentation(), 19);
    EXPECT_EQ(View().toolTip(), QStringLiteral("Displays the structure of your guide."));
    EXPECT_EQ(Model().rowCount(), 0);

    Form.ToolbarButton972Click();
    ASSERT_EQ(Model().rowCount(), 1);
    EXPECT_EQ(Root().data().toString(), QStringLiteral("Start \u00E9t\u00E9"));
    EXPECT_FALSE(Root().data(Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_FALSE(Model().flags(Root()) & Qt::ItemIsEditable);
    // Collapsed, its children not made yet, but known to be there.
    EXPECT_FALSE(View().isExpanded(Root()));
    EXPECT_EQ(Model().rowCount(Root()), 0);
    EXPECT_TRUE(Model().hasChildren(Root()));

    // Redrawing is suspended while the children arrive, and resumed afterwards.
    std::vector<bool> drawingWhileInserting;
    QObject::connect(&Model(), &QAbstractItemModel::rowsAboutToBeInserted,
                     [&] { drawingWhileInserting.push_back(View().updatesEnabled()); });
    Expand(Root());
    EXPECT_EQ(drawingWhileInserting, std::vector<bool>{false});
    ASSERT_EQ(Model().rowCount(Root()), 2);
    const QModelIndex left = Model().index(0, 0, Root());
    EXPECT_EQ(left.data().toString(), QStringLiteral("Left"));
    EXPECT_EQ(Model().parent(left), Root());
    EXPECT_TRUE(View().updatesEnabled());
    Expand(left);
    const QModelIndex two = Model().index(0, 0, left);
    EXPECT_EQ(two.data().toString(), QStringLiteral("Two"));
    EXPECT_EQ(Form.Tree.NodeCount(), 4u);

    // A rebuild opens again what was open, with the new captions.
    Form.Editor.DialogueMemoChange("Begin");
    Form.ToolbarButton972Click();
    ASSERT_EQ(Model().rowCount(), 1);
    EXPECT_EQ(Root().data().toString(), QStringLiteral("Begin"));
    EXPECT_TRUE(View().isExpanded(Root()));
    ASSERT_EQ(Model().rowCount(Root()), 2);
    EXPECT_TRUE(View().isExpanded(Model().index(0, 0, Root())));
    EXPECT_FALSE(View().isExpanded(Model().index(1, 0, Root())));
    EXPECT_EQ(Model().index(0, 0, Model().index(0, 0, Root())).data().toString(),
              QStringLiteral("Two"));

    // A new guide empties it.
    Platform.MessageAnswers.push_back(MsgAnswer::No); // no saving first
    Form.Files.NewGuide1Click();
    EXPECT_EQ(Model().rowCount(), 0);
}

TEST_F(LogicPageTest, PressSelectsAndShowsTheRecordHintUntilRelease) {
    Form.ToolbarButton972Click();
    Expand(Root());
    const QModelIndex right = Model().index(1, 0, Root());

    Mouse(QEvent::MouseButtonPress, Qt::LeftButton, right);
    ASSERT_TRUE(Form.Tree.Selected);
    EXPECT_EQ(Model().IndexOf(*Form.Tree.Selected), right);
    EXPECT_EQ(View().currentIndex(), right);
    ASSERT_TRUE(Page->RecordHint->isVisible());
    EXPECT_EQ(Page->RecordHint->text(), QStringLiteral("Record 1"));
    // Its bottom-right corner is at the pointer.
    const QRect hint = Page->RecordHint->frameGeometry();
    EXPECT_EQ(QPoint(hint.right() + 1, hint.bottom() + 1), GlobalCentre(right));
    EXPECT_LE(Page->RecordHint->width(), 50 + 2 * (3 + Page->RecordHint->frameWidth()));
    Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, right);
    EXPECT_FALSE(Page->RecordHint->isVisible());

    // The right button selects without a hint; the middle one does nothing.
    Mouse(QEvent::MouseButtonPress, Qt::RightButton, Root());
    EXPECT_EQ(Form.Tree.Selected, Form.Tree.Root());
    EXPECT_FALSE(Page->RecordHint->isVisible());
    Mouse(QEvent::MouseButtonRelease, Qt::RightButton, Root());
    Mouse(QEvent::MouseButtonPress, Qt::MiddleButton, right);
    EXPECT_EQ(Form.Tree.Selected, Form.Tree.Root());
    EXPECT_EQ(View().currentIndex(), Root());

    // Moving through the tree by keyboard moves the core's selection too.
    View().setCurrentIndex(right);
    EXPECT_EQ(Model().IndexOf(*Form.Tree.Selected), right);
}

TEST_F(LogicPageTest, ContextMenuAndDoubleClickReachTheCore) {
    Form.ToolbarButton972Click();
    Page->PreparePopupMenu();
    EXPECT_FALSE(Page->JumpToRecord1->isEnabled());
    EXPECT_FALSE(Page->RemoveRecord1->isEnabled());

    Expand(Root());
    const QModelIndex left = Model().index(0, 0, Root());
    Expand(left);
    const QModelIndex two = Model().index(0, 0, left);
    Mouse(QEvent::MouseButtonPress, Qt::RightButton, two);
    Page->PreparePopupMenu();
    EXPECT_TRUE(Page->JumpToRecord1->isEnabled());
    EXPECT_TRUE(Page->RemoveRecord1->isEnabled());

    // Remove record 2 from the menu: the tree is rebuilt at once.
    Platform.MessageAnswers.push_back(MsgAnswer::Ok);
    Page->RemoveRecord1->trigger();
    EXPECT_EQ(Removals, 1);
    EXPECT_EQ(Form.Document.RecordCount, 3);
    EXPECT_EQ(Form.Document.Records.Lines[1], R(1, "Left"));
    // Record 1 stays open; "Left" lost its jump and with it the selected record node.
    ASSERT_EQ(Model().rowCount(), 1);
    EXPECT_TRUE(View().isExpanded(Root()));
    EXPECT_EQ(Model().rowCount(Root()), 2);
    EXPECT_FALSE(Model().hasChildren(Model().index(0, 0, Root())));
    EXPECT_FALSE(Form.Tree.Selected);
    EXPECT_FALSE(View().currentIndex().isValid());

    // Double click on "Right" (now jumping to record 2, the old record 3): the owning record 1
    // is shown in the Edit View.
    Expand(Root());
    const QModelIndex right = Model().index(1, 0, Root());
    Mouse(QEvent::MouseButtonPress, Qt::LeftButton, right);
    Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, right);
    Mouse(QEvent::MouseButtonDblClick, Qt::LeftButton, right);
    EXPECT_EQ(Jumps, 1);
    EXPECT_EQ(Form.Pages.ActivePage, Page::EditView);
    EXPECT_EQ(Form.Document.CurrentRecord, 1);
    EXPECT_EQ(Form.View.DialogueMemo.Text, "Start \xE9t\xE9");
}

TEST_F(LogicPageTest, DamagedTargetFailsWhenItsRecordIsOpenedAfterTheRowsAreIn) {
    // Record 2's only response jumps to something that is not a number.
    Form.Document.Records.Lines[4] = R(2, "On", "x");
    Form.Editor.DialogueMemoChange("Start");
    Form.ToolbarButton972Click();
    ASSERT_EQ(Model().rowCount(), 1);
    Expand(Root());
    const QModelIndex left = Model().index(0, 0, Root());
    Expand(left);
    const QModelIndex two = Model().index(0, 0, left);
    EXPECT_TRUE(Platform.Messages.empty());
    // The box runs an event loop of its own: by then the view has been told of the new rows.
    bool inserted = false;
    bool insertedWhenAsked = false;
    QObject::connect(&Model(), &QAbstractItemModel::rowsInserted, [&] { inserted = true; });
    Platform.OnMessage = [&](const MessageRequest&) { insertedWhenAsked = inserted; };
    Expand(two);
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0].Text, TreeFailureMessage);
    EXPECT_TRUE(insertedWhenAsked);
    ASSERT_EQ(Model().rowCount(two), 1);
    EXPECT_EQ(Model().index(0, 0, two).data().toString(), QStringLiteral("On"));
    EXPECT_FALSE(Model().hasChildren(Model().index(0, 0, two)));
    EXPECT_TRUE(View().updatesEnabled());
}

TEST_F(LogicPageTest, SecondColumnGivesRecordsAndJumpsBesideTheUnchangedCaptions) {
    Form.ToolbarButton972Click();
    Expand(Root());
    const QModelIndex left = Model().index(0, 0, Root());
    Expand(left);
    const QModelIndex two = Model().index(0, 0, left);
    EXPECT_EQ(Model().columnCount(), 2);
    EXPECT_EQ(Model().index(0, 1).data().toString(), QStringLiteral("1"));
    EXPECT_EQ(Model().index(0, 1, Root()).data().toString(), QStringLiteral("1 \u2192 2"));
    EXPECT_EQ(Model().index(0, 1, left).data().toString(), QStringLiteral("2"));
    Expand(two);
    EXPECT_EQ(Model().index(0, 1, two).data().toString(), QStringLiteral("2 \u2192 3"));
    // The caption column keeps its text and picture; the second column has neither picture
    // nor children of its own.
    EXPECT_EQ(left.data().toString(), QStringLiteral("Left"));
    EXPECT_TRUE(Model().index(0, 1, Root()).data(Qt::DecorationRole).isNull());
    EXPECT_FALSE(Model().hasChildren(Model().index(0, 1, Root())));
    EXPECT_EQ(Model().index(0, 1, Root()).parent(), Root());

    // The caption column takes the width the page has; the record column is fixed and wide
    // enough for two five-digit numbers.
    const QHeaderView* header = View().header();
    EXPECT_FALSE(header->isHidden());
    EXPECT_EQ(header->sectionResizeMode(0), QHeaderView::Stretch);
    EXPECT_EQ(header->sectionResizeMode(1), QHeaderView::Fixed);
    EXPECT_GE(header->sectionSize(1),
              View().fontMetrics().horizontalAdvance(QStringLiteral("99999 missing 99999")));
    EXPECT_EQ(header->sectionSize(0) + header->sectionSize(1), View().viewport()->width());
    const int captionWidth = header->sectionSize(0);
    Page->resize(900, 500);
    EXPECT_EQ(header->sectionSize(0), captionWidth + 280);
}

TEST_F(LogicPageTest, RebuildKeepsTheSelectedNodeInTheView) {
    Form.ToolbarButton972Click();
    Expand(Root());
    const QModelIndex right = Model().index(1, 0, Root());
    Mouse(QEvent::MouseButtonPress, Qt::LeftButton, right);
    Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, right);
    Form.Editor.DialogueMemoChange("Begin");
    Form.ToolbarButton972Click();
    ASSERT_TRUE(Form.Tree.Selected);
    EXPECT_EQ(Form.Tree.Caption(*Form.Tree.Selected), "Right");
    EXPECT_EQ(View().currentIndex(), Model().index(1, 0, Root()));
    EXPECT_TRUE(View().selectionModel()->isSelected(Model().index(1, 0, Root())));
}


// Every index below `parent` that has children, expanded or not.
void CheckAllOpen(QTreeView& view, QAbstractItemModel& model, const QModelIndex& parent,
                  int& open) {
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex child = model.index(row, 0, parent);
        if (!model.hasChildren(child))
            continue;
        EXPECT_TRUE(view.isExpanded(child)) << child.data().toString().toStdString();
        ++open;
        CheckAllOpen(view, model, child, open);
    }
}

TEST_F(LogicPageTest, ExpandAllOpensTheWholeTreeFromTheContextMenu) {
    EXPECT_EQ(Page->PopupMenu1->actions().size(), 4); // two items, a separator, Expand all
    EXPECT_TRUE(Page->PopupMenu1->actions()[2]->isSeparator());
    EXPECT_EQ(Page->ExpandAll1->text(), QStringLiteral("Expand all"));
    Form.ToolbarButton972Click();
    Page->PreparePopupMenu();
    EXPECT_TRUE(Page->ExpandAll1->isEnabled());
    Page->ExpandAll1->trigger();
    EXPECT_TRUE(View().isExpanded(Root()));
    int open = 0;
    CheckAllOpen(View(), Model(), Root(), open);
    EXPECT_EQ(open, 4); // "Left", record 2 and its "On" (to record 3), and "Right"
    EXPECT_TRUE(Platform.Messages.empty());
    EXPECT_TRUE(View().updatesEnabled());
}

TEST_F(LogicPageTest, ExpandAllOnAHugeTreeStopsAtTheBudgetInOneReset) {
    Form.Document.Records.Lines = Ladder(40);
    Form.Document.RecordCount = 40;
    Form.Editor.LoadRecord();
    Form.Editor.DialogueMemoChange("Step 1");
    Form.ToolbarButton972Click();
    Platform.DefaultAnswer = MsgAnswer::Ok;
    int resets = 0;
    int inserts = 0;
    QObject::connect(&Model(), &QAbstractItemModel::modelReset, [&] { ++resets; });
    QObject::connect(&Model(), &QAbstractItemModel::rowsInserted, [&] { ++inserts; });
    QElapsedTimer clock;
    clock.start();
    Page->ExpandAll1->trigger();
    View().visualRect(Root()); // the view lays itself out
    View().viewport()->repaint();
    const qint64 took = clock.elapsed();
    std::cout << "[ figures  ] Expand all in the view: " << Form.Tree.NodeCount()
              << " nodes, one reset, laid out and painted in " << took << " ms\n";
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(inserts, 0);
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0].Text, ExpandAllStoppedMessage);
    EXPECT_LE(Form.Tree.NodeCount(), LogicTree::ExpandAllBudget);
    // Every node the core opened is open in the view, and its rows are there.
    std::size_t open = 0;
    for (LogicTree::NodeId node = 0; node < Form.Tree.NodeCount(); ++node) {
        if (!Form.Tree.IsExpanded(node))
            continue;
        ++open;
        const QModelIndex index = Model().IndexOf(node);
        ASSERT_TRUE(View().isExpanded(index)) << node;
        ASSERT_EQ(Model().rowCount(index), static_cast<int>(Form.Tree.Children(node).size()));
    }
    EXPECT_GT(open, 40000u);
    // Collapsing a node by hand is noted, so that a rebuild keeps it closed.
    View().collapse(Root());
    EXPECT_FALSE(Form.Tree.IsExpanded(Form.Tree.Root()));
}

TEST_F(LogicPageTest, FailedBuildLeavesTheViewEmpty) {
    Form.ToolbarButton972Click();
    ASSERT_EQ(Model().rowCount(), 1);
    Form.Document.Records.Lines.push_back("broken");
    Form.Editor.DialogueMemoChange("Changed");
    Form.ToolbarButton972Click();
    EXPECT_EQ(Model().rowCount(), 0);
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0].Text, TreeFailureMessage);
    EXPECT_TRUE(View().updatesEnabled());
}

} // namespace
} // namespace dravenloom
