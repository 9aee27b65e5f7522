// The Logic View's tree built the straightforward way, every branch at once by recursion with a
// cursor node, as a reference for the lazily built LogicTree. Exponential on guides whose
// forward jumps meet again: for small guides only.
#pragma once

#include "document/Cp1252.h"
#include "document/NumberText.h"
#include "document/RecordCodec.h"
#include "document/RecordList.h"
#include "navigation/LogicTree.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace dravenloom {

struct EagerNode {
    std::string Caption;
    std::int32_t RecordNumber = 0;
    int Image = 0;
    EagerNode* Parent = nullptr;
    std::vector<std::unique_ptr<EagerNode>> Children;

    EagerNode* AddChild(std::string caption, std::int32_t record, int image) {
        auto child = std::make_unique<EagerNode>();
        child->Caption = std::move(caption);
        child->RecordNumber = record;
        child->Image = image;
        child->Parent = this;
        Children.push_back(std::move(child));
        return Children.back().get();
    }
};

class EagerLogicTree {
public:
    // Builds the whole tree; a line that cannot be read fails with the core's error.
    explicit EagerLogicTree(const RecordList& records) : Records(records) {
        const std::string& first = Records.Lines.at(0);
        Root = std::make_unique<EagerNode>();
        Root->Caption = NodeCaption(LineText(first));
        Root->RecordNumber = LineNumber(first);
        Root->Image = 0;
        Cursor = Root.get();
        RootDone = false;
        AddRecordBranch(1);
    }

    // The same outline LogicTreeOutline writes, every node expanded down to `maxDepth`;
    // with `marks`, a "+" after the caption of every node that has children.
    std::string Outline(int maxDepth, bool marks = false) const {
        std::string out;
        Write(*Root, 0, maxDepth, marks, out);
        return out;
    }

    std::unique_ptr<EagerNode> Root;

private:
    void AddRecordBranch(std::int32_t r) {
        const auto primary = Records.FindPrimaryLine(r);
        if (!primary)
            return;
        const auto& lines = Records.Lines;
        if (RootDone) {
            Cursor->Image = 1;
            Cursor = Cursor->AddChild(NodeCaption(LineText(lines[*primary])), r, 2);
        } else {
            RootDone = true;
        }
        for (std::size_t i = *primary + 1;
             i < lines.size() && LineNumber(lines[i]) == LineNumber(lines[i - 1]); ++i) {
            Cursor->Image = 0;
            Cursor = Cursor->AddChild(NodeCaption(LineText(lines[i])), r, 0);
            const std::string_view target = LineTarget(lines[i]);
            if (!target.empty() && StrToInt(target) > r)
                AddRecordBranch(StrToInt(target));
            Cursor = Cursor->Parent;
        }
        if (Cursor->Parent)
            Cursor = Cursor->Parent;
    }

    static void Write(const EagerNode& node, int depth, int maxDepth, bool marks,
                      std::string& out) {
        out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + "[" +
               std::to_string(node.Image) + "] " + Cp1252ToUtf8(node.Caption) +
               (marks && !node.Children.empty() ? " +" : "") + " #" +
               std::to_string(node.RecordNumber) + "\n";
        if (depth >= maxDepth)
            return;
        for (const auto& child : node.Children)
            Write(*child, depth + 1, maxDepth, marks, out);
    }

    const RecordList& Records;
    EagerNode* Cursor = nullptr;
    bool RootDone = false;
};

// The lazy tree's outline written the same way as EagerLogicTree::Outline with `marks`: the
// "+" is whether the node said it has children before it was expanded.
inline std::string MarkedOutline(LogicTree& tree, int maxDepth) {
    std::string out;
    if (tree.Empty())
        return out;
    struct Item {
        LogicTree::NodeId Node;
        int Depth;
    };
    std::vector<Item> stack{{tree.Root(), 0}};
    while (!stack.empty()) {
        const Item item = stack.back();
        stack.pop_back();
        const bool expandable = tree.HasChildren(item.Node);
        out += std::string(static_cast<std::size_t>(item.Depth) * 2, ' ') + "[" +
               std::to_string(tree.Image(item.Node)) + "] " +
               Cp1252ToUtf8(tree.Caption(item.Node)) + (expandable ? " +" : "") + " #" +
               std::to_string(tree.RecordNumber(item.Node)) + "\n";
        if (item.Depth >= maxDepth)
            continue;
        tree.Expand(item.Node);
        const auto& children = tree.Children(item.Node);
        if (children.size() != tree.ChildCount(item.Node) || expandable != !children.empty())
            out += "!! children made do not match what the node announced\n";
        for (auto child = children.rbegin(); child != children.rend(); ++child)
            stack.push_back({*child, item.Depth + 1});
    }
    return out;
}

} // namespace dravenloom
