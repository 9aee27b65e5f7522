// The author's link checker.
#include "document/GuideCheck.h"

#include "document/Errors.h"
#include "document/GuideCheckWording.h"
#include "document/GuideFile.h"
#include "document/NumberText.h"
#include "document/RecordCodec.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <string_view>

namespace dravenloom {
namespace {

constexpr std::size_t MaxResponses = 6;

using namespace guidecheck;

class Checker {
public:
    explicit Checker(const std::vector<std::string_view>& lines) : Lines(lines) {}

    GuideCheckResult Run() {
        Result.LineCount = Lines.size();
        if (Lines.empty()) {
            Result.Findings.push_back(
                {FindingKind::NoRecords, 0, 0,
                 "the file holds no record lines: the program opens it as a guide whose only "
                 "record is empty. A guide's first line is record 1, such as "
                 "1\xC2\xA4Welcome\xC2\xB6\xC2\xAA\xC2\xB1\xE2\x82\xAC"
                 "no."});
            return std::move(Result);
        }
        ReadNumbers();
        for (std::size_t i = 0; i < Lines.size(); ++i)
            CheckLine(i);
        EndRecord();
        FindUnreachable();
        std::stable_sort(
            RecordFindings.begin(), RecordFindings.end(),
            [](const GuideFinding& a, const GuideFinding& b) { return a.Record < b.Record; });
        std::move(RecordFindings.begin(), RecordFindings.end(),
                  std::back_inserter(Result.Findings));
        return std::move(Result);
    }

private:
    struct LineNumberInfo {
        bool Valid = false;
        bool Primary = false;
        std::int32_t Number = 0;
    };

    // First pass: every line's number, which lines start a record, where each record first
    // starts, and the record count the program would take.
    void ReadNumbers() {
        Info.resize(Lines.size());
        std::int32_t previous = 0;
        bool havePrevious = false;
        for (std::size_t i = 0; i < Lines.size(); ++i) {
            std::int32_t number = 0;
            if (!TryLineNumber(Lines[i], number) || number < 1)
                continue;
            Info[i].Valid = true;
            Info[i].Number = number;
            Info[i].Primary = !havePrevious || number != previous;
            if (Info[i].Primary)
                Starts.push_back({number, i});
            previous = number;
            havePrevious = true;
            Result.RecordCount = number;
        }
        // In a sound guide the records already stand in ascending order, once each. Otherwise
        // the stable sort keeps each record's first start ahead of its later ones, which go.
        const auto byNumber = [](const Start& a, const Start& b) { return a.Number < b.Number; };
        if (std::adjacent_find(Starts.begin(), Starts.end(), [](const Start& a, const Start& b) {
                return a.Number >= b.Number;
            }) != Starts.end()) {
            std::stable_sort(Starts.begin(), Starts.end(), byNumber);
            Starts.erase(
                std::unique(Starts.begin(), Starts.end(),
                            [](const Start& a, const Start& b) { return a.Number == b.Number; }),
                Starts.end());
        }
        Present.reserve(Starts.size());
        for (const Start& start : Starts)
            Present.push_back(start.Number);
    }

    // Where `number` stands in Present, or npos. Records numbered 1 to M without gaps stand
    // at number - 1.
    std::size_t PresentIndex(std::int32_t number) const {
        if (number >= 1 && static_cast<std::size_t>(number) <= Present.size() &&
            Present[static_cast<std::size_t>(number) - 1] == number)
            return static_cast<std::size_t>(number) - 1;
        const auto found = std::lower_bound(Present.begin(), Present.end(), number);
        return found != Present.end() && *found == number
                   ? static_cast<std::size_t>(found - Present.begin())
                   : std::string_view::npos;
    }

    bool IsPresent(std::int32_t number) const {
        return PresentIndex(number) != std::string_view::npos;
    }

    void Add(FindingKind kind, std::size_t index, std::int32_t record, std::string message) {
        Result.Findings.push_back({kind, index + 1, record, std::move(message)});
    }

    void CheckLine(std::size_t index) {
        const std::string_view line = Lines[index];
        const LineNumberInfo& info = Info[index];
        if (!info.Valid) {
            CheckUnnumbered(index);
            return;
        }
        const std::string_view prefix = line.substr(0, line.find(NumberMark));
        if (!IsPlainNumber(prefix))
            Add(FindingKind::NumberNotPlain, index, info.Number,
                "the record number is written " + Quote(prefix) + "; write it as " +
                    Num(info.Number) +
                    ", digits only with no sign or leading zero, as the program writes it.");
        const std::string_view rest = line.substr(prefix.size() + 1);
        if (info.Primary)
            CheckPrimary(index, rest);
        else
            CheckResponse(index, rest);
    }

    void CheckUnnumbered(std::size_t index) {
        const std::string_view line = Lines[index];
        std::int32_t number = 0;
        if (line.empty())
            Add(FindingKind::NoRecordNumber, index, 0,
                "the line is empty, and the program refuses to open a guide with a line that "
                "does not start with a record number. Remove the empty line.");
        else if (TryLineNumber(line, number))
            Add(FindingKind::NoRecordNumber, index, 0,
                "the record number " + Num(number) +
                    " is not valid, as records are numbered from 1, so the program refuses to "
                    "open the guide. Give the line the number of the record it belongs to.");
        else
            Add(FindingKind::NoRecordNumber, index, 0,
                "the line does not start with a record number followed by " + MarkName(NumberMark) +
                    ", so the program refuses to open the guide. Put the number of the record "
                    "the line belongs to and \xC2\xA4 in front of it, or remove the line.");
    }

    void CheckPrimary(std::size_t index, std::string_view rest) {
        EndRecord();
        const std::int32_t number = Info[index].Number;
        // Repeated lines of an earlier record are out of the run; the records after them
        // continue from the one before.
        if (CheckOrder(index, number))
            PreviousPrimary = number;
        CurrentRecord = number;
        ResponseCount = 0;
        FirstExtraResponse = 0;
        LastResponse = 0;

        const MarkAlignment marks = AlignMarks(rest, PrimaryMarks);
        static constexpr std::array<const char*, 5> Fields = {
            "the dialogue", "the picture path", "the picture's X position",
            "the picture's Y position", "the center flag"};
        const auto owner = [number] { return " of record " + Num(number); };
        ReportStrays(index, number, marks, [&](std::size_t field) {
            return std::string(Fields[std::min<std::size_t>(field, 4)]) + owner();
        });
        if (!marks.Missing.empty())
            Add(FindingKind::MissingMark, index, number,
                "the first line of record " + Num(number) + " lacks " + MarkList(marks.Missing) +
                    ", so its parts are read wrongly. A record's first line holds: number, "
                    "\xC2\xA4, dialogue, \xC2\xB6, picture path, \xC2\xAA, X, \xC2\xB1, Y, "
                    "\xE2\x82\xAC, then yes or no.");
        if (!marks.Strays.empty() || !marks.Missing.empty())
            return;

        // Each mark stands once, in order: the fields lie between them.
        const std::size_t text = rest.find(TextMark);
        const std::size_t x = rest.find(XMark);
        const std::size_t y = rest.find(YMark);
        const std::size_t center = rest.find(CenterMark);
        const std::string_view flag = rest.substr(center + 1);
        if (flag != "yes" && flag != "no")
            Add(FindingKind::CenterFlag, index, number,
                "the center flag" + owner() + " is " + Quote(flag) +
                    ", which reads as not centred; write yes or no.");
        if (x > text + 1) { // a picture path: its position is read
            CheckPosition(index, number, "X", rest.substr(x + 1, y - x - 1), "300");
            CheckPosition(index, number, "Y", rest.substr(y + 1, center - y - 1), "0");
        }
    }

    void CheckPosition(std::size_t index, std::int32_t number, const char* axis,
                       std::string_view value, const char* example) {
        const auto read = ReadNumber(value);
        if (read && *read >= 0)
            return;
        Add(FindingKind::PicturePosition, index, number,
            std::string("the picture's ") + axis + " position of record " + Num(number) + " is " +
                Quote(value) +
                ", which is not a number of pixels, so the picture cannot be placed. Write a "
                "whole number of 0 or more, such as " +
                example + ".");
    }

    // Reports a record that does not follow the one before; false for repeated lines of an
    // earlier record.
    bool CheckOrder(std::size_t index, std::int32_t number) {
        if (NextRecordNumber(PreviousPrimary) == number)
            return true;
        if (PreviousPrimary == 0) {
            Add(FindingKind::NotFirstRecord, index, number,
                "the guide starts with record " + Num(number) +
                    ", but its first record must be record 1: " + Gap(0, number));
            return true;
        }
        if (number > PreviousPrimary) {
            Add(FindingKind::RecordGap, index, number,
                "record " + Num(number) + " follows record " + Num(PreviousPrimary) + ": " +
                    Gap(PreviousPrimary, number));
            return true;
        }
        const std::size_t first = Starts[PresentIndex(number)].Line;
        if (first < index) {
            Add(FindingKind::RecordRepeated, index, number,
                "record " + Num(number) + " appears again after record " + Num(PreviousPrimary) +
                    " (its lines start at line " + Num(static_cast<std::int64_t>(first) + 1) +
                    "), and the program reads only the first. Move these lines to the others "
                    "of record " +
                    Num(number) + ", or give them the number of a new record.");
            return false;
        }
        Add(FindingKind::OutOfOrder, index, number,
            "record " + Num(number) + " follows record " + Num(PreviousPrimary) +
                ", but records must stand in ascending order. Move the lines of record " +
                Num(number) + " before those of record " + Num(PreviousPrimary) + ".");
        return true;
    }

    // What lies between `low` and `high` (both excluded): missing records, or records that
    // stand elsewhere in the file.
    std::string Gap(std::int32_t low, std::int32_t high) const {
        const auto from = std::upper_bound(Present.begin(), Present.end(), low);
        const auto to = std::lower_bound(Present.begin(), Present.end(), high);
        const std::int64_t elsewhere = std::distance(from, to);
        const std::int64_t total = std::int64_t{high} - low - 1;
        const std::string range = RecordRange(std::int64_t{low} + 1, std::int64_t{high} - 1);
        if (elsewhere == 0)
            return range + (total == 1 ? " is" : " are") +
                   " missing. Records are numbered without gaps: add the missing " +
                   (total == 1 ? "record" : "records") + " or renumber the records from here on.";
        if (elsewhere == total)
            return range + (total == 1 ? " stands" : " stand") +
                   " elsewhere in the file, but records must stand in ascending order. Move " +
                   (total == 1 ? "it" : "them") + " to " + (total == 1 ? "its" : "their") +
                   " place before record " + Num(high) + ".";
        if (total <= 12) {
            // Few enough to name: which are missing and which stand elsewhere.
            std::vector<std::int32_t> absent;
            std::vector<std::int32_t> placed;
            for (std::int32_t n = low + 1; n < high; ++n)
                (IsPresent(n) ? placed : absent).push_back(n);
            return Names(absent) + (absent.size() == 1 ? " is" : " are") + " missing and " +
                   Names(placed) + (placed.size() == 1 ? " stands" : " stand") +
                   " elsewhere in the file. Records must stand in ascending order without "
                   "gaps: move the others to their place, and add the missing ones or renumber.";
        }
        return "of " + range + ", " + Num(total - elsewhere) +
               (total - elsewhere == 1 ? " is" : " are") +
               " missing and the others stand elsewhere in the file. Records must stand in "
               "ascending order without gaps: move the others to their place, and add the "
               "missing ones or renumber.";
    }

    static std::string Who(std::int32_t number, std::size_t slot) {
        return "response " + Num(static_cast<std::int64_t>(slot)) + " of record " + Num(number);
    }

    void CheckResponse(std::size_t index, std::string_view rest) {
        const std::int32_t number = Info[index].Number;
        ++ResponseCount;
        const std::size_t slot = ResponseCount;
        if (slot == MaxResponses + 1)
            FirstExtraResponse = index + 1;
        LastResponse = index + 1;

        const auto owner = [&] { return " of " + Who(number, slot); };
        const MarkAlignment marks = AlignMarks(rest, ResponseMarks);
        ReportStrays(index, number, marks, [&](std::size_t field) {
            return std::string(field == 0 ? "the text" : "the target") + owner();
        });
        if (!marks.Missing.empty())
            Add(FindingKind::MissingMark, index, number,
                Who(number, slot) + " lacks " + MarkName(TextMark) +
                    " after its text, so its text is read as empty. A response line holds: "
                    "number, \xC2\xA4, text, \xC2\xB6, target.");
        if (!marks.Strays.empty() || !marks.Missing.empty())
            return;

        if (LineText(Lines[index]).empty())
            Add(FindingKind::EmptyResponse, index, number,
                Who(number, slot) +
                    " has no text, so the editor shows it as an empty slot and drops the line, "
                    "with its jump, the next time the record is stored. Give it a text or remove "
                    "the line.");
        CheckTarget(index, number, slot, LineTarget(Lines[index]));
    }

    void CheckTarget(std::size_t index, std::int32_t number, std::size_t slot,
                     std::string_view target) {
        if (target.empty())
            return; // a response without a jump (a web link, or not chosen yet)
        const auto who = [&] { return Who(number, slot); };
        const auto records = [&] {
            return Result.RecordCount == 1 ? std::string("record 1")
                                           : "records 1 to " + Num(Result.RecordCount);
        };
        const auto value = ReadNumber(target);
        if (!value) {
            Add(FindingKind::TargetNotNumber, index, number,
                who() + " jumps to " + Quote(target) +
                    ", which is not a record number. Write the number of one of " + records() +
                    ", or leave the target empty for a response without a jump.");
            return;
        }
        if (*value < 1 || *value > Result.RecordCount) {
            Add(FindingKind::TargetOutOfRange, index, number,
                who() + " jumps to record " + Num(*value) +
                    ", which does not exist: the guide has " + records() +
                    ". Point it at one of them, or leave the target empty.");
            return;
        }
        if (!IsPresent(*value)) {
            Add(FindingKind::TargetOutOfRange, index, number,
                who() + " jumps to record " + Num(*value) +
                    ", which is missing from the file. Point it at another record, or add "
                    "record " +
                    Num(*value) + ".");
            return;
        }
        if (*value == number) {
            Add(FindingKind::LinksToItself, index, number,
                who() + " jumps to record " + Num(number) +
                    " itself, so the reader stays on the same screen. Point it at another "
                    "record.");
            return;
        }
        // Only the six responses the program reads lead anywhere.
        if (slot <= MaxResponses)
            Links.emplace_back(number, *value);
    }

    template <typename FieldName>
    void ReportStrays(std::size_t index, std::int32_t number, const MarkAlignment& marks,
                      FieldName fieldName) {
        // One finding per field and mark, however often the mark stands there.
        std::vector<std::pair<MarkAlignment::Stray, int>> groups;
        for (const auto& stray : marks.Strays) {
            auto same = std::find_if(groups.begin(), groups.end(), [&](const auto& group) {
                return group.first.Mark == stray.Mark && group.first.Field == stray.Field;
            });
            if (same == groups.end())
                groups.push_back({stray, 1});
            else
                ++same->second;
        }
        for (const auto& [stray, count] : groups) {
            std::string times = count == 1   ? ""
                                : count == 2 ? " twice"
                                             : " " + Num(count) + " times";
            std::string advice = stray.Mark == CenterMark
                                     ? "Remove it, or write EUR instead of the euro sign."
                                     : "Remove it or replace it with another character.";
            Add(FindingKind::StrayMark, index, number,
                fieldName(stray.Field) + " holds " + MarkName(stray.Mark) + times +
                    ", a character that " + MarkRole(stray.Mark) +
                    " in a record line and cannot be kept as text: the line is read wrongly "
                    "there. " +
                    advice);
        }
    }

    // Closes the record whose lines were read last.
    void EndRecord() {
        if (CurrentRecord != 0 && ResponseCount > MaxResponses) {
            const std::size_t first = FirstExtraResponse;
            const std::size_t last = LastResponse;
            RecordFindings.push_back(
                {FindingKind::TooManyResponses, 0, CurrentRecord,
                 "it has " + Num(static_cast<std::int64_t>(ResponseCount)) +
                     " responses, but a record holds at most six: the program shows only the "
                     "first six, so the " +
                     (first == last
                          ? "response on line " + Num(static_cast<std::int64_t>(first))
                          : "responses on lines " + Num(static_cast<std::int64_t>(first)) + " to " +
                                Num(static_cast<std::int64_t>(last))) +
                     " cannot be seen or edited. Move them to another record or remove them."});
        }
        CurrentRecord = 0;
        ResponseCount = 0;
    }

    void FindUnreachable() {
        if (!IsPresent(1))
            return; // the missing first record is reported already
        const auto position = [this](std::int32_t number) { return PresentIndex(number); };
        // Links grouped by the record they leave from.
        std::vector<std::size_t> start(Present.size() + 1, 0);
        for (const auto& link : Links)
            ++start[position(link.first) + 1];
        for (std::size_t i = 1; i < start.size(); ++i)
            start[i] += start[i - 1];
        std::vector<std::size_t> targets(Links.size());
        std::vector<std::size_t> fill(start.begin(), start.end() - 1);
        for (const auto& link : Links)
            targets[fill[position(link.first)]++] = position(link.second);

        std::vector<bool> reached(Present.size(), false);
        std::vector<std::size_t> queue{position(1)};
        reached[queue.front()] = true;
        for (std::size_t next = 0; next < queue.size(); ++next) {
            const std::size_t from = queue[next];
            for (std::size_t t = start[from]; t < start[from + 1]; ++t) {
                if (!reached[targets[t]]) {
                    reached[targets[t]] = true;
                    queue.push_back(targets[t]);
                }
            }
        }
        for (std::size_t i = 0; i < Present.size(); ++i) {
            if (reached[i] || Present[i] > Result.RecordCount)
                continue;
            RecordFindings.push_back(
                {FindingKind::Unreachable, 0, Present[i],
                 "no path of responses from record 1 reaches it, so readers never see it. Link "
                 "to it from a response of a record they can reach, or remove it."});
        }
    }

    struct Start {
        std::int32_t Number;
        std::size_t Line; // the first line of the record
    };

    const std::vector<std::string_view>& Lines;
    GuideCheckResult Result;
    std::vector<LineNumberInfo> Info;
    std::vector<Start> Starts;         // each record once, by number, where it first starts
    std::vector<std::int32_t> Present; // the numbers of Starts
    std::vector<GuideFinding> RecordFindings;
    std::vector<std::pair<std::int32_t, std::int32_t>> Links; // record -> target

    std::int32_t PreviousPrimary = 0;
    std::int32_t CurrentRecord = 0;
    std::size_t ResponseCount = 0;
    std::size_t FirstExtraResponse = 0; // 1-based lines
    std::size_t LastResponse = 0;
};

} // namespace

GuideCheckResult CheckGuideLines(const std::vector<std::string>& lines) {
    const std::vector<std::string_view> views(lines.begin(), lines.end());
    return Checker(views).Run();
}

GuideCheckResult CheckGuideText(const std::string& contents) {
    // The lines are only looked at, so views into the text do: no line is copied.
    const std::vector<std::string_view> lines = SplitGuideTextViews(contents);
    GuideCheckResult result = Checker(lines).Run();
    const std::size_t nul = contents.find('\0');
    if (nul == std::string::npos || contents.find_first_not_of('\0', nul) == std::string::npos)
        return result;
    // The NUL stands on the last line read, or starts a new one after a line end.
    const bool startsLine = nul == 0 || contents[nul - 1] == '\r' || contents[nul - 1] == '\n';
    const std::size_t line = lines.size() + (startsLine ? 1 : 0);
    const std::size_t ignored = contents.size() - nul - 1;
    GuideFinding finding{FindingKind::NulByte, line, 0,
                         "a NUL byte (0x00) ends the text that the program reads, so the " +
                             Num(static_cast<std::int64_t>(ignored)) +
                             " bytes after it are ignored, and lost the next time the guide is "
                             "saved. Remove the NUL byte."};
    // Keep the line findings in line order.
    auto at = std::find_if(result.Findings.begin(), result.Findings.end(),
                           [&](const GuideFinding& f) { return f.Line == 0 || f.Line > line; });
    if (result.Findings.size() == 1 && result.Findings.front().Kind == FindingKind::NoRecords)
        at = result.Findings.end();
    result.Findings.insert(at, std::move(finding));
    return result;
}

GuideCheckResult CheckGuideFile(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(PathFromText(path), error))
        throw FileError("Cannot open file \"" + path + "\". It is a directory");
    return CheckGuideText(ReadFileBytes(path));
}

std::string FindingText(const GuideFinding& finding) {
    if (finding.Line != 0)
        return "line " + Num(static_cast<std::int64_t>(finding.Line)) + ": " + finding.Message;
    if (finding.Record != 0)
        return "record " + Num(finding.Record) + ": " + finding.Message;
    return finding.Message;
}

} // namespace dravenloom
