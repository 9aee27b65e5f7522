// Building the proof copy from the record list.
#include "publish/ProofCopy.h"

#include "document/Cp1252.h"
#include "document/NumberText.h"
#include "document/RecordCodec.h"
#include "document/RecordList.h"
#include "preview/PictureLocation.h"
#include "preview/Wrapping.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>

namespace dravenloom {

namespace {

constexpr std::size_t MostResponses = 6;

bool HasPicture(std::string_view path) {
    return std::any_of(path.begin(), path.end(),
                       [](char c) { return static_cast<unsigned char>(c) > 0x20; });
}

ProofResponse ReadResponse(std::string_view line) {
    ProofResponse response;
    const std::string_view text = LineText(line);
    if (auto link = FindLink(text)) {
        response.Text = std::move(link->Displayed);
        response.Address = std::move(link->Address);
        response.Destination = ProofDestination::WebLink;
        return response;
    }
    response.Text = std::string(text);
    if (const auto target = ReadNumber(LineTarget(line))) {
        response.Target = *target;
        response.Destination = ProofDestination::Record;
    }
    return response;
}

bool EndsWith(const std::string& text, std::string_view ending) {
    if (text.size() < ending.size())
        return false;
    return std::equal(ending.begin(), ending.end(), text.end() - ending.size(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

} // namespace

ProofCopy BuildProofCopy(const RecordList& records, const std::string& guideFile) {
    ProofCopy copy;
    copy.GuideName = guideFile.substr(guideFile.find_last_of("/\\") + 1);

    // One pass over the lines: each record's first block, as ReadRecord finds it.
    std::unordered_map<std::int32_t, std::size_t> entryOf;
    ProofEntry* reading = nullptr; // the record whose response lines follow, if they count
    std::int32_t previous = 0;
    for (std::size_t i = 0; i < records.Lines.size(); ++i) {
        const std::string& line = records.Lines[i];
        const std::int32_t number = LineNumber(line);
        if (i > 0 && number == previous) {
            if (reading && reading->Responses.size() < MostResponses)
                reading->Responses.push_back(ReadResponse(line));
            continue;
        }
        previous = number;
        reading = nullptr;
        if (!entryOf.try_emplace(number, copy.Entries.size()).second)
            continue; // a later block of a number the editor never shows
        ProofEntry& entry = copy.Entries.emplace_back();
        PrimaryFields primary = ParsePrimaryLine(line);
        entry.Number = number;
        entry.Dialogue = std::move(primary.Dialogue);
        if (HasPicture(primary.GraphicPath)) {
            entry.PicturePath = std::move(primary.GraphicPath);
            entry.PictureFile = FindPictureFile(entry.PicturePath, guideFile);
        }
        reading = &entry;
    }
    std::sort(copy.Entries.begin(), copy.Entries.end(),
              [](const ProofEntry& a, const ProofEntry& b) { return a.Number < b.Number; });
    entryOf.clear();
    for (std::size_t k = 0; k < copy.Entries.size(); ++k)
        entryOf.emplace(copy.Entries[k].Number, k);

    for (const ProofEntry& entry : copy.Entries) {
        for (const ProofResponse& response : entry.Responses) {
            if (response.Destination != ProofDestination::Record)
                continue;
            const auto target = entryOf.find(response.Target);
            if (target == entryOf.end())
                continue;
            auto& from = copy.Entries[target->second].JumpedFrom;
            if (from.empty() || from.back() != entry.Number)
                from.push_back(entry.Number);
        }
    }
    // Destinations that name no record, marked once every record is known.
    for (ProofEntry& entry : copy.Entries)
        for (ProofResponse& response : entry.Responses)
            if (response.Destination == ProofDestination::Record && !entryOf.count(response.Target))
                response.Destination = ProofDestination::MissingRecord;
    return copy;
}

std::string DestinationText(const ProofResponse& response) {
    switch (response.Destination) {
    case ProofDestination::Record:
        return "\xE2\x86\x92 " + IntToStr(response.Target);
    case ProofDestination::MissingRecord:
        return "\xE2\x86\x92 " + IntToStr(response.Target) + " (no such record)";
    case ProofDestination::WebLink:
        return Cp1252ToUtf8(response.Address);
    case ProofDestination::Nowhere:
        break;
    }
    return "no link";
}

std::optional<ProofKind> ProofKindOf(const std::string& path) {
    const std::string name = path.substr(path.find_last_of("/\\") + 1);
    if (EndsWith(name, ".pdf") && name.size() > 4)
        return ProofKind::Pdf;
    if ((EndsWith(name, ".html") && name.size() > 5) || (EndsWith(name, ".htm") && name.size() > 4))
        return ProofKind::Html;
    return std::nullopt;
}

} // namespace dravenloom
