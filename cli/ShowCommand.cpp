// `dravenloom-cli show GUIDE [--record N] [--json]`: prints the records of a guide as the
// program reads them, for people or as JSON.
#include "CommandRegistry.h"
#include "OpenedGuide.h"
#include "TextOutput.h"

#include "document/Cp1252.h"
#include "document/Errors.h"
#include "document/NumberText.h"

#include <algorithm>
#include <ostream>

namespace dravenloom::cli {
namespace {

constexpr std::string_view Indent = "  ";
constexpr std::size_t LabelWidth = 11; // "Responses: "

// "  Label:     first line" and the further lines indented under the first.
void WriteField(BufferedOutput& out, std::string_view label,
                const std::vector<std::string>& lines) {
    out << Indent << label << std::string(LabelWidth - label.size(), ' ') << lines.front() << "\n";
    for (std::size_t i = 1; i < lines.size(); ++i)
        out << Indent << std::string(LabelWidth, ' ') << lines[i] << "\n";
}

void WriteRecordText(BufferedOutput& out, std::int32_t number, std::int32_t count,
                     const GuideRecord& record, bool hasLines) {
    out << "Record " << IntToStr(number) << " of " << IntToStr(count) << "\n";
    if (!hasLines)
        out << Indent << "(no lines in the file: the program shows it empty)\n";
    WriteField(out, "Dialogue:",
               record.Dialogue.empty() ? std::vector<std::string>{"(empty)"}
                                       : TerminalLines(record.Dialogue));
    if (record.GraphicPath.empty()) {
        WriteField(out, "Picture:", {"none"});
    } else {
        std::vector<std::string> picture = TerminalLines(record.GraphicPath);
        picture.back() += " at " + TerminalLines(record.GraphicX).front() + ", " +
                          TerminalLines(record.GraphicY).front();
        WriteField(out, "Picture:", picture);
    }
    WriteField(out, "Centred:", {record.Center ? "yes" : "no"});
    std::vector<std::string> responses;
    int shown = 0;
    for (const auto& slot : record.Responses) {
        if (slot.Text.empty())
            continue;
        std::vector<std::string> lines = TerminalLines(slot.Text);
        lines.back() +=
            slot.Target.empty() ? "  (no jump)" : "  -> " + TerminalLines(slot.Target).front();
        const std::string mark = IntToStr(++shown) + ". ";
        responses.push_back(mark + lines.front());
        for (std::size_t i = 1; i < lines.size(); ++i)
            responses.push_back(std::string(mark.size(), ' ') + lines[i]);
    }
    if (responses.empty())
        responses.push_back("none");
    WriteField(out, "Responses:", responses);
}

void WriteRecordJson(BufferedOutput& out, std::int32_t number, const GuideRecord& record) {
    out << "{\"number\": " << IntToStr(number)
        << ", \"dialogue\": " << JsonString(Cp1252ToUtf8(record.Dialogue))
        << ", \"graphicPath\": " << JsonString(Cp1252ToUtf8(record.GraphicPath))
        << ", \"graphicX\": " << JsonString(Cp1252ToUtf8(record.GraphicX))
        << ", \"graphicY\": " << JsonString(Cp1252ToUtf8(record.GraphicY))
        << ", \"center\": " << (record.Center ? "true" : "false") << ", \"responses\": [";
    bool first = true;
    for (const auto& slot : record.Responses) {
        if (slot.Text.empty())
            continue;
        out << (first ? "" : ", ") << "{\"text\": " << JsonString(Cp1252ToUtf8(slot.Text))
            << ", \"target\": " << JsonString(Cp1252ToUtf8(slot.Target)) << "}";
        first = false;
    }
    out << "]}";
}

int RunShow(const std::vector<std::string>& arguments, std::ostream& stream, std::ostream&) {
    const ParsedArguments parsed = ParseArguments(arguments, {"--json"}, {"--record"});
    const std::string& path = parsed.SingleOperand("GUIDE");
    std::optional<std::int32_t> only;
    if (const auto text = parsed.Value("--record")) {
        only = ReadNumber(*text);
        if (!only)
            throw UsageError("--record needs a record number, not \"" + *text + "\"");
    }
    const bool json = parsed.Has("--json");

    const OpenedGuide guide(path);
    const std::int32_t count = guide.Document.RecordCount;
    if (only && (*only < 1 || *only > count))
        throw DravenloomError("Record " + IntToStr(*only) + " does not exist: the guide \"" + path +
                              "\" has " +
                              (count == 1 ? "only record 1" : "records 1 to " + IntToStr(count)));
    const std::int32_t first = only ? *only : 1;
    const std::int32_t last = only ? *only : count;

    const RecordReader reader(guide.Document.Records);
    BufferedOutput out(stream);
    if (json)
        out << "{\"recordCount\": " << IntToStr(count) << ", \"records\": [";
    for (std::int32_t number = first; number <= last; ++number) {
        if (json) {
            if (number != first)
                out << ", ";
            WriteRecordJson(out, number, reader.Read(number));
        } else {
            if (number != first)
                out << "\n";
            // A run of records without lines (a gap in the numbering, however long) is one
            // entry.
            const auto next = reader.NextWithLines(number);
            const std::int32_t runEnd = next ? std::min(*next - 1, last) : last;
            if (next == number) {
                WriteRecordText(out, number, count, reader.Read(number), true);
            } else if (runEnd == number) {
                WriteRecordText(out, number, count, GuideRecord{}, false);
            } else {
                out << "Records " << IntToStr(number) << " to " << IntToStr(runEnd) << " of "
                    << IntToStr(count) << "\n"
                    << Indent << "(no lines in the file: the program shows them empty)\n";
                number = runEnd;
            }
        }
        if (number == last)
            break; // `last` may be the highest 32-bit number
    }
    if (json)
        out << "]}\n";
    return ExitOk;
}

const CommandRegistrar Registrar(
    {"show", "Prints the records of a guide as the program reads them",
     "dravenloom-cli show GUIDE [--record N] [--json]\n"
     "  Prints every record of GUIDE (a .dvx file), numbered from 1 to the record count\n"
     "  (the number of the file's last line), as the program reads them.\n"
     "  --record N  print only record N\n"
     "  --json      print one JSON object instead: {\"recordCount\": M, \"records\": [...]},\n"
     "              texts in UTF-8, line breaks inside texts kept as \\r\\n\n",
     RunShow});

} // namespace
} // namespace dravenloom::cli
