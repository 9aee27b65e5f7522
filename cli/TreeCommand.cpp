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
constexpr std::int64_t DefaultMaxNodes = 100000;
// Past the printed nodes, how many are counted before the count gives up.
constexpr std::int64_t LeftOutCountLimit = 1000000;

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

// "1 node" or "N nodes".
std::string Nodes(std::int64_t count) {
    return IntToStr(count) + (count == 1 ? " node" : " nodes");
}

int RunTree(const std::vector<std::string>& arguments, std::ostream& stream, std::ostream&) {
    const ParsedArguments parsed = ParseArguments(arguments, {}, {"--depth", "--max-nodes"});
    const std::string& path = parsed.SingleOperand("GUIDE");
    int depth = DefaultDepth;
    if (const auto text = parsed.Value("--depth")) {
        const auto value = ReadNumber(*text);
        if (!value || *value < 0)
            throw UsageError("--depth needs a depth of 0 or more, not \"" + *text + "\"");
        depth = *value;
    }
    std::int64_t maxNodes = DefaultMaxNodes;
    if (const auto text = parsed.Value("--max-nodes")) {
        const auto value = ReadNumber(*text);
        if (!value || *value < 1)
            throw UsageError("--max-nodes needs a number of 1 or more, not \"" + *text + "\"");
        maxNodes = *value;
    }

    OpenedGuide guide(path);
    LogicTree tree(guide.Document, guide.Host);
    tree.Build();
    // An opened guide has lines, so an empty tree is a failed build.
    if (tree.Empty())
        throw GuideFormatError(TreeFailure(path));

    BufferedOutput out(stream);
    std::int64_t printed = 0;
    std::int64_t leftOut = 0;
    bool walkedToTheEnd = false;
    try {
        // The nodes are printed as the walk meets them; past the limit they are only counted,
        // and the counting stops past LeftOutCountLimit, since a guide whose jumps meet again
        // may have more nodes than could be counted in any time.
        tree.Walk(depth, [&](const LogicTree::WalkStep& step) {
            if (printed < maxNodes) {
                out << OutlineLine(step.Depth, step.Image, step.RecordNumber,
                                   TerminalCaption(step.Caption))
                    << "\n";
                ++printed;
                return true;
            }
            return ++leftOut <= LeftOutCountLimit;
        });
        walkedToTheEnd = leftOut <= LeftOutCountLimit;
    } catch (const UnreadableTargetError& error) {
        // The tree stops where the Logic View shows its failure: at the record holding it.
        out.Flush();
        throw GuideFormatError(UnreadableTargetFailure(guide.Document.Records, error.Line, path));
    }
    if (leftOut != 0) {
        out << "... " << Nodes(printed) << " printed; "
            << (walkedToTheEnd ? IntToStr(leftOut) : "over " + IntToStr(LeftOutCountLimit))
            << " more left out (--max-nodes N prints more)\n";
    }
    out.Flush();
    return ExitOk;
}

const CommandRegistrar Registrar(
    {"tree", "Prints the Logic View's tree of a guide",
     "dravenloom-cli tree GUIDE [--depth D] [--max-nodes N]\n"
     "  Prints the tree the Logic View shows for GUIDE: record 1 at the root, under each\n"
     "  record its responses, under each response the record it jumps forward to. One node\n"
     "  a line, two blanks of indentation per level: [image] caption #record, where the\n"
     "  record of a response is the record it belongs to, and the image is 0 for the root,\n"
     "  a record with responses or a response whose jump is not shown, 1 for a response\n"
     "  with the record it jumps to below it, 2 for a record without responses.\n"
     "  --depth D      expand every node down to depth D (default 8; the root is depth 0)\n"
     "  --max-nodes N  print at most N nodes (default 100000); when there are more, a last\n"
     "                 line says \"... N nodes printed; K more left out\". Counting stops\n"
     "                 past 1000000 left-out nodes (a tree whose jumps meet again can be\n"
     "                 too large to count): then it says \"over 1000000 more left out\"\n"
     "  A response that jumps to something that is not a record number stops the tree where\n"
     "  its record would be opened (exit status 2, the reason on standard error).\n",
     RunTree});

} // namespace
} // namespace dravenloom::cli
