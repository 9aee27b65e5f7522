// The author's link checker: finds what is wrong in a guide's lines (numbering, marks, links,
// records no reader can reach) and says what the author can do about each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dravenloom {

enum class FindingKind {
    NoRecords,        // the file holds no record lines at all
    NulByte,          // a NUL byte ends the readable text before the end of the file
    NoRecordNumber,   // a line without a leading record number (1 or more) and NumberMark
    NumberNotPlain,   // a record number with a sign or leading zeros ("+3", "03")
    NotFirstRecord,   // the first line is not record 1
    RecordGap,        // a record follows one that is more than one lower
    OutOfOrder,       // a record follows a higher one
    RecordRepeated,   // a record's lines appear again after other records
    TooManyResponses, // more than six response lines
    StrayMark,        // a mark byte where the line layout puts none
    MissingMark,      // a mark byte the line layout needs is not there
    EmptyResponse,    // a response line with no text
    CenterFlag,       // a center flag other than "yes" or "no"
    PicturePosition,  // a picture position that is not a number of pixels
    TargetNotNumber,  // a response target that is not a number
    TargetOutOfRange, // a response target outside 1..RecordCount
    LinksToItself,    // a response of a record that jumps to that record
    Unreachable,      // a record that no path of responses from record 1 reaches
};

// One thing that is wrong. Line is the 1-based line of the file when the finding is about a
// line, else 0; Record is the record concerned, or 0 when it is not known. Message is UTF-8,
// complete and helpful, without the "line N: " or "record N: " prefix (FindingText adds it).
struct GuideFinding {
    FindingKind Kind;
    std::size_t Line = 0;
    std::int32_t Record = 0;
    std::string Message;
};

struct GuideCheckResult {
    // The record count the program would take: the number of the last line that has one.
    std::int32_t RecordCount = 0;
    std::size_t LineCount = 0;
    // Line findings in line order, then findings about whole records in record order.
    std::vector<GuideFinding> Findings;
};

// Checks the lines of a guide. The lines may be as read from the file (BreakMark not yet
// decoded) or as held in the RecordList (CR LF inside texts): only numbers, marks and
// targets are looked at, so both give the same findings for the same guide.
GuideCheckResult CheckGuideLines(const std::vector<std::string>& lines);

// Checks the whole contents of a guide file: split into lines as the program reads them, plus
// a NUL byte that hides the rest of the file.
GuideCheckResult CheckGuideText(const std::string& contents);

// Reads a guide file (UTF-8 path) and checks it; a FileError when it cannot be read.
GuideCheckResult CheckGuideFile(const std::string& path);

// "line 7: " / "record 4: " + the message (the message alone when neither is known).
std::string FindingText(const GuideFinding& finding);

} // namespace dravenloom
