// `dravenloom-cli check GUIDE`: the author's link checker; lists what is wrong in a guide.
#include "CommandRegistry.h"

#include "document/GuideCheck.h"
#include "document/GuideFile.h"
#include "document/NumberText.h"

#include <ostream>

namespace dravenloom::cli {
namespace {

std::string Records(std::int32_t count) {
    return IntToStr(count) + (count == 1 ? " record" : " records");
}

int RunCheck(const std::vector<std::string>& arguments, std::ostream& out, std::ostream&) {
    const ParsedArguments parsed = ParseArguments(arguments, {}, {});
    const std::string& path = parsed.SingleOperand("GUIDE");
    const GuideCheckResult result = CheckGuideFile(path);
    const std::string name = FileNamePart(path);
    if (result.Findings.empty()) {
        out << "OK: " << Records(result.RecordCount) << ", no problems found in " << name << "\n";
        return ExitOk;
    }
    for (const auto& finding : result.Findings)
        out << FindingText(finding) << "\n";
    const std::size_t count = result.Findings.size();
    out << "\n"
        << IntToStr(static_cast<std::int64_t>(count)) << (count == 1 ? " problem" : " problems")
        << " found in " << name << " (" << Records(result.RecordCount) << ", "
        << IntToStr(static_cast<std::int64_t>(result.LineCount))
        << (result.LineCount == 1 ? " line" : " lines") << ")\n";
    return ExitFindings;
}

const CommandRegistrar Registrar(
    {"check", "Lists what is wrong in a guide: numbering, marks, links, unreachable records",
     "dravenloom-cli check GUIDE\n"
     "  Checks GUIDE (a .dvx file) and lists each problem on one line, naming the file line\n"
     "  (\"line 7: ...\") or the record (\"record 4: ...\"): lines without a record number,\n"
     "  records out of order or missing, more than six responses, targets that are not a\n"
     "  record number or point outside the guide or at their own record, records that no\n"
     "  path from record 1 reaches, mark characters inside texts, center flags other than\n"
     "  yes or no, picture positions that are not numbers.\n"
     "  Exit status: 0 no problems, 1 problems found, 2 the file cannot be read.\n",
     RunCheck});

} // namespace
} // namespace dravenloom::cli
