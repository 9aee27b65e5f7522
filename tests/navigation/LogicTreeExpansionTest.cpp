// The Logic View's second column, branches kept open across rebuilds (after an edit and after
// a removal), and "Expand all" with its node budget.
#include "navigation/LogicTree.h"
#include "navigation/LogicTreeColumn.h"
#include "support/EditorFixture.h"
#include "support/ScriptedPlatform.h"
#include "support/ShortLines.h"
#include "support/LadderGuide.h"

#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <string>
#include <vector>

namespace dravenloom {
namespace {


struct ResetCount : LogicTreeObserver {
    int Resetting = 0;
    int Reset = 0;
    void TreeResetting() override { ++Resetting; }
    void TreeReset() override { ++Reset; }
};

class TreeDetail : public ::testing::Test {
protected:
    void Build(std::vector<std::string> lines) {
        Document.Records.Lines = std::move(lines);
        Tree.Build();
    }
    // The child at `row` of `node`, made when needed.
    LogicTree::NodeId Child(LogicTree::NodeId node, std::size_t row) {
        Tree.Expand(node);
        return Tree.Children(node).at(row);
    }
    // Opens the node as the view does: children first, then the flag.
    void Open(LogicTree::NodeId node) {
        Tree.Expand(node);
        Tree.SetExpanded(node, true);
    }
    std::vector<std::string> OpenCaptions() const {
        std::vector<std::string> open;
        for (LogicTree::NodeId node = 0; node < Tree.NodeCount(); ++node)
            if (Tree.IsExpanded(node))
                open.emplace_back(Tree.Caption(node));
        return open;
    }

    ScriptedPlatform Platform;
    GuideDocument Document;
    LogicTree Tree{Document, Platform};
};

TEST_F(TreeDetail, ColumnSaysTheRecordAndWhereEachResponseGoes) {
    Build({P(1, "One"), R(1, "forward", "3"), R(1, "nowhere"), R(1, "itself", "1"),
           R(1, "beyond", "12"), R(1, "zero", "0"), P(2, "Two"), R(2, "up", "1"), P(3, "Three"),
           R(3, "down", "2"), R(3, "far", "9")});
    const auto root = Tree.Root();
    EXPECT_EQ(NodeDetail(Tree, root), "1");
    const std::vector<std::string> expected{"1 \u2192 3", "1 no link", "1 \u21BB", "1 missing 12",
                                            "1 missing 0"};
    ASSERT_EQ(Tree.ChildCount(root), expected.size());
    for (std::size_t row = 0; row < expected.size(); ++row)
        EXPECT_EQ(NodeDetail(Tree, Child(root, row)), expected[row]) << "row " << row;
    // Only the forward jump to a record that exists is expanded; its record node shows its
    // own number, and a jump back from there is not expanded.
    for (std::size_t row = 1; row < expected.size(); ++row)
        EXPECT_FALSE(Tree.HasChildren(Child(root, row))) << "row " << row;
    const auto three = Child(Child(root, 0), 0);
    EXPECT_EQ(NodeDetail(Tree, three), "3");
    EXPECT_EQ(NodeDetail(Tree, Child(three, 0)), "3 \u21A9 2");
    EXPECT_FALSE(Tree.HasChildren(Child(three, 0)));
    EXPECT_EQ(NodeDetail(Tree, Child(three, 1)), "3 missing 9");
}

TEST_F(TreeDetail, ColumnNamesATargetThatIsNotANumber) {
    Build({P(1, "One"), R(1, "odd", "x7")});
    Platform.DefaultAnswer = MsgAnswer::Ok;
    EXPECT_EQ(NodeDetail(Tree, Child(Tree.Root(), 0)), "1 not a number");
}

TEST_F(TreeDetail, RebuildAfterAnEditKeepsOpenBranchesAndTheSelection) {
    Build({P(1, "One"), R(1, "a", "2"), R(1, "b", "3"), P(2, "Two"), R(2, "c", "3"), P(3, "Three"),
           R(3, "d")});
    Open(Tree.Root());
    const auto b = Child(Tree.Root(), 1);
    Open(b);
    const auto threeUnderB = Child(b, 0);
    Open(threeUnderB);
    const auto a = Child(Tree.Root(), 0);
    Open(a);
    Tree.SetExpanded(a, false); // opened, then closed again by the author
    Tree.Select(Child(threeUnderB, 0));

    // Captions change and record 1 gains a response at its end: the paths stay.
    Document.Records.Lines = {P(1, "One!"), R(1, "a", "2"), R(1, "b", "3"), R(1, "e"),
                              P(2, "Two"),  R(2, "c", "3"), P(3, "Three!"), R(3, "d!")};
    ResetCount resets;
    Tree.AddObserver(&resets);
    Tree.Build();
    Tree.RemoveObserver(&resets);
    EXPECT_EQ(resets.Reset, 1);
    EXPECT_EQ(OpenCaptions(), (std::vector<std::string>{"One!", "b", "Three!"}));
    ASSERT_TRUE(Tree.Selected);
    EXPECT_EQ(Tree.Caption(*Tree.Selected), "d!");
    EXPECT_TRUE(Platform.Messages.empty());

    // Response b now jumps back: its branch is gone, so is what was open and selected in it.
    Document.Records.Lines = {P(1, "One"),    R(1, "a", "2"), P(2, "Two"),
                              R(2, "b", "1"), P(3, "Three"),  R(3, "d")};
    Tree.Build();
    EXPECT_EQ(OpenCaptions(), (std::vector<std::string>{"One"}));
    EXPECT_FALSE(Tree.Selected);
}

TEST_F(TreeDetail, ANewGuideForgetsWhatWasOpen) {
    Build({P(1, "One"), R(1, "a", "2"), P(2, "Two")});
    Open(Tree.Root());
    Tree.Select(Tree.Root());
    Tree.Clear();
    Build({P(1, "One"), R(1, "a", "2"), P(2, "Two")});
    EXPECT_TRUE(OpenCaptions().empty());
    EXPECT_FALSE(Tree.Selected);
}

TEST_F(TreeDetail, ExpandAllOpensEveryNodeOfASmallTree) {
    Build(Ladder(7));
    ResetCount resets;
    Tree.AddObserver(&resets);
    EXPECT_TRUE(Tree.ExpandAll());
    Tree.RemoveObserver(&resets);
    EXPECT_EQ(resets.Resetting, 1);
    EXPECT_EQ(resets.Reset, 1);
    EXPECT_TRUE(Platform.Messages.empty());
    std::size_t walked = 0;
    Tree.Walk(1000, [&](const LogicTree::WalkStep&) { return ++walked, true; });
    EXPECT_EQ(Tree.NodeCount(), walked);
    for (LogicTree::NodeId node = 0; node < Tree.NodeCount(); ++node)
        EXPECT_EQ(Tree.IsExpanded(node), Tree.HasChildren(node)) << Tree.Caption(node);
}

TEST_F(TreeDetail, ExpandAllStopsAtTheBudgetWithTheUpperLevelsComplete) {
    Build(Ladder(40)); // far more than 100,000 nodes
    Platform.DefaultAnswer = MsgAnswer::Ok;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(Tree.ExpandAll());
    const auto took = std::chrono::steady_clock::now() - start;
    std::cout << "[ figures  ] ExpandAll made " << Tree.NodeCount() << " nodes in "
              << std::chrono::duration_cast<std::chrono::milliseconds>(took).count() << " ms\n";
    EXPECT_LE(Tree.NodeCount(), LogicTree::ExpandAllBudget);
    EXPECT_GT(Tree.NodeCount(), LogicTree::ExpandAllBudget - 10);
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0].Caption, "Information");
    EXPECT_EQ(Platform.Messages[0].Text, ExpandAllStoppedMessage);
    // Breadth first: once a node is left closed, no later node (deeper or as deep) is open.
    bool closedSeen = false;
    for (LogicTree::NodeId node = 0; node < Tree.NodeCount(); ++node) {
        if (!Tree.HasChildren(node))
            continue;
        if (!Tree.IsExpanded(node))
            closedSeen = true;
        else
            ASSERT_FALSE(closedSeen) << "node " << node;
    }
    EXPECT_TRUE(closedSeen);

    // A rebuild opens it all again.
    const std::size_t before = Tree.NodeCount();
    const auto rebuildStart = std::chrono::steady_clock::now();
    Tree.Build();
    const auto rebuilt = std::chrono::steady_clock::now() - rebuildStart;
    std::cout << "[ figures  ] rebuild reopening " << Tree.NodeCount() << " nodes: "
              << std::chrono::duration_cast<std::chrono::milliseconds>(rebuilt).count() << " ms\n";
    EXPECT_EQ(Tree.NodeCount(), before);
}

class LogicViewKeepsBranches : public EditorFixture {
protected:
    LogicTree& Tree() { return Form.Tree; }
    LogicTree::NodeId Child(LogicTree::NodeId node, std::size_t row) {
        Tree().Expand(node);
        return Tree().Children(node).at(row);
    }
    void Open(LogicTree::NodeId node) {
        Tree().Expand(node);
        Tree().SetExpanded(node, true);
    }
    std::vector<std::string> OpenCaptions() {
        std::vector<std::string> open;
        for (LogicTree::NodeId node = 0; node < Tree().NodeCount(); ++node)
            if (Tree().IsExpanded(node))
                open.emplace_back(Tree().Caption(node));
        return open;
    }
};

TEST_F(LogicViewKeepsBranches, RemovalFromTheLogicViewKeepsWhatStillExists) {
    OpenGuide({P(1, "One"), R(1, "a", "2"), R(1, "b", "4"), P(2, "Two"), R(2, "c", "3"),
               P(3, "Three"), P(4, "Four"), R(4, "d", "5"), P(5, "Five")});
    Form.ToolbarButton972Click();
    Open(Tree().Root());
    const auto a = Child(Tree().Root(), 0);
    Open(a);
    Open(Child(a, 0));
    const auto b = Child(Tree().Root(), 1);
    Open(b);
    const auto four = Child(b, 0);
    Open(four);
    const auto d = Child(four, 0);
    Open(d);
    // The edit of an Edit View field and a rebuild: everything stays.
    Tree().Select(d);
    Form.ToolbarButton971Click();
    TypeDialogue("One edited");
    Form.ToolbarButton972Click();
    EXPECT_EQ(OpenCaptions(),
              (std::vector<std::string>{"One edited", "a", "b", "Four", "d", "Two"}));
    ASSERT_TRUE(Tree().Selected);
    EXPECT_EQ(Tree().Caption(*Tree().Selected), "d");

    // Removing record 5 (the selected record node under d): d loses its branch, the rest
    // stays open, and nothing is selected.
    Tree().Select(Child(*Tree().Selected, 0));
    Platform.MessageAnswers.push_back(MsgAnswer::Ok);
    Form.RemoveRecord1Click();
    ASSERT_EQ(Doc().RecordCount, 4);
    EXPECT_EQ(OpenCaptions(), (std::vector<std::string>{"One edited", "a", "b", "Four", "Two"}));
    EXPECT_FALSE(Tree().Selected);
}

} // namespace
} // namespace dravenloom
