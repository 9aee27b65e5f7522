// Tests of the proof copy's model: where each response goes, which records jump to each
// record, which picture file each record shows, and the kinds of file it is written as.
#include "publish/ProofCopy.h"

#include "document/RecordList.h"
#include "support/MarkedText.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace dravenloom {
namespace {

namespace fs = std::filesystem;

RecordList Guide(const std::vector<std::string>& lines) {
    RecordList records;
    for (const std::string& line : lines)
        records.Lines.push_back(Marked(line));
    return records;
}

TEST(ProofCopyTest, EveryRecordWithItsDestinationsIncomingRecordsAndPicture) {
    TempDirectory temp;
    fs::create_directories(temp.Path / "pics");
    std::ofstream(temp.Path / "pics" / "logo.gif") << "GIF89a";
    const std::string guideFile = (temp.Path / "lamp.dvx").string();
    const RecordList records = Guide({
        "1¤Welcome¶pics/logo.gifª300±0€no",
        "1¤Yes¶2",
        "1¤Site [URL:http://example.com/a] here¶3", // the link wins over the target
        "1¤Nothing¶",
        "2¤Second¶ª300±0€no",
        "2¤Back¶1",
        "2¤Ahead¶9",  // no record 9
        "2¤Again¶01", // a second jump from 2 to 1 names 2 once
        "4¤Fourth, stored before the third¶gone.gifª300±0€no",
        "4¤On¶3",
        "3¤Third¶   ª300±0€no", // a path of blanks is no picture
        "3¤Loop¶3",
        "3¤Bad¶x1",
        "3¤R3¶4",
        "3¤R4¶4",
        "3¤R5¶4",
        "3¤R6¶4",
        "3¤Seventh, never shown¶1",
        "2¤A later block of 2¶1", // the editor never reads it
        "2¤From it¶4",
    });
    const ProofCopy copy = BuildProofCopy(records, guideFile);
    EXPECT_EQ(copy.GuideName, "lamp.dvx");

    const struct {
        std::int32_t Number;
        std::vector<std::string> Destinations;
        std::vector<std::int32_t> JumpedFrom;
        fs::path Picture;
    } cases[] = {
        {1, {"\u2192 2", "http://example.com/a", "no link"}, {2}, temp.Path / "pics/logo.gif"},
        {2, {"\u2192 1", "\u2192 9 (no such record)", "\u2192 1"}, {1}, {}},
        {3, {"\u2192 3", "no link", "\u2192 4", "\u2192 4", "\u2192 4", "\u2192 4"}, {3, 4}, {}},
        {4, {"\u2192 3"}, {3}, "gone.gif"}, // missing: the path as stored, for the note
    };
    ASSERT_EQ(copy.Entries.size(), std::size(cases));
    for (std::size_t k = 0; k < std::size(cases); ++k) {
        const auto& c = cases[k];
        const ProofEntry& entry = copy.Entries[k];
        SCOPED_TRACE("record " + std::to_string(c.Number));
        EXPECT_EQ(entry.Number, c.Number);
        std::vector<std::string> destinations;
        for (const ProofResponse& response : entry.Responses)
            destinations.push_back(DestinationText(response));
        EXPECT_EQ(destinations, c.Destinations);
        EXPECT_EQ(entry.JumpedFrom, c.JumpedFrom);
        EXPECT_EQ(entry.PictureFile, c.Picture);
    }
    EXPECT_EQ(copy.Entries[0].Responses[1].Text, "Site  here");
    EXPECT_EQ(copy.Entries[0].PicturePath, "pics/logo.gif");
    EXPECT_EQ(copy.Entries[2].PicturePath, "");
    EXPECT_EQ(copy.Entries[3].Dialogue, "Fourth, stored before the third");
}

TEST(ProofCopyTest, AnUntitledOrEmptyGuide) {
    const ProofCopy empty = BuildProofCopy(RecordList(), "Untitled");
    EXPECT_EQ(empty.GuideName, "Untitled");
    EXPECT_TRUE(empty.Entries.empty());
    // A damaged line is reported, not skipped.
    EXPECT_THROW(BuildProofCopy(Guide({"1¤Hello¶ª300±0€no", "x¤Broken¶2"}), "Untitled"),
                 DravenloomError);
}

TEST(ProofCopyTest, TheKindOfFileFollowsTheEndingOfItsName) {
    const struct {
        const char* Path;
        std::optional<ProofKind> Kind;
    } cases[] = {
        {"proof.pdf", ProofKind::Pdf},   {"dir/Proof.PDF", ProofKind::Pdf},
        {"proof.html", ProofKind::Html}, {"C:\\out\\proof.HTM", ProofKind::Html},
        {"proof.txt", std::nullopt},     {"proof", std::nullopt},
        {"dir.pdf/proof", std::nullopt}, {".pdf", std::nullopt},
        {"proof.pdf.bak", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProofKindOf(c.Path), c.Kind) << c.Path;
}

} // namespace
} // namespace dravenloom
