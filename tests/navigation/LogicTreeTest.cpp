// The Logic View's tree: captions, images, record numbers and order against the eagerly built
// reference, lazy expansion, the rebuild rule, failures, presses, the context menu and jumps.
#include "navigation/LogicTree.h"
#include "navigation/EagerLogicTree.h"
#include "support/EditorFixture.h"
#include "support/LadderGuide.h"
#include "support/ScriptedPlatform.h"
#include "support/ShortLines.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace dravenloom {
namespace {

// Records a tree's reset notifications.
struct ResetLog : LogicTreeObserver {
    std::vector<std::string> Events;
    void TreeResetting() override { Events.push_back("resetting"); }
    void TreeReset() override { Events.push_back("reset"); }
};

class TreeOnly : public ::testing::Test {
protected:
    void Build(std::vector<std::string> lines) {
        Document.Records.Lines = std::move(lines);
        Tree.Build();
    }

    ScriptedPlatform Platform;
    GuideDocument Document;
    LogicTree Tree{Document, Platform};
};

TEST(NodeCaptionTest, CutsLongTextsThenAtTheFirstLineBreak) {
    const std::string a100(100, 'a');
    EXPECT_EQ(NodeCaption(""), "");
    EXPECT_EQ(NodeCaption("Is it on?"), "Is it on?");
    EXPECT_EQ(NodeCaption(a100), a100);
    EXPECT_EQ(NodeCaption(a100 + "b"), std::string(97, 'a') + "...");
    EXPECT_EQ(NodeCaption(std::string(150, 'x')), std::string(97, 'x') + "...");
    EXPECT_EQ(NodeCaption("Is it on?\r\nLook at the light."), "Is it on?...");
    EXPECT_EQ(NodeCaption("\r\nsecond"), "...");
    // Both cuts, in that order: the break within the first 97 characters wins.
    EXPECT_EQ(NodeCaption("short\r\n" + std::string(120, 'y')), "short...");
    // A break past the 97th character is cut away with the rest.
    EXPECT_EQ(NodeCaption(std::string(98, 'z') + "\r\n" + std::string(10, 'z')),
              std::string(97, 'z') + "...");
    // The length cut may split a pair: its CR stays, as a lone CR is no line break.
    EXPECT_EQ(NodeCaption(std::string(96, 'q') + "\r\n" + std::string(10, 'q')),
              std::string(96, 'q') + "\r...");
    // A lone CR or LF is no line break.
    EXPECT_EQ(NodeCaption("a\rb\nc"), "a\rb\nc");
}

// The outline LogicTreeOutline writes, from LogicTree::Walk.
std::string WalkedOutline(const LogicTree& tree, int maxDepth) {
    std::string out;
    tree.Walk(maxDepth, [&](const LogicTree::WalkStep& step) {
        out += OutlineLine(step.Depth, step.Image, step.RecordNumber, Cp1252ToUtf8(step.Caption));
        out += '\n';
        return true;
    });
    return out;
}

struct GuideCase {
    const char* Name;
    std::vector<std::string> Lines;
};

class LazyEqualsEager : public ::testing::TestWithParam<GuideCase> {};

TEST_P(LazyEqualsEager, SameCaptionsImagesNumbersOrderAndExpandability) {
    ScriptedPlatform platform;
    GuideDocument document;
    document.Records.Lines = GetParam().Lines;
    LogicTree tree(document, platform);
    tree.Build();
    ASSERT_TRUE(platform.Messages.empty());
    const EagerLogicTree eager(document.Records);
    EXPECT_EQ(MarkedOutline(tree, 64), eager.Outline(64, true));
    // The walk that makes no nodes meets the same ones, at every depth limit.
    for (int depth : {0, 1, 2, 3, 5, 64})
        EXPECT_EQ(WalkedOutline(tree, depth), eager.Outline(depth)) << "depth " << depth;
}

INSTANTIATE_TEST_SUITE_P(
    SmallGuides, LazyEqualsEager,
    ::testing::Values(
        GuideCase{"OneRecord", {P(1, "Welcome")}},
        GuideCase{"SharedTarget",
                  {P(1, "Start"), R(1, "A", "2"), R(1, "B", "3"), P(2, "Two"), R(2, "On", "3"),
                   P(3, "Three")}},
        GuideCase{"BackAndSelfJumps",
                  {P(1, "One"), R(1, "go", "2"), P(2, "Two"), R(2, "again", "1"), R(2, "stay", "2"),
                   R(2, "on", "3"), P(3, "Three"), R(3, "home", "1")}},
        GuideCase{"MissingTargetsAndEmptyLinks",
                  {P(1, "One"), R(1, "far", "9"), R(1, "none"), R(1, "next", "2"), P(2, "Two"),
                   R(2, "gap", "4"), P(3, "Three")}},
        GuideCase{"LongAndTwoLineCaptions",
                  {P(1, std::string(150, 'd')), R(1, "first\r\nsecond", "2"),
                   P(2, "line one\r\nline two"), R(2, std::string(101, 'r'))}},
        GuideCase{"SixResponsesAndDiamonds",
                  {P(1, "Hub"), R(1, "a", "2"), R(1, "b", "3"), R(1, "c", "4"), R(1, "d", "5"),
                   R(1, "e", "5"), R(1, "f", "6"), P(2, "Two"), R(2, "x", "4"), P(3, "Three"),
                   R(3, "y", "4"), R(3, "z", "6"), P(4, "Four"), R(4, "w", "5"), P(5, "Five"),
                   R(5, "v", "6"), P(6, "Six")}},
        GuideCase{"FirstLineIsNotRecordOne", {P(2, "Two first"), R(2, "x", "3"), P(3, "Three")}},
        GuideCase{
            "LeadingZeroAndSignedTargets",
            {P(1, "One"), R(1, "zero", "02"), R(1, "plus", "+3"), P(2, "Two"), P(3, "Three")}},
        GuideCase{"Ladder", Ladder(9)},
        // Hand-edited files: the records are found by number however they stand, and a
        // record whose lines come again further on is its first run.
        GuideCase{"RecordsOutOfOrder",
                  {P(1, "One"), R(1, "to three", "3"), R(1, "to two", "2"), P(3, "Three"),
                   R(3, "to four", "4"), P(2, "Two"), R(2, "to three", "3"), P(4, "Four")}},
        GuideCase{"RecordRepeatedFurtherOn",
                  {P(1, "One"), R(1, "a", "2"), P(2, "Two first"), R(2, "b", "3"), P(3, "Three"),
                   P(2, "Two again"), R(2, "c", "3"), R(2, "d", "3")}},
        GuideCase{"GapsInTheNumbering",
                  {P(1, "One"), R(1, "a", "5"), R(1, "b", "3"), P(3, "Three"), R(3, "c", "5"),
                   R(3, "d", "4"), P(5, "Five")}}),
    [](const ::testing::TestParamInfo<GuideCase>& info) { return info.param.Name; });

TEST_F(TreeOnly, SharedTargetShowsItsBranchUnderEveryJump) {
    Build({P(1, "Start"), R(1, "A", "2"), R(1, "B", "3"), P(2, "Two"), R(2, "On", "3"),
           P(3, "Three")});
    EXPECT_EQ(LogicTreeOutline(Tree, 10), "[0] Start #1\n"
                                          "  [1] A #1\n"
                                          "    [0] Two #2\n"
                                          "      [1] On #2\n"
                                          "        [2] Three #3\n"
                                          "  [1] B #1\n"
                                          "    [2] Three #3\n");
}

TEST_F(TreeOnly, EdgeNodesOfThePictureOfAGuide) {
    Build({P(1, "Welcome")});
    EXPECT_EQ(LogicTreeOutline(Tree, 10), "[0] Welcome #1\n");
    EXPECT_FALSE(Tree.HasChildren(Tree.Root()));

    // A jump back, a jump to a record that does not exist, and a response of record 4: image
    // 0 and no children; the response carries its own record's number.
    Build({P(1, "One"), R(1, "ahead", "3"), R(1, "nowhere", "9"), P(2, "Two"), P(3, "Three"),
           R(3, "back", "1"), R(3, "on", "4"), P(4, "Four"), R(4, "last")});
    EXPECT_EQ(LogicTreeOutline(Tree, 10), "[0] One #1\n"
                                          "  [1] ahead #1\n"
                                          "    [0] Three #3\n"
                                          "      [0] back #3\n"
                                          "      [1] on #3\n"
                                          "        [0] Four #4\n"
                                          "          [0] last #4\n"
                                          "  [0] nowhere #1\n");
}

TEST_F(TreeOnly, OpensCollapsedWithEveryNodeKnownBeforeItsChildrenAreMade) {
    Build({P(1, "One"), R(1, "to two", "2"), R(1, "to nine", "9"), P(2, "Two")});
    ASSERT_FALSE(Tree.Empty());
    EXPECT_EQ(Tree.NodeCount(), 1u);
    const auto root = Tree.Root();
    EXPECT_EQ(Tree.Kind(root), TreeNodeKind::Root);
    EXPECT_FALSE(Tree.ChildrenBuilt(root));
    EXPECT_EQ(Tree.ChildCount(root), 2u);
    EXPECT_TRUE(Tree.Children(root).empty());

    Tree.Expand(root);
    ASSERT_EQ(Tree.Children(root).size(), 2u);
    const auto toTwo = Tree.Children(root)[0];
    const auto toNine = Tree.Children(root)[1];
    EXPECT_EQ(Tree.Kind(toTwo), TreeNodeKind::Response);
    EXPECT_EQ(Tree.Image(toTwo), 1);
    EXPECT_EQ(Tree.Image(toNine), 0);
    EXPECT_FALSE(Tree.HasChildren(toNine));
    EXPECT_EQ(*Tree.Parent(toNine), root);
    EXPECT_EQ(Tree.Row(toNine), 1u);
    EXPECT_FALSE(Tree.Parent(root));
    EXPECT_EQ(Tree.NodeCount(), 3u);

    // Expanding again makes nothing twice.
    Tree.Expand(root);
    EXPECT_EQ(Tree.NodeCount(), 3u);
    Tree.Expand(toTwo);
    ASSERT_EQ(Tree.Children(toTwo).size(), 1u);
    const auto two = Tree.Children(toTwo)[0];
    EXPECT_EQ(Tree.Kind(two), TreeNodeKind::Record);
    EXPECT_EQ(Tree.Image(two), 2);
    EXPECT_EQ(Tree.RecordNumber(two), 2);
    EXPECT_EQ(Tree.Caption(two), "Two");
}

TEST_F(TreeOnly, KeepsThePictureItWasBuiltFromUntilTheNextBuild) {
    Build({P(1, "One"), R(1, "go", "2"), P(2, "Two"), R(2, "on", "3"), P(3, "Three")});
    Document.Records.Lines = {P(1, "Changed"), P(2, "Other")};
    EXPECT_EQ(LogicTreeOutline(Tree, 10), "[0] One #1\n"
                                          "  [1] go #1\n"
                                          "    [0] Two #2\n"
                                          "      [1] on #2\n"
                                          "        [2] Three #3\n");
    Tree.Build();
    EXPECT_EQ(LogicTreeOutline(Tree, 10), "[0] Changed #1\n");
}

TEST_F(TreeOnly, UnreadableGuideShowsTheFailureAndLeavesTheTreeEmpty) {
    const std::vector<std::vector<std::string>> broken = {
        {P(1, "One"), R(1, "go", "2"), "x\xA4Two\xB6\xAA\xB1\x80no"}, // number not a number
        {P(1, "One"), R(1, "go", "2"), "no mark at all"},
        {}, // nothing to show as a root
    };
    for (const auto& lines : broken) {
        Build({P(1, "Fine"), R(1, "ok", "2"), P(2, "Two")});
        Tree.Select(Tree.Root());
        Platform.ClearRecords();
        ResetLog log;
        Tree.AddObserver(&log);
        Build(lines);
        Tree.RemoveObserver(&log);
        EXPECT_TRUE(Tree.Empty());
        EXPECT_FALSE(Tree.Selected);
        EXPECT_EQ(Document.Records.Lines, lines);
        EXPECT_EQ(LogicTreeOutline(Tree, 10), "");
        ASSERT_EQ(Platform.Messages.size(), 1u);
        EXPECT_EQ(Platform.Messages[0],
                  (MessageRequest{"Error", TreeFailureMessage, MsgButtons::Ok, MsgIcon::None}));
        // The views are whole again and the pointer normal before the box comes up.
        EXPECT_EQ(log.Events, (std::vector<std::string>{"resetting", "reset"}));
        EXPECT_EQ(Platform.Events,
                  (std::vector<std::string>{"pointer:busy", "pointer:normal", "message:Error"}));
    }
    // The exact failure text, double "has" included.
    EXPECT_STREQ(TreeFailureMessage, "Dravenloom has has encountered an unrecoverable error "
                                     "during operation. Please contact Korvessa.");
}

TEST_F(TreeOnly, TargetThatIsNoNumberOnlyFailsWhereItsRecordIsOpened) {
    // Record 3 is reached by no jump: its damaged target never stops the tree.
    Build({P(1, "One"), R(1, "go", "2"), P(2, "Two"), P(3, "Lost"), R(3, "odd", "x")});
    EXPECT_EQ(LogicTreeOutline(Tree, 10), "[0] One #1\n"
                                          "  [1] go #1\n"
                                          "    [2] Two #2\n");
    EXPECT_TRUE(Platform.Messages.empty());
    EXPECT_FALSE(Tree.UnreadableTarget());

    // Record 2 is reached: the tree is built and opens down to it; opening it shows the
    // failure once, with its responses in place and the damaged one without a jump.
    Build({P(1, "One"), R(1, "go", "2"), P(2, "Two"), R(2, "odd", "x"), R(2, "on", "3"),
           P(3, "Three")});
    ASSERT_FALSE(Tree.Empty());
    Tree.Expand(Tree.Root());
    const auto go = Tree.Children(Tree.Root()).at(0);
    Tree.Expand(go);
    const auto two = Tree.Children(go).at(0);
    EXPECT_TRUE(Platform.Messages.empty());
    Tree.Expand(two);
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0],
              (MessageRequest{"Error", TreeFailureMessage, MsgButtons::Ok, MsgIcon::None}));
    EXPECT_EQ(Tree.UnreadableTarget(), std::optional<std::size_t>(3));
    ASSERT_EQ(Tree.Children(two).size(), 2u);
    EXPECT_EQ(Tree.Image(Tree.Children(two)[0]), 0);
    EXPECT_FALSE(Tree.HasChildren(Tree.Children(two)[0]));
    EXPECT_EQ(Tree.Image(Tree.Children(two)[1]), 1);
    // Opened once, it is not asked about again; a rebuild forgets the failure.
    Tree.Expand(two);
    EXPECT_EQ(Platform.Messages.size(), 1u);
    Tree.Build();
    EXPECT_FALSE(Tree.UnreadableTarget());
}

TEST_F(TreeOnly, LadderOpensTenLevelsDeepAtOnce) {
    Build(Ladder(60));
    const auto start = std::chrono::steady_clock::now();
    // Ten record levels are twenty tree levels: every record node has two responses.
    int deepest = 0;
    std::vector<std::int32_t> deepRecords;
    VisitLogicTree(Tree, 20, [&](LogicTree::NodeId node, int depth) {
        deepest = std::max(deepest, depth);
        if (depth == 20)
            deepRecords.push_back(Tree.RecordNumber(node));
    });
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::seconds(1));
    EXPECT_EQ(deepest, 20);
    // 2^10 record nodes at the tenth level, from 1 + 10 (always one step) to 1 + 20.
    ASSERT_EQ(deepRecords.size(), 1024u);
    EXPECT_EQ(deepRecords.front(), 11);
    EXPECT_EQ(deepRecords.back(), 21);
    // 2047 record nodes and 2046 response nodes, and nothing made below the last level.
    EXPECT_EQ(Tree.NodeCount(), 4093u);
}

TEST_F(TreeOnly, WalkKeepsNoNodesAndStopsWhenAsked) {
    // Sixty records that each jump to the next two: billions of nodes at depth 200.
    Build(Ladder(60));
    std::int64_t seen = 0;
    int deepest = 0;
    Tree.Walk(200, [&](const LogicTree::WalkStep& step) {
        deepest = std::max(deepest, step.Depth);
        return ++seen < 300000;
    });
    EXPECT_EQ(seen, 300000);
    // Depth first: the first path goes down the whole ladder, record 1 to 60 by single steps.
    EXPECT_EQ(deepest, 118);
    EXPECT_EQ(Tree.NodeCount(), 1u);
    EXPECT_TRUE(Platform.Messages.empty());
}

TEST_F(TreeOnly, WalkStopsAtATargetThatIsNoNumberWhereItsRecordIsOpened) {
    Build({P(1, "One"), R(1, "go", "2"), P(2, "Two"), R(2, "odd", "x"), P(3, "Lost"),
           R(3, "bad", "y")});
    std::vector<std::string> met;
    const auto walk = [&](int depth) {
        met.clear();
        Tree.Walk(depth, [&](const LogicTree::WalkStep& step) {
            met.push_back(std::string(step.Caption));
            return true;
        });
    };
    // Down to record 2's node, nothing is opened that holds the damage.
    walk(2);
    EXPECT_EQ(met, (std::vector<std::string>{"One", "go", "Two"}));
    try {
        walk(3);
        ADD_FAILURE() << "no failure";
    } catch (const UnreadableTargetError& error) {
        EXPECT_EQ(error.Line, 3u);
    }
    EXPECT_EQ(met, (std::vector<std::string>{"One", "go", "Two"}));
    EXPECT_TRUE(Platform.Messages.empty());
}

TEST_F(TreeOnly, PressSelectsAndAsksForTheRecordHint) {
    Build(
        {P(1, "One"), R(1, "a", "4"), P(2, "Two"), P(3, "Three"), P(4, "Four"), R(4, "from four")});
    Tree.Expand(Tree.Root());
    const auto toFour = Tree.Children(Tree.Root())[0];
    Tree.Expand(toFour);
    const auto four = Tree.Children(toFour)[0];
    Tree.Expand(four);
    const auto fromFour = Tree.Children(four)[0];

    TreePress press = Tree.MousePress(TreeMouseButton::Middle, fromFour, false);
    EXPECT_FALSE(press.Select || press.ShowHint);
    press = Tree.MousePress(TreeMouseButton::Left, fromFour, true);
    EXPECT_FALSE(press.Select || press.ShowHint);
    press = Tree.MousePress(TreeMouseButton::Left, std::nullopt, false);
    EXPECT_FALSE(press.Select || press.ShowHint);
    EXPECT_FALSE(Tree.Selected);

    press = Tree.MousePress(TreeMouseButton::Right, toFour, false);
    EXPECT_TRUE(press.Select);
    EXPECT_FALSE(press.ShowHint);
    EXPECT_EQ(Tree.Selected, toFour);

    press = Tree.MousePress(TreeMouseButton::Left, fromFour, false);
    EXPECT_TRUE(press.Select && press.ShowHint);
    EXPECT_EQ(press.HintText, "Record 4");
    EXPECT_EQ(Tree.Selected, fromFour);

    // Pressing beside the nodes keeps the selection.
    Tree.MousePress(TreeMouseButton::Left, std::nullopt, false);
    EXPECT_EQ(Tree.Selected, fromFour);
}

TEST_F(TreeOnly, ContextMenuItemsFollowTheSelection) {
    Build({P(1, "One")});
    Tree.PopupMenu1Popup();
    EXPECT_FALSE(Tree.JumpToRecordItem.Enabled);
    EXPECT_FALSE(Tree.RemoveRecordItem.Enabled);
    EXPECT_TRUE(Tree.ExpandAllItem.Enabled);
    Tree.Select(Tree.Root());
    Tree.PopupMenu1Popup();
    EXPECT_TRUE(Tree.JumpToRecordItem.Enabled);
    EXPECT_TRUE(Tree.RemoveRecordItem.Enabled);
    // A new guide drops every node, the selected one too.
    Tree.Clear();
    Tree.PopupMenu1Popup();
    EXPECT_FALSE(Tree.Selected);
    EXPECT_FALSE(Tree.JumpToRecordItem.Enabled);
    EXPECT_FALSE(Tree.RemoveRecordItem.Enabled);
    EXPECT_FALSE(Tree.ExpandAllItem.Enabled);
    // A node that does not exist cannot be selected.
    Tree.Select(LogicTree::NodeId{5});
    EXPECT_FALSE(Tree.Selected);
}

class LogicViewCommands : public EditorFixture {
protected:
    LogicTree& Tree() { return Form.Tree; }
    // Left press on the first node of this caption, as the view does.
    LogicTree::NodeId Find(const std::string& caption) {
        std::optional<LogicTree::NodeId> found;
        VisitLogicTree(Tree(), 30, [&](LogicTree::NodeId node, int) {
            if (!found && Tree().Caption(node) == caption)
                found = node;
        });
        EXPECT_TRUE(found) << "no node " << caption;
        return found.value_or(0);
    }
};

TEST_F(LogicViewCommands, RebuildRuleOfTheLogicViewCommand) {
    // Right after a new guide: one root holding the placeholder.
    Form.ToolbarButton972Click();
    EXPECT_EQ(Form.Pages.ActivePage, Page::LogicView);
    EXPECT_EQ(LogicTreeOutline(Tree(), 5), "[0] Enter primary dialogue here. #1\n");
    EXPECT_FALSE(Doc().TreeStale);

    // Again without edits: not rebuilt (the pointer never turns busy).
    Platform.ClearRecords();
    Form.ToolbarButton972Click();
    EXPECT_TRUE(Platform.Pointers.empty());

    // After an edit: rebuilt once.
    Form.ToolbarButton971Click();
    TypeDialogue("Hello");
    Form.ToolbarButton972Click();
    EXPECT_EQ(LogicTreeOutline(Tree(), 5), "[0] Hello #1\n");
    Platform.ClearRecords();
    Form.ToolbarButton972Click();
    EXPECT_TRUE(Platform.Pointers.empty());

    // Record 1 with its dialogue emptied: the previous tree stays.
    Form.ToolbarButton971Click();
    TypeDialogue("");
    Form.ToolbarButton972Click();
    EXPECT_EQ(LogicTreeOutline(Tree(), 5), "[0] Hello #1\n");
    EXPECT_TRUE(Doc().TreeStale);

    // On another record an empty dialogue does not stop the rebuild.
    OpenGuide({P(1, "One"), R(1, "go", "2"), P(2, "Two")});
    ShowRecord(2);
    TypeDialogue("");
    Form.ToolbarButton972Click();
    EXPECT_EQ(LogicTreeOutline(Tree(), 5), "[0] One #1\n  [1] go #1\n    [2] Two #2\n");
}

TEST_F(LogicViewCommands, NewGuideEmptiesTheTree) {
    OpenGuide({P(1, "One"), R(1, "go", "2"), P(2, "Two")});
    Form.ToolbarButton972Click();
    Tree().Select(Tree().Root());
    ResetLog log;
    Tree().AddObserver(&log);
    Form.Files.NewGuide1Click();
    Tree().RemoveObserver(&log);
    EXPECT_TRUE(Tree().Empty());
    EXPECT_FALSE(Tree().Selected);
    EXPECT_EQ(log.Events, (std::vector<std::string>{"resetting", "reset"}));
}

TEST_F(LogicViewCommands, JumpCommitsAndWalksToTheSelectedNodesRecord) {
    OpenGuide({P(1, "One"), R(1, "a", "4"), P(2, "Two"), P(3, "Three"), P(4, "Four"),
               R(4, "from four"), P(5, "Five")});
    ShowRecord(2);
    Form.ToolbarButton972Click();
    Tree().MousePress(TreeMouseButton::Left, Find("from four"), false);
    // An edit the view still holds is stored before the walk.
    TypeDialogue("Two edited");
    Form.TreeView1DblClick();
    EXPECT_EQ(Form.Pages.ActivePage, Page::EditView);
    EXPECT_EQ(Doc().CurrentRecord, 4);
    EXPECT_EQ(View().DialogueMemo.Text, "Four");
    EXPECT_EQ(Form.Nav.LastViewedRecord, 2);
    EXPECT_EQ(Doc().Records.ReadRecord(2).Dialogue, "Two edited");
    EXPECT_EQ(Doc().StatusText, "Record 4 of 5");

    // The menu's "Jump to record" does the same.
    Form.ToolbarButton972Click();
    Tree().MousePress(TreeMouseButton::Right, Tree().Root(), false);
    Form.JumpToRecord1Click();
    EXPECT_EQ(Doc().CurrentRecord, 1);
    EXPECT_EQ(Form.Nav.LastViewedRecord, 4);
}

TEST_F(LogicViewCommands, JumpWithoutSelectionShowsTheSameRecordAndStepsStayNormal) {
    OpenGuide({P(1, "One"), P(2, "Two"), P(3, "Three")});
    ShowRecord(2);
    Form.ToolbarButton972Click();
    ASSERT_FALSE(Tree().Selected);
    Form.TreeView1DblClick();
    EXPECT_EQ(Form.Pages.ActivePage, Page::EditView);
    EXPECT_EQ(Doc().CurrentRecord, 2);
    EXPECT_EQ(Form.Nav.LastViewedRecord, 2);
    EXPECT_FALSE(Form.Nav.Walking);
    TypeDialogue("Two edited");
    ClickNext();
    EXPECT_EQ(Doc().CurrentRecord, 3);
    EXPECT_EQ(View().DialogueMemo.Text, "Three");
    EXPECT_EQ(Doc().Records.ReadRecord(2).Dialogue, "Two edited");
}

} // namespace
} // namespace dravenloom
