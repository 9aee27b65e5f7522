// Replacing matches in the record list.
#include "document/GuideReplace.h"

#include "document/Cp1252.h"
#include "document/NumberText.h"

namespace dravenloom {

namespace {

// Where a CR or an LF stands without the other: the line would split in the file.
bool HasLoneBreak(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
            return true;
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            return true;
    }
    return false;
}

std::string Where(const GuideMatch& match) {
    return match.Field == MatchField::Dialogue
               ? "the dialogue of record " + IntToStr(match.Record)
               : "response " + IntToStr(match.Response) + " of record " + IntToStr(match.Record);
}

// The replacement for one match as guide bytes, or the refusal.
bool ConvertReplacement(const std::string& utf8, std::string& bytes, std::string& refusal) {
    TypedTextConversion converted = Utf8ToGuideText(utf8);
    if (!converted.Accepted) {
        refusal = "Nothing was replaced. " + converted.Reason;
        return false;
    }
    bytes = std::move(converted.Bytes);
    return true;
}

} // namespace

ReplacePlan PlanReplacements(const RecordList& records, const TextPattern& pattern,
                             const std::vector<GuideMatch>& matches,
                             std::string_view utf8Replacement) {
    ReplacePlan plan;
    // A plain replacement is the same for every match: converted once.
    std::string plain;
    if (!pattern.Options().Regex &&
        !ConvertReplacement(std::string(utf8Replacement), plain, plan.Refusal))
        return plan;
    std::int32_t lastRecord = 0;
    for (std::size_t m = 0; m < matches.size();) {
        const GuideMatch& first = matches[m];
        const std::string& line = records.Lines.at(first.Line);
        const TextSpan span = LineTextSpan(line);
        const std::string_view text =
            std::string_view(line).substr(span.Begin, span.End - span.Begin);
        std::string changed;
        changed.reserve(text.size() + 16);
        std::size_t copied = 0;
        for (; m < matches.size() && matches[m].Line == first.Line; ++m) {
            const GuideMatch& match = matches[m];
            std::string bytes = plain;
            if (pattern.Options().Regex &&
                !ConvertReplacement(
                    pattern.Replacement(text, {match.Start, match.Length}, utf8Replacement), bytes,
                    plan.Refusal))
                return plan;
            changed.append(text.substr(copied, match.Start - copied));
            changed += bytes;
            copied = match.Start + match.Length;
            ++plan.Replacements;
        }
        changed.append(text.substr(copied));
        if (changed.empty() &&
            (first.Field == MatchField::Response || ParsePrimaryLine(line).GraphicPath.empty())) {
            plan.Refusal = "Nothing was replaced: the replacement would leave " + Where(first) +
                           (first.Field == MatchField::Response
                                ? " empty, and an empty response is deleted with its jump."
                                : " empty, and a record without dialogue or picture is not "
                                  "kept.");
            return plan;
        }
        if (HasLoneBreak(changed)) {
            plan.Refusal = "Nothing was replaced: the replacement would leave a line break "
                           "half removed in " +
                           Where(first) + ".";
            return plan;
        }
        if (changed == text)
            continue;
        std::string after = line.substr(0, span.Begin);
        after += changed;
        after.append(line, span.End, std::string::npos);
        plan.Edits.push_back({first.Line, line, std::move(after)});
        if (first.Record != lastRecord) {
            ++plan.Records;
            lastRecord = first.Record;
        }
    }
    return plan;
}

void ApplyLineEdits(RecordList& records, const std::vector<LineEdit>& edits) {
    for (const LineEdit& edit : edits)
        records.Lines.at(edit.Index) = edit.After;
}

void LineEditsChange::Undo() {
    for (const LineEdit& edit : Edits)
        List.Lines.at(edit.Index) = edit.Before;
}

void LineEditsChange::Redo() {
    ApplyLineEdits(List, Edits);
}

std::size_t LineEditsChange::Size() const {
    std::size_t bytes = sizeof(*this);
    for (const LineEdit& edit : Edits)
        bytes += sizeof(edit) + edit.Before.size() + edit.After.size();
    return bytes;
}

} // namespace dravenloom
