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

// Why the tree cannot be built: the first response whose target is not a number (every
// line's number was checked when the guide was opened).
std::string TreeFailure(const RecordList& records, const std::string& path) {
    const auto& lines = records.Lines;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::int32_t number = 0;
        std::int32_t before = 0;
        if (!TryLineNumber(lines[i], number) || !TryLineNumber(lines[i - 1], before))
            break;
        const auto target = LineTarget(lines[i]);
        if (number == before && !target.empty() && !ReadNumber(target))
            return "The guide \"" + path + "\" can't be shown as a tree: the response on line " +
                   IntToStr(static_cast<std::int64_t>(i + 1)) +
                   " jumps to something that is not a record number";
    }
    return "The guide \"" + path + "\" can't be shown as a tree";
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
        throw GuideFormatError(TreeFailure(guide.Document.Records, path));

    BufferedOutput out(stream);
    VisitLogicTree(tree, depth, [&](LogicTree::NodeId node, int level) {
        out << OutlineLine(tree, node, level, TerminalCaption(tree.Caption(node))) << "\n";
    });
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
