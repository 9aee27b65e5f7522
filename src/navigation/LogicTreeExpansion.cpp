// The Logic View's tree: which branches are open, opening them all, keeping them open across
// a rebuild, and where each response goes.
#include "navigation/LogicTree.h"

#include <utility>

namespace dravenloom {

void LogicTree::SetExpanded(NodeId node, bool expanded) {
    if (node >= Nodes.size())
        return;
    // Only noted: the view makes the children as it opens the node (it must hear of them).
    Nodes[node].Expanded = expanded;
}

LogicTree::ResponseJump LogicTree::Jump(NodeId node) const {
    const Node& n = Nodes.at(node);
    if (n.Kind != TreeNodeKind::Response)
        return {};
    const LineEntry& line = Lines[n.CaptionLine];
    switch (line.Jump) {
    case TargetKind::None:
        return {};
    case TargetKind::NotANumber:
        return {JumpKind::NotANumber, 0};
    case TargetKind::Number:
        break;
    }
    // Only the first run of a number is its record, as the tree finds records.
    if (!FindRecord(line.Target))
        return {JumpKind::Missing, line.Target};
    if (line.Target > n.RecordNumber)
        return {JumpKind::Forward, line.Target};
    if (line.Target == n.RecordNumber)
        return {JumpKind::Itself, line.Target};
    return {JumpKind::Back, line.Target};
}

bool LogicTree::RestoreOpened(const std::vector<Node>& previous,
                              std::optional<NodeId> previousSelected) {
    if (previous.empty() || Nodes.empty())
        return true;
    // The old nodes on the way to the selected one are followed even where they were closed.
    std::vector<bool> towardsSelected(previous.size(), false);
    if (previousSelected && *previousSelected < previous.size()) {
        for (NodeId at = *previousSelected;; at = previous[at].Parent) {
            towardsSelected[at] = true;
            if (previous[at].Kind == TreeNodeKind::Root)
                break;
        }
    }
    const auto same = [](const Node& a, const Node& b) {
        return a.Kind == b.Kind && a.RecordNumber == b.RecordNumber;
    };
    bool readable = true;
    // Pairs of an old node and the new node at the same path; an explicit stack, as a long
    // chain of forward jumps may be open to a depth the call stack would not hold.
    std::vector<std::pair<NodeId, NodeId>> pending;
    if (same(previous[0], Nodes[0]))
        pending.emplace_back(0, 0);
    while (!pending.empty()) {
        const auto [was, now] = pending.back();
        pending.pop_back();
        const Node& old = previous[was];
        if (previousSelected == was)
            Selected = now;
        if (!old.Expanded && !towardsSelected[was])
            continue;
        if (!MakeChildren(now))
            readable = false;
        Nodes[now].Expanded = old.Expanded && !Nodes[now].Children.empty();
        const std::vector<NodeId>& oldChildren = old.Children;
        for (std::size_t row = 0; row < oldChildren.size(); ++row) {
            const NodeId oldChild = oldChildren[row];
            const Node& o = previous[oldChild];
            if (!o.Expanded && !towardsSelected[oldChild])
                continue;
            if (row >= Nodes[now].Children.size())
                break;
            const NodeId newChild = Nodes[now].Children[row];
            if (same(o, Nodes[newChild]))
                pending.emplace_back(oldChild, newChild);
        }
    }
    return readable;
}

bool LogicTree::ExpandAll(std::size_t budget) {
    if (Nodes.empty())
        return true;
    Host.SetPointer(PointerShape::Busy);
    Notify(true);
    bool complete = true;
    bool readable = true;
    // Node ids grow level by level as children are made, so going through them in order opens
    // the tree breadth first.
    for (NodeId node = 0; node < Nodes.size(); ++node) {
        if (!Nodes[node].ChildrenBuilt) {
            if (Nodes.size() + Nodes[node].Pending > budget) {
                complete = false;
                break;
            }
            if (!MakeChildren(node))
                readable = false;
        }
        if (!Nodes[node].Children.empty())
            Nodes[node].Expanded = true;
    }
    Notify(false);
    Host.SetPointer(PointerShape::Normal);
    if (!readable)
        ShowFailure();
    if (!complete)
        Host.ShowMessage({"Information", ExpandAllStoppedMessage, MsgButtons::Ok, MsgIcon::None});
    return complete;
}

} // namespace dravenloom
