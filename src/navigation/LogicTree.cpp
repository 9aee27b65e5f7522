// The Logic View's tree.
#include "navigation/LogicTree.h"

#include "document/Cp1252.h"
#include "document/Errors.h"
#include "document/NumberText.h"
#include "document/RecordCodec.h"

#include <algorithm>
#include <exception>
#include <limits>

namespace dravenloom {
namespace {

constexpr std::size_t CaptionLimit = 100;
constexpr std::size_t CaptionKeep = 97;
constexpr std::string_view Ellipsis = "...";

// Appends NodeCaption(text) to `out` without a temporary. The three dots added by the length
// cut hold no CR, so a CR LF pair can only lie inside the kept characters.
void AppendCaption(std::string& out, std::string_view text) {
    const bool tooLong = text.size() > CaptionLimit;
    const std::string_view kept = tooLong ? text.substr(0, CaptionKeep) : text;
    const auto lineEnd = kept.find("\r\n");
    if (lineEnd != std::string_view::npos) {
        out.append(kept.substr(0, lineEnd));
        out.append(Ellipsis);
        return;
    }
    out.append(kept);
    if (tooLong)
        out.append(Ellipsis);
}

} // namespace

UnreadableTargetError::UnreadableTargetError(std::size_t line)
    : ConversionError("The response on line " + IntToStr(static_cast<std::int64_t>(line) + 1) +
                      " jumps to something that is not a record number"),
      Line(line) {}

std::string NodeCaption(std::string_view text) {
    std::string caption;
    AppendCaption(caption, text);
    return caption;
}

LogicTree::LogicTree(GuideDocument& document, Platform& platform)
    : Document(document), Host(platform) {}

void LogicTree::Notify(bool starting) {
    // A copy: an observer may take itself off while it is told.
    const auto observers = Observers;
    for (LogicTreeObserver* observer : observers) {
        if (starting)
            observer->TreeResetting();
        else
            observer->TreeReset();
    }
}

void LogicTree::AddObserver(LogicTreeObserver* observer) {
    Observers.push_back(observer);
}

void LogicTree::RemoveObserver(LogicTreeObserver* observer) {
    Observers.erase(std::remove(Observers.begin(), Observers.end(), observer), Observers.end());
}

void LogicTree::IndexRecords() {
    const auto& lines = Document.Records.Lines;
    if (lines.empty())
        throw IndexError("List index out of bounds (0)");
    Lines.resize(lines.size());
    // The captions are copied in one go into a string with room for all of them.
    std::size_t captionBytes = 0;
    for (const auto& line : lines)
        captionBytes += std::min(line.size(), CaptionLimit);
    CaptionBytes.reserve(captionBytes);
    Records.reserve(lines.size() / 2 + 1);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        LineEntry& entry = Lines[i];
        entry.Number = LineNumber(line);
        // A line whose number repeats the one before is a response line; the first line of a
        // run is the record's primary line.
        if (i > 0 && entry.Number == Lines[i - 1].Number) {
            const std::string_view target = LineTarget(line);
            if (!target.empty()) {
                const auto value = ReadNumber(target);
                entry.Target = value.value_or(0);
                entry.Jump = value ? TargetKind::Number : TargetKind::NotANumber;
            }
            ++Records.back().second.Responses;
        } else {
            Records.push_back({entry.Number, RecordSpan{i, 0}});
        }
        const std::size_t start = CaptionBytes.size();
        AppendCaption(CaptionBytes, LineText(line));
        if (CaptionBytes.size() > std::numeric_limits<std::uint32_t>::max())
            throw IndexError("The guide is too large to show as a tree");
        entry.CaptionStart = static_cast<std::uint32_t>(start);
        entry.CaptionLength = static_cast<std::uint32_t>(CaptionBytes.size() - start);
    }
    // In a guide as the program writes it the records stand in ascending order, and the index
    // is complete as it is. Otherwise only the first run of a number is its record, as a search
    // from the top finds: the stable sort keeps it ahead of the later runs, which go.
    const auto byNumber = [](const auto& a, const auto& b) { return a.first < b.first; };
    if (std::adjacent_find(Records.begin(), Records.end(), [](const auto& a, const auto& b) {
            return a.first >= b.first;
        }) != Records.end()) {
        std::stable_sort(Records.begin(), Records.end(), byNumber);
        Records.erase(std::unique(Records.begin(), Records.end(),
                                  [](const auto& a, const auto& b) { return a.first == b.first; }),
                      Records.end());
    }
}

const LogicTree::RecordSpan* LogicTree::FindRecord(std::int32_t number) const {
    // Records numbered 1 to M without gaps stand at index number - 1.
    if (number >= 1 && static_cast<std::size_t>(number) <= Records.size() &&
        Records[static_cast<std::size_t>(number) - 1].first == number)
        return &Records[static_cast<std::size_t>(number) - 1].second;
    const auto found = std::lower_bound(
        Records.begin(), Records.end(), number,
        [](const auto& record, std::int32_t wanted) { return record.first < wanted; });
    return found != Records.end() && found->first == number ? &found->second : nullptr;
}

LogicTree::Node LogicTree::RecordNode(TreeNodeKind kind, const RecordSpan& span,
                                      std::size_t captionLine) const {
    Node node;
    node.Kind = kind;
    node.CaptionLine = captionLine;
    node.RecordNumber = Lines[span.First].Number;
    node.Branch = span;
    node.Pending = span.Responses;
    return node;
}

LogicTree::Node LogicTree::ResponseNode(std::size_t line, std::int32_t owner) const {
    Node node;
    node.Kind = TreeNodeKind::Response;
    node.CaptionLine = line;
    node.RecordNumber = owner;
    const LineEntry& entry = Lines[line];
    if (entry.Jump == TargetKind::Number && entry.Target > owner) {
        if (const RecordSpan* target = FindRecord(entry.Target)) {
            node.Branch = *target;
            node.Pending = 1;
        }
    }
    return node;
}

LogicTree::NodeId LogicTree::AddChild(NodeId parent, Node node) {
    const NodeId id = Nodes.size();
    node.Parent = parent;
    node.Row = Nodes[parent].Children.size();
    Nodes.push_back(std::move(node));
    Nodes[parent].Children.push_back(id);
    return id;
}

void LogicTree::Build() {
    Host.SetPointer(PointerShape::Busy);
    Notify(true);
    // The old nodes say what the author had open; they are gone once the new ones are made.
    const std::vector<Node> previous = std::move(Nodes);
    const std::optional<NodeId> previousSelected = Selected;
    DropContents();
    Selected.reset();
    Renumbered = false;
    FirstUnreadableTarget.reset();
    bool failed = false;
    bool readable = true;
    try {
        IndexRecords();
        // The root shows the first line; its branch is record 1, wherever that stands.
        Node root;
        root.Kind = TreeNodeKind::Root;
        root.CaptionLine = 0;
        root.RecordNumber = Lines[0].Number;
        if (const RecordSpan* first = FindRecord(1)) {
            root.Branch = *first;
            root.Pending = first->Responses;
        }
        Nodes.push_back(std::move(root));
        readable = RestoreOpened(previous, previousSelected);
    } catch (const std::exception&) {
        failed = true;
        DropContents();
        Selected.reset();
    }
    Notify(false);
    Host.SetPointer(PointerShape::Normal);
    if (failed || !readable)
        ShowFailure();
}

void LogicTree::DropContents() {
    Nodes.clear();
    Lines.clear();
    CaptionBytes.clear();
    Records.clear();
}

void LogicTree::Clear() {
    Notify(true);
    DropContents();
    Selected.reset();
    Renumbered = false;
    FirstUnreadableTarget.reset();
    Notify(false);
}

bool LogicTree::ApplyRebuildRule(const std::string& dialogueText) {
    if (!Document.TreeStale)
        return false;
    // Record 1 with an empty dialogue may not be in the list at all; the old tree stays, unless
    // a removal has given its nodes numbers of other records.
    if (dialogueText.empty() && Document.CurrentRecord == 1 && !Renumbered)
        return false;
    Build();
    Document.TreeStale = false;
    return true;
}

std::string_view LogicTree::Caption(NodeId node) const {
    const LineEntry& line = Lines[Nodes.at(node).CaptionLine];
    return std::string_view(CaptionBytes).substr(line.CaptionStart, line.CaptionLength);
}

int LogicTree::Image(NodeId node) const {
    const Node& n = Nodes.at(node);
    switch (n.Kind) {
    case TreeNodeKind::Root:
        return 0;
    case TreeNodeKind::Record:
        return n.Pending != 0 ? 0 : 2;
    case TreeNodeKind::Response:
        return n.Pending != 0 ? 1 : 0;
    }
    return 0;
}

std::optional<LogicTree::NodeId> LogicTree::Parent(NodeId node) const {
    const Node& n = Nodes.at(node);
    if (n.Kind == TreeNodeKind::Root)
        return std::nullopt;
    return n.Parent;
}

std::size_t LogicTree::ChildCount(NodeId node) const {
    const Node& n = Nodes.at(node);
    return n.ChildrenBuilt ? n.Children.size() : n.Pending;
}

void LogicTree::Expand(NodeId node) {
    if (!MakeChildren(node))
        ShowFailure();
}

bool LogicTree::MakeChildren(NodeId node) {
    if (Nodes.at(node).ChildrenBuilt)
        return true;
    Nodes[node].ChildrenBuilt = true;
    const Node n = Nodes[node];
    if (n.Pending == 0)
        return true;
    Nodes[node].Children.reserve(n.Pending);
    if (n.Kind == TreeNodeKind::Response) {
        AddChild(node, RecordNode(TreeNodeKind::Record, n.Branch, n.Branch.First));
        return true;
    }
    // The record's responses are its children; their targets are read here, as the record
    // is opened, and one that is not a number shows as a response without a jump.
    bool readable = true;
    const std::int32_t owner = Lines[n.Branch.First].Number;
    for (std::size_t i = 1; i <= n.Branch.Responses; ++i) {
        const std::size_t line = n.Branch.First + i;
        if (Lines[line].Jump == TargetKind::NotANumber) {
            if (!FirstUnreadableTarget)
                FirstUnreadableTarget = line;
            readable = false;
        }
        AddChild(node, ResponseNode(line, owner));
    }
    return readable;
}

void LogicTree::ShowFailure() {
    Host.ShowMessage({"Error", TreeFailureMessage, MsgButtons::Ok, MsgIcon::None});
}

void LogicTree::Walk(int maxDepth, const std::function<bool(const WalkStep&)>& visit) const {
    if (Nodes.empty() || maxDepth < 0)
        return;
    const auto caption = [this](std::size_t line) {
        return std::string_view(CaptionBytes)
            .substr(Lines[line].CaptionStart, Lines[line].CaptionLength);
    };
    // A record whose responses are being gone through, at the depth of its own node.
    struct Opened {
        RecordSpan Record;
        std::size_t Next; // the next response, 1-based
        int Depth;
    };
    std::vector<Opened> path;
    // Opening a record reads the targets of its responses, as Expand does.
    const auto open = [&](const RecordSpan& record, int depth) {
        for (std::size_t i = 1; i <= record.Responses; ++i) {
            const std::size_t line = record.First + i;
            if (Lines[line].Jump == TargetKind::NotANumber)
                throw UnreadableTargetError(line);
        }
        path.push_back({record, 1, depth});
    };

    const Node& root = Nodes[Root()];
    if (!visit({TreeNodeKind::Root, 0, 0, root.RecordNumber, caption(root.CaptionLine)}))
        return;
    if (maxDepth > 0 && root.Pending != 0)
        open(root.Branch, 0);
    while (!path.empty()) {
        Opened& top = path.back();
        if (top.Next > top.Record.Responses) {
            path.pop_back();
            continue;
        }
        const std::size_t line = top.Record.First + top.Next++;
        const int depth = top.Depth + 1;
        const Node response = ResponseNode(line, Lines[top.Record.First].Number);
        if (!visit({TreeNodeKind::Response, depth, response.Pending != 0 ? 1 : 0,
                    response.RecordNumber, caption(line)}))
            return;
        if (response.Pending == 0 || depth >= maxDepth)
            continue;
        const RecordSpan target = response.Branch;
        if (!visit({TreeNodeKind::Record, depth + 1, target.Responses != 0 ? 0 : 2,
                    Lines[target.First].Number, caption(target.First)}))
            return;
        if (depth + 1 < maxDepth && target.Responses != 0)
            open(target, depth + 1);
    }
}

void LogicTree::Select(std::optional<NodeId> node) {
    if (node && *node < Nodes.size())
        Selected = node;
    else
        Selected.reset();
}

TreePress LogicTree::MousePress(TreeMouseButton button, std::optional<NodeId> node,
                                bool editViewActive) {
    TreePress press;
    if (button == TreeMouseButton::Middle || editViewActive || !node || *node >= Nodes.size())
        return press;
    Select(node);
    press.Select = true;
    if (button == TreeMouseButton::Right)
        return press;
    press.ShowHint = true;
    press.HintText = "Record " + IntToStr(RecordNumber(*node));
    return press;
}

void LogicTree::PopupMenu1Popup() {
    JumpToRecordItem.Enabled = Selected.has_value();
    RemoveRecordItem.Enabled = Selected.has_value();
    ExpandAllItem.Enabled = !Nodes.empty();
}

void VisitLogicTree(LogicTree& tree, int maxDepth,
                    const std::function<void(LogicTree::NodeId node, int depth)>& visit) {
    if (tree.Empty() || maxDepth < 0)
        return;
    // An explicit stack: a long chain of forward jumps must not exhaust the call stack.
    struct Pending {
        LogicTree::NodeId Node;
        int Depth;
    };
    std::vector<Pending> stack{{tree.Root(), 0}};
    while (!stack.empty()) {
        const Pending top = stack.back();
        stack.pop_back();
        visit(top.Node, top.Depth);
        if (top.Depth >= maxDepth || !tree.HasChildren(top.Node))
            continue;
        tree.Expand(top.Node);
        const auto& children = tree.Children(top.Node);
        for (auto child = children.rbegin(); child != children.rend(); ++child)
            stack.push_back({*child, top.Depth + 1});
    }
}

std::string OutlineLine(const LogicTree& tree, LogicTree::NodeId node, int depth,
                        std::string_view caption) {
    return OutlineLine(depth, tree.Image(node), tree.RecordNumber(node), caption);
}

std::string OutlineLine(int depth, int image, std::int32_t record, std::string_view caption) {
    std::string line(static_cast<std::size_t>(depth) * 2, ' ');
    line += '[';
    line += IntToStr(image);
    line += "] ";
    line += caption;
    line += " #";
    line += IntToStr(record);
    return line;
}

std::string LogicTreeOutline(LogicTree& tree, int maxDepth) {
    std::string out;
    VisitLogicTree(tree, maxDepth, [&](LogicTree::NodeId node, int depth) {
        out += OutlineLine(tree, node, depth, Cp1252ToUtf8(tree.Caption(node)));
        out += '\n';
    });
    return out;
}

} // namespace dravenloom
