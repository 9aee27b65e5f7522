// `dravenloom-cli proof GUIDE --output FILE`: the proof copy for reviewers, as PDF or as one
// HTML page by the ending of FILE's name.
#include "CommandRegistry.h"
#include "OpenedGuide.h"
#include "QtApplication.h"

#include "document/GuideFile.h"
#include "publish/ProofCopy.h"
#include "qtshared/ProofFile.h"

#include <ostream>

namespace dravenloom::cli {
namespace {

int RunProof(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const ParsedArguments parsed = ParseArguments(arguments, {}, {"--output"});
    const std::string& path = parsed.SingleOperand("GUIDE");
    const auto output = parsed.Value("--output");
    if (!output || output->empty())
        throw UsageError("give the file to write with --output FILE.pdf or FILE.html");
    if (!ProofKindOf(*output))
        throw UsageError("the proof copy is written as .pdf or .html: \"" + *output +
                         "\" ends in neither");

    const OpenedGuide guide(path);
    const ProofCopy copy = BuildProofCopy(guide.Document.Records, path);
    // Fonts, pictures and the PDF writer need a GUI application; no display is used.
    QtApplication application(QtApplication::Kind::Offscreen);
    try {
        WriteProofCopy(copy, *output);
    } catch (const DravenloomError& failure) {
        err << ProgramName << " proof: " << failure.what() << "\n";
        return ExitFailure;
    }
    out << "Wrote the proof copy of " << FileNamePart(path) << " (" << copy.Entries.size()
        << (copy.Entries.size() == 1 ? " record" : " records") << ") to " << *output << "\n";
    return ExitOk;
}

const CommandRegistrar Registrar(
    {"proof", "Writes a proof copy of a guide for reviewers, as PDF or HTML",
     "dravenloom-cli proof GUIDE --output FILE\n"
     "  Every record in number order: its number, the dialogue, the picture scaled down, each\n"
     "  response with where it goes (\"\xE2\x86\x92 3\" for a record, the web address of a link,\n"
     "  \"no link\"), and the records that jump to it.\n"
     "  --output FILE  FILE.pdf: pages of the size the locale uses (Letter where it measures\n"
     "                 in US units, A4 elsewhere), with the guide's name and the page number\n"
     "                 on every page. FILE.html or FILE.htm: one page that holds everything,\n"
     "                 pictures included. The file is written through a temporary file.\n"
     "  Exit status: 0 written; 2 a bad command line (also a FILE ending in neither .pdf nor\n"
     "  .html), an unreadable guide, or a file that cannot be written.\n",
     RunProof});

} // namespace
} // namespace dravenloom::cli
