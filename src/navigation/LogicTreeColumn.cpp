// The Logic View's second column.
#include "navigation/LogicTreeColumn.h"

#include "document/NumberText.h"

namespace dravenloom {

std::string NodeDetail(const LogicTree& tree, LogicTree::NodeId node) {
    std::string detail = IntToStr(tree.RecordNumber(node));
    if (tree.Kind(node) != TreeNodeKind::Response)
        return detail;
    const LogicTree::ResponseJump jump = tree.Jump(node);
    const std::string target = IntToStr(jump.Target);
    switch (jump.Kind) {
    case LogicTree::JumpKind::None:
        return detail + " no link";
    case LogicTree::JumpKind::Forward:
        return detail + " \u2192 " + target;
    case LogicTree::JumpKind::Back:
        return detail + " \u21A9 " + target;
    case LogicTree::JumpKind::Itself:
        return detail + " \u21BB";
    case LogicTree::JumpKind::Missing:
        return detail + " missing " + target;
    case LogicTree::JumpKind::NotANumber:
        return detail + " not a number";
    }
    return detail;
}

} // namespace dravenloom
