// The proof copy of a guide for reviewers: every record in number order with its dialogue, its
// picture, its responses and where each goes, and the records that jump to it.
#pragma once

#include "document/Errors.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace dravenloom {

class RecordList;

inline constexpr const char* ProofCaption = "Export P&roof Copy...";
inline constexpr const char* ProofTitle = "Export Proof Copy";
inline constexpr const char* ProofFilter =
    "PDF Files (*.pdf)|*.pdf|HTML Files (*.html, *.htm)|*.html; *.htm";
inline constexpr const char* ProofExtension = "pdf";

// A proof copy that cannot be written: the message names the file and the reason.
class ProofError : public DravenloomError {
public:
    using DravenloomError::DravenloomError;
};

// Where a response takes the reader, as the published guide follows it: link markup wins over
// a target, and a target that is no number goes nowhere.
enum class ProofDestination {
    Record,        // the record Target
    MissingRecord, // a number no record of the guide has
    WebLink,       // the web address Address
    Nowhere,       // no link
};

struct ProofResponse {
    std::string Text; // as the reader sees it (link markup taken out), code page 1252
    ProofDestination Destination = ProofDestination::Nowhere;
    std::int32_t Target = 0; // Record and MissingRecord
    std::string Address;     // WebLink, as written, code page 1252
};

struct ProofEntry {
    std::int32_t Number = 0;
    std::string Dialogue;              // code page 1252, CR LF between lines
    std::string PicturePath;           // as the record stores it (code page 1252); empty: none
    std::filesystem::path PictureFile; // where the program finds that picture
    std::vector<ProofResponse> Responses;
    std::vector<std::int32_t> JumpedFrom; // records with a response that leads here, ascending
};

struct ProofCopy {
    std::string GuideName;           // the guide's file name without folder (UTF-8), on every page
    std::vector<ProofEntry> Entries; // ascending by number
};

// The proof copy of the records in `records` of the guide `guideFile` (UTF-8 path, or
// "Untitled"). Each record is read as the editor reads it: its first block of lines, at most
// six responses; records are taken in number order, whatever order their lines stand in.
// A picture path of blanks is no picture. A line that cannot be read fails with a
// ConversionError.
ProofCopy BuildProofCopy(const RecordList& records, const std::string& guideFile);

// Where a response goes, for the reader of the proof (UTF-8): "→ 3", "→ 9 (no such record)",
// the web address, or "no link".
std::string DestinationText(const ProofResponse& response);

// The kinds of file a proof copy is written as, by the ending of the file's name (any case):
// ".pdf", and ".html" or ".htm".
enum class ProofKind { Pdf, Html };
std::optional<ProofKind> ProofKindOf(const std::string& path);

} // namespace dravenloom
