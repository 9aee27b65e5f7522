// `dravenloom-cli tree GUIDE [--depth D]`: prints the Logic View's tree of a guide, every
// node expanded down to a depth.
#include "CommandRegistry.h"
#include "OpenedGuide.h"
#include "TextOutput.h"

#include "document/Errors.h"
#include "document/NumberText.h"
#include "document/RecordCodec.h"
#include "navigation/LogicTree.h"

#include <ostream>

namespace dravenloom::cli {
namespace {

constexpr int DefaultDepth = 8;

// A caption for the terminal: UTF-8, control characters shown as \xNN. A caption holds no
// CR LF pair, but the length cut may leave a lone CR, which must not break the line.
std::string TerminalCaption(std::string_view caption) {
    std::string bytes;
    bytes.reserve(caption.size());
    for (char c : caption) {
        if (c == '\r')
            bytes += "\\x0D";
        else if (c == '\n')
            bytes += "\\x0A";
        else
            bytes += c;
    }
    return TerminalLines(bytes).front();
}

// Why the tree cannot be built: every line's number was read when the guide was opened, so
// only a guide too large for the tree is left.
std::string TreeFailure(const std::string& path) {
    return "The guide \"" + path + "\" can't be shown as a tree";
}

// A response whose target is not a number, met where the tree opens the record holding it.
std::string UnreadableTargetFailure(const RecordList& records, std::size_t line,
                                    const std::string& path) {
    return "The guide \"" + path + "\" can't be shown as a tree beyond the response on line " +
           IntToStr(static_cast<std::int64_t>(line) + 1) + ": it jumps to \"" +
           TerminalCaption(NodeCaption(LineTarget(records.Lines.at(line)))) +
           "\", which is not a record number";
}

int RunTree(const std::vector<std::string>& arguments, std::ostream& stream, std::ostream&) {
    const ParsedArguments parsed = ParseArguments(arguments, {}, {"--depth"});
    const std::string& path = parsed.SingleOperand("GUIDE");
    int depth = DefaultDepth;
    if (const auto text = parsed.Value("--depth")) {
        const auto value = ReadNumber(*text);
        if (!value || *value < 0)
            throw UsageError("--depth needs a depth of 0 or more, not \"" + *text + "\"");
        depth = *value;
    }

    OpenedGuide guide(path);
    LogicTree tree(guide.Document, guide.Host);
    tree.Build();
    // An opened guide has lines, so an empty tree is a failed build.
    if (tree.Empty())
        throw GuideFormatError(TreeFailure(path));

    BufferedOutput out(stream);
    VisitLogicTree(tree, depth, [&](LogicTree::NodeId node, int level) {
        // The record expanded last held a target that is not a number: the tree stops there,
        // as the Logic View shows its failure when that record is opened.
        if (const auto line = tree.UnreadableTarget()) {
            out.Flush();
            throw GuideFormatError(UnreadableTargetFailure(guide.Document.Records, *line, path));
        }
        out << OutlineLine(tree, node, level, TerminalCaption(tree.Caption(node))) << "\n";
    });
    if (const auto line = tree.UnreadableTarget())
        throw GuideFormatError(UnreadableTargetFailure(guide.Document.Records, *line, path));
    return ExitOk;
}

const CommandRegistrar Registrar(
    {"tree", "Prints the Logic View's tree of a guide",
     "dravenloom-cli tree GUIDE [--depth D]\n"
     "  Prints the tree the Logic View shows for GUIDE: record 1 at the root, under each\n"
     "  record its responses, under each response the record it jumps forward to. One node\n"
     "  a line, two blanks of indentation per level: [image] caption #record, where the\n"
     "  record of a response is the record it belongs to, and the image is 0 for the root,\n"
     "  a record with responses or a response whose jump is not shown, 1 for a response\n"
     "  with the record it jumps to below it, 2 for a record without responses.\n"
     "  --depth D  expand every node down to depth D (default 8; the root is depth 0)\n",
     RunTree});

} // namespace
} // namespace dravenloom::cli
