// The Logic View's tree: record 1 at the root, under each record its responses, under each
// response the record it jumps forward to. Children are made on first expansion.
#pragma once

#include "document/Controls.h"
#include "document/Errors.h"
#include "document/GuideDocument.h"
#include "document/Platform.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dravenloom {

inline constexpr const char* TreeFailureMessage =
    "Dravenloom has has encountered an unrecoverable error during operation. Please contact "
    "Korvessa.";

// What "Expand all" says when it stopped at LogicTree::ExpandAllBudget nodes.
inline constexpr const char* ExpandAllStoppedMessage =
    "The tree was expanded as far as 100,000 branches. Expand the rest by hand where you need "
    "it.";

// A jump target that is not a number, met where the tree opens the record holding it.
class UnreadableTargetError : public ConversionError {
public:
    explicit UnreadableTargetError(std::size_t line);
    std::size_t Line; // 0-based line of the list
};

// A text cut for a node: past 100 characters its first 97 and "...", then, when a CR LF
// remains, what stands before the first one and "...".
std::string NodeCaption(std::string_view text);

enum class TreeNodeKind { Root, Record, Response };
enum class TreeMouseButton { Left, Right, Middle };

// What a mouse press on the tree asks of the view.
struct TreePress {
    bool Select = false;   // the node under the mouse becomes the selected node
    bool ShowHint = false; // show the record hint until the button is released
    std::string HintText;  // "Record " N
};

// Told before the tree drops all of its nodes and after the new ones are in place, so that a
// view can suspend its redrawing and forget what it held.
class LogicTreeObserver {
public:
    virtual ~LogicTreeObserver() = default;
    virtual void TreeResetting() = 0;
    virtual void TreeReset() = 0;
};

class LogicTree {
public:
    using NodeId = std::size_t;

    LogicTree(GuideDocument& document, Platform& platform);
    LogicTree(const LogicTree&) = delete;
    LogicTree& operator=(const LogicTree&) = delete;

    // BuildLogicTree: replaces every node by the root of the current record list. The branches
    // the author had open, and the selected node, are opened and selected again where the same
    // path of rows and record numbers from the root still leads to them; the rest is
    // collapsed. The tree keeps what it shows of the list, so it can be expanded after later edits
    // as the picture it was. A line whose record number cannot be read shows the failure message
    // and leaves the tree empty; the list is never changed. Jump targets are read only when the
    // record that holds them is expanded (see Expand), so a damaged record that the tree never
    // reaches does not keep the rest from being shown.
    void Build();
    // Deletes every node (a new guide).
    void Clear();
    // The "Logic View" command's rule, run after the Edit View was committed and the page
    // shown: rebuilds a stale tree unless record 1 is current with an empty dialogue (and no
    // removal has renumbered the records since the tree was built). True when it rebuilt.
    bool ApplyRebuildRule(const std::string& dialogueText);
    // A removal renumbered the records while the tree was not rebuilt: its numbers are wrong.
    void RecordsRenumbered() { Renumbered = true; }

    bool Empty() const { return Nodes.empty(); }
    NodeId Root() const { return 0; }
    std::size_t NodeCount() const { return Nodes.size(); }

    TreeNodeKind Kind(NodeId node) const { return Nodes.at(node).Kind; }
    // The node's caption in the guide's bytes (code page 1252).
    std::string_view Caption(NodeId node) const;
    std::int32_t RecordNumber(NodeId node) const { return Nodes.at(node).RecordNumber; }
    // 0: the root, a record with responses, a response whose jump is not shown; 1: a response
    // with its target record under it; 2: a record without responses.
    int Image(NodeId node) const;
    std::optional<NodeId> Parent(NodeId node) const;
    // The node's position among its parent's children (0 for the root).
    std::size_t Row(NodeId node) const { return Nodes.at(node).Row; }

    // Whether the node has children to show, known before it is expanded.
    bool HasChildren(NodeId node) const { return ChildCount(node) != 0; }
    // How many children the node has or will have once expanded.
    std::size_t ChildCount(NodeId node) const;
    bool ChildrenBuilt(NodeId node) const { return Nodes.at(node).ChildrenBuilt; }
    // Makes the node's children on its first expansion (later calls do nothing); costs the
    // number of children. A response whose target is not a number shows no jump, and once the
    // children are in place the failure message is shown.
    void Expand(NodeId node);
    // Expand without the message, for a view that must finish taking in the new children
    // before a message box may come up: false when a target of the new children was not a
    // number, and ShowFailure is then the view's to call.
    bool MakeChildren(NodeId node);
    void ShowFailure();
    // The list line (0-based) of the first target that was not a number, met by an expansion
    // since the tree was built.
    std::optional<std::size_t> UnreadableTarget() const { return FirstUnreadableTarget; }
    // The children made so far (none before Expand).
    const std::vector<NodeId>& Children(NodeId node) const { return Nodes.at(node).Children; }

    // Whether the author has the node open, as the view tells it (the view makes the children).
    bool IsExpanded(NodeId node) const { return Nodes.at(node).Expanded; }
    void SetExpanded(NodeId node, bool expanded);

    // Where a response goes, as its second column says.
    enum class JumpKind { None, Forward, Back, Itself, Missing, NotANumber };
    struct ResponseJump {
        JumpKind Kind = JumpKind::None;
        std::int32_t Target = 0;
    };
    // None for the root and record nodes and for a response without a target. Forward jumps
    // are the ones shown expanded; Missing is a number no record of the guide has.
    ResponseJump Jump(NodeId node) const;

    // "Expand all": makes and opens every node, breadth first so that the upper levels are
    // complete, until the tree would hold more than `budget` nodes (a guide whose jumps meet
    // again has exponentially many). The view is told of the new nodes by one reset. Stopped
    // at the budget, it says so; a target that is not a number shows the failure message.
    // True when the whole tree is open.
    static constexpr std::size_t ExpandAllBudget = 100000;
    bool ExpandAll(std::size_t budget = ExpandAllBudget);

    // The selected node, set by the view; a rebuild keeps it where it still exists, a new
    // guide leaves none selected.
    std::optional<NodeId> Selected;
    void Select(std::optional<NodeId> node);

    // A mouse press on the tree with `node` under the mouse (nothing: none there). Selects the
    // node when it should and says whether to show the record hint and with which text.
    TreePress MousePress(TreeMouseButton button, std::optional<NodeId> node, bool editViewActive);

    // The context menu: the first two items are enabled exactly while a node is selected,
    // "Expand all" while there is a tree.
    MenuItem JumpToRecordItem;
    MenuItem RemoveRecordItem;
    MenuItem ExpandAllItem;
    void PopupMenu1Popup();

    // One node met by Walk; the caption is valid until the tree is rebuilt.
    struct WalkStep {
        TreeNodeKind Kind = TreeNodeKind::Root;
        int Depth = 0;
        int Image = 0;
        std::int32_t RecordNumber = 0;
        std::string_view Caption; // code page 1252
    };
    // Goes through the nodes in the order the tree shows them, root first, down to `maxDepth`
    // (the root is depth 0), as if every node on the way were expanded, but without making
    // any: it keeps only the path from the root, so its memory grows with the depth and not
    // with the number of nodes (a guide whose jumps meet again has exponentially many).
    // `visit` returns false to end the walk early. Opening a record whose response jumps to
    // something that is not a number ends the walk with an UnreadableTargetError naming that
    // line, as Expand shows its failure there. Nothing when the tree is empty.
    void Walk(int maxDepth, const std::function<bool(const WalkStep&)>& visit) const;

    void AddObserver(LogicTreeObserver* observer);
    void RemoveObserver(LogicTreeObserver* observer);

private:
    // A response's target as the build found it; what is not a number fails only when the
    // record holding it is expanded.
    enum class TargetKind : std::uint8_t { None, Number, NotANumber };
    // What the tree keeps of one line of the list when it is built.
    struct LineEntry {
        std::int32_t Number = 0;
        std::int32_t Target = 0;
        TargetKind Jump = TargetKind::None;
        std::uint32_t CaptionStart = 0;
        std::uint32_t CaptionLength = 0;
    };
    // A record's primary line and the count of response lines after it.
    struct RecordSpan {
        std::size_t First = 0;
        std::size_t Responses = 0;
    };
    struct Node {
        TreeNodeKind Kind = TreeNodeKind::Root;
        std::int32_t RecordNumber = 0;
        std::size_t CaptionLine = 0; // the line whose text the caption shows
        // Root and record nodes: the record whose responses hang below. Response nodes: the
        // record the forward jump shows; Pending is 0 when there is none.
        RecordSpan Branch;
        std::size_t Pending = 0; // children to make on expansion
        std::size_t Parent = 0;
        std::size_t Row = 0;
        bool ChildrenBuilt = false;
        bool Expanded = false;
        std::vector<NodeId> Children;
    };

    // Forgets the nodes, lines, captions and record index of the last build.
    void DropContents();
    void IndexRecords();
    const RecordSpan* FindRecord(std::int32_t number) const;
    // A node for record `span` (the root, or a record under a response).
    Node RecordNode(TreeNodeKind kind, const RecordSpan& span, std::size_t captionLine) const;
    // A node for the response on `line` of record `owner`; it can expand when it jumps
    // forward to a record that exists.
    Node ResponseNode(std::size_t line, std::int32_t owner) const;
    NodeId AddChild(NodeId parent, Node node);
    // After a build: opens and selects in the new nodes what was open and selected in
    // `previous`, following equal rows and record numbers. False when a target met on the way
    // was not a number.
    bool RestoreOpened(const std::vector<Node>& previous, std::optional<NodeId> previousSelected);
    void Notify(bool starting);

    GuideDocument& Document;
    Platform& Host;
    bool Renumbered = false;
    std::optional<std::size_t> FirstUnreadableTarget;

    std::vector<LineEntry> Lines;
    std::string CaptionBytes;
    // The records by number, ascending, each with its first run of lines.
    std::vector<std::pair<std::int32_t, RecordSpan>> Records;
    std::vector<Node> Nodes;
    std::vector<LogicTreeObserver*> Observers;
};

// Visits the nodes in the order the tree shows them, root first, down to `maxDepth` (the root
// is depth 0), expanding every node on the way; `visit` sees a node before it is expanded.
void VisitLogicTree(LogicTree& tree, int maxDepth,
                    const std::function<void(LogicTree::NodeId node, int depth)>& visit);

// One line of an outline: two blanks per level, "[image] caption #record"; the caption is
// given already made fit for where it goes.
std::string OutlineLine(const LogicTree& tree, LogicTree::NodeId node, int depth,
                        std::string_view caption);
std::string OutlineLine(int depth, int image, std::int32_t record, std::string_view caption);

// The tree as text down to `maxDepth`, one OutlineLine a node, captions in UTF-8.
std::string LogicTreeOutline(LogicTree& tree, int maxDepth);

} // namespace dravenloom
