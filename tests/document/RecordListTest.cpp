// Tests of reading and writing one record in the record list: slot compaction, realignment in
// place without touching other records, and what is (not) stored.
#include "document/RecordList.h"
#include "document/Errors.h"
#include "support/MarkedText.h"
#include "support/RecordPrinters.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace dravenloom {
namespace {

std::string Primary(int n, const std::string& dialogue) {
    return BuildPrimaryLine(n, dialogue, "", "300", "0", false);
}
std::string Response(int n, const std::string& text, const std::string& target = "") {
    return BuildResponseLine(n, text, target);
}

GuideRecord Record(const std::string& dialogue, std::vector<ResponseSlot> slots = {}) {
    GuideRecord record;
    record.Dialogue = dialogue;
    for (std::size_t k = 0; k < slots.size(); ++k)
        record.Responses[k] = slots[k];
    return record;
}

TEST(RecordListTest, WorkedExamplesAreTheGoldenFileByteForByte) {
    RecordList list;
    GuideRecord welcome;
    welcome.Dialogue = "Welcome";
    welcome.GraphicPath = "C:\\Pics\\logo.gif";
    welcome.Center = true;
    list.StoreRecord(1, welcome);
    ASSERT_EQ(list.Count(), 1u);

    GuideRecord isItOn;
    isItOn.Dialogue = "Is it on?\r\nLook at the light.";
    isItOn.Responses[0] = {"Yes", "3"};
    isItOn.Responses[1] = {"No", ""};
    isItOn.Responses[3] = {"Help", "7"};
    list.StoreRecord(2, isItOn);
    ASSERT_EQ(list.Count(), 5u);

    std::string file;
    for (const auto& line : list.Lines)
        file += EncodeLineForFile(line) + "\r\n";
    EXPECT_EQ(file, ReadBytes(TestData("worked-example.dvx")));

    EXPECT_EQ(list.ReadRecord(1), welcome);
    // Read back, the fourth slot's response comes up in slot 3.
    const GuideRecord read = list.ReadRecord(2);
    EXPECT_EQ(read.Dialogue, isItOn.Dialogue);
    EXPECT_EQ(read.Responses[2], (ResponseSlot{"Help", "7"}));
    EXPECT_EQ(read.Responses[3], ResponseSlot{});
}

TEST(RecordListTest, ReadRecordOfARecordWithoutLinesGivesTheDefaults) {
    RecordList list;
    const GuideRecord empty = list.ReadRecord(1);
    EXPECT_EQ(empty.Dialogue, "");
    EXPECT_EQ(empty.GraphicPath, "");
    EXPECT_EQ(empty.GraphicX, "300");
    EXPECT_EQ(empty.GraphicY, "0");
    EXPECT_FALSE(empty.Center);
    for (const auto& slot : empty.Responses)
        EXPECT_EQ(slot, ResponseSlot{});

    list.Lines = {Primary(1, "One")};
    EXPECT_EQ(list.ReadRecord(2), GuideRecord{});
}

TEST(RecordListTest, ReadRecordStopsAtSixResponsesAndAtTheNextRecord) {
    RecordList list({Primary(1, "One")});
    for (int k = 1; k <= 7; ++k)
        list.Lines.push_back(Response(1, "R" + std::to_string(k), std::to_string(k + 1)));
    list.Lines.push_back(Primary(2, "Two"));
    list.Lines.push_back(Response(2, "Back", "1"));
    const GuideRecord one = list.ReadRecord(1);
    EXPECT_EQ(one.Responses[5], (ResponseSlot{"R6", "7"}));
    const GuideRecord two = list.ReadRecord(2);
    EXPECT_EQ(two.Dialogue, "Two");
    EXPECT_EQ(two.Responses[0], (ResponseSlot{"Back", "1"}));
    EXPECT_EQ(two.Responses[1], ResponseSlot{});
}

TEST(RecordListTest, MalformedLineFailsTheWalkWithAConversionError) {
    RecordList list(
        {Primary(1, "One"), Response(1, "Go", "2"), Marked("Two¶ª±€no"), Primary(3, "Three")});
    EXPECT_THROW(list.ReadRecord(3), ConversionError);
    EXPECT_THROW(list.ReadRecord(1), ConversionError); // its response walk reads line 3
    EXPECT_THROW(list.StoreRecord(3, Record("x")), ConversionError);
    EXPECT_THROW(list.JumpedFrom(2), ConversionError);
}

TEST(RecordListTest, CountFromLastLine) {
    RecordList list;
    EXPECT_THROW(list.CountFromLastLine(), IndexError);
    // Taken from the last line even when an earlier line carries a higher number.
    list.Lines = {Primary(1, "a"), Primary(5, "b"), Primary(2, "c")};
    EXPECT_EQ(list.CountFromLastLine(), 2);
    list.Lines.push_back("no number");
    EXPECT_THROW(list.CountFromLastLine(), ConversionError);
}

TEST(RecordListTest, NothingIsStoredWithoutDialogueAndPicture) {
    RecordList list({Primary(1, "One"), Response(1, "Go", "2"), Primary(2, "Two")});
    const auto before = list.Lines;
    list.StoreRecord(1, Record("", {{"New", "2"}}));
    list.StoreRecord(3, Record(""));
    EXPECT_EQ(list.Lines, before);

    // A picture alone is enough, and an untrimmed blank path counts as one for that rule.
    GuideRecord pictureOnly;
    pictureOnly.GraphicPath = "C:\\p.gif";
    list.StoreRecord(2, pictureOnly);
    EXPECT_EQ(list.Lines[2], Marked("2¤¶C:\\p.gifª300±0€no"));
    GuideRecord blankPath;
    blankPath.GraphicPath = "   ";
    blankPath.GraphicX = "10";
    list.StoreRecord(3, blankPath);
    EXPECT_EQ(list.Lines.back(), Marked("3¤¶ª±€no"));
    EXPECT_EQ(list.ReadRecord(3).GraphicPath, "");
}

TEST(RecordListTest, SlotWithTargetButNoTextIsNotStored) {
    RecordList list;
    list.StoreRecord(1, Record("One", {{"", "2"}, {"", ""}, {"Third", ""}}));
    EXPECT_EQ(list.Lines, (std::vector<std::string>{Primary(1, "One"), Response(1, "Third")}));
}

// Realignment: record 2 sits between records 1 and 3 (or is the last record), and is stored
// again with other response slots. Every other line keeps its content and order, and record 2
// becomes its primary line followed by one line per non-empty slot, in slot order.
struct RealignCase {
    const char* Name;
    std::vector<std::string> Before; // record 2's response texts in the list
    std::vector<std::string> Slots;  // the six slots stored ("" = empty slot)
    bool Last;                       // record 2 is the last record
};

void PrintTo(const RealignCase& c, std::ostream* os) {
    *os << c.Name;
}

class RealignTest : public ::testing::TestWithParam<RealignCase> {};

TEST_P(RealignTest, KeepsNeighboursInPlace) {
    const auto& c = GetParam();
    std::vector<std::string> head = {Primary(1, "One"), Response(1, "To two", "2"),
                                     Response(1, "To three", "3")};
    std::vector<std::string> tail;
    if (!c.Last)
        tail = {Primary(3, "Three"), Response(3, "Back", "1")};

    RecordList list(head);
    list.Lines.push_back(Primary(2, "Two"));
    for (const auto& text : c.Before)
        list.Lines.push_back(Response(2, text, "1"));
    list.Lines.insert(list.Lines.end(), tail.begin(), tail.end());

    GuideRecord record = Record("Two again");
    std::vector<std::string> expected = head;
    expected.push_back(Primary(2, "Two again"));
    for (std::size_t k = 0; k < c.Slots.size(); ++k) {
        record.Responses[k] = {c.Slots[k], c.Slots[k].empty() ? "" : "3"};
        if (!c.Slots[k].empty())
            expected.push_back(Response(2, c.Slots[k], "3"));
    }
    expected.insert(expected.end(), tail.begin(), tail.end());

    list.StoreRecord(2, record);
    EXPECT_EQ(list.Lines, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Slots, RealignTest,
    ::testing::Values(RealignCase{"EmptySlotTwoOfThree", {"A", "B", "C"}, {"A", "", "C"}, false},
                      RealignCase{"EmptySlotTwoOfThreeLast", {"A", "B", "C"}, {"A", "", "C"}, true},
                      RealignCase{"FillSlotBeforeNextRecord", {"A"}, {"A", "B"}, false},
                      RealignCase{"FillSlotAtEnd", {"A"}, {"A", "B"}, true},
                      RealignCase{"FirstResponse", {}, {"", "", "A"}, false},
                      RealignCase{"AllGone", {"A", "B", "C", "D", "E", "F"}, {}, false},
                      RealignCase{"AllGoneLast", {"A", "B", "C", "D", "E", "F"}, {}, true},
                      RealignCase{"SixFromNone", {}, {"A", "B", "C", "D", "E", "F"}, false},
                      RealignCase{"Scattered", {"A", "B"}, {"", "X", "", "Y", "Z", ""}, false},
                      RealignCase{"ScatteredLast", {"A", "B"}, {"", "X", "", "Y", "Z", ""}, true},
                      RealignCase{
                          "Shrink", {"A", "B", "C", "D"}, {"", "", "", "", "", "W"}, false}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(RecordListTest, EmptyingSlotTwoDeletesExactlyOneLine) {
    RecordList list({Primary(1, "One"), Primary(2, "Two"), Response(2, "A", "1"),
                     Response(2, "B", "1"), Response(2, "C", "3"), Primary(3, "Three")});
    list.StoreRecord(2, Record("Two", {{"A", "1"}, {"", ""}, {"C", "3"}}));
    EXPECT_EQ(list.Lines,
              (std::vector<std::string>{Primary(1, "One"), Primary(2, "Two"), Response(2, "A", "1"),
                                        Response(2, "C", "3"), Primary(3, "Three")}));
    // Read back, the third slot's response comes up in slot 2.
    EXPECT_EQ(list.ReadRecord(2).Responses[1], (ResponseSlot{"C", "3"}));
}

TEST(RecordListTest, NewRecordIsAppended) {
    RecordList list({Primary(1, "One")});
    list.StoreRecord(2, Record("Two", {{"", ""}, {"B", "1"}}));
    EXPECT_EQ(list.Lines, (std::vector<std::string>{Primary(1, "One"), Primary(2, "Two"),
                                                    Response(2, "B", "1")}));
}

// Records without lines (left by a walk past the last record) are stored in whatever order the
// author writes them; each one's lines go before the first higher-numbered record, so the
// list ends up the same for every order.
TEST(RecordListTest, NewRecordsTakeTheirPlaceInNumberOrderWhateverOrderTheyAreStoredIn) {
    const std::vector<std::string> head = {Primary(1, "One"), Response(1, "Go", "4"),
                                           Primary(2, "Two")};
    const auto recordOf = [](int n) {
        return Record("R" + std::to_string(n), {{"", ""}, {"To one", "1"}, {"Back", "2"}});
    };
    std::vector<std::string> expected = head;
    for (int n = 3; n <= 6; ++n) {
        expected.push_back(Primary(n, "R" + std::to_string(n)));
        expected.push_back(Response(n, "To one", "1"));
        expected.push_back(Response(n, "Back", "2"));
    }
    std::vector<int> order = {3, 4, 5, 6};
    do {
        RecordList list(head);
        for (int n : order)
            list.StoreRecord(n, recordOf(n));
        EXPECT_EQ(list.Lines, expected)
            << "stored in the order " << order[0] << order[1] << order[2] << order[3];
    } while (std::next_permutation(order.begin(), order.end()));
}

TEST(RecordListTest, NewRecordGoesBeforeTheFirstHigherRecordOfAnUnorderedList) {
    // A hand-edited file may hold records out of order; the new one's lines still go before the
    // first record numbered above it, never between a record's lines.
    RecordList list({Primary(1, "One"), Primary(5, "Five"), Response(5, "A", "1"),
                     Primary(3, "Three"), Primary(7, "Seven")});
    list.StoreRecord(4, Record("Four", {{"B", "1"}}));
    EXPECT_EQ(list.Lines, (std::vector<std::string>{Primary(1, "One"), Primary(4, "Four"),
                                                    Response(4, "B", "1"), Primary(5, "Five"),
                                                    Response(5, "A", "1"), Primary(3, "Three"),
                                                    Primary(7, "Seven")}));
    // A record that has lines is updated where it stands, however it is ordered.
    list.StoreRecord(3, Record("Three again"));
    EXPECT_EQ(list.Lines.at(5), Primary(3, "Three again"));
    EXPECT_EQ(list.Lines.size(), 7u);
}

TEST(RecordListTest, JumpedFromListsResponseLinesTargetingTheRecord) {
    RecordList list({Primary(1, "One"), Response(1, "a", "2"), Primary(2, "Two"),
                     Response(2, "b", "2"), Primary(3, "Three"), Response(3, "c", "02"),
                     Response(3, "d", "2"), Response(3, "e", "x2"), Primary(4, "Four"),
                     Response(4, "f", "")});
    // A primary line is never a source, even when what follows its text mark reads as the
    // number.
    list.Lines.push_back(Marked("5¤x¶2"));
    EXPECT_EQ(list.JumpedFrom(2), (std::vector<std::string>{"1", "2", "3", "3"}));
    EXPECT_TRUE(list.JumpedFrom(4).empty());
    EXPECT_TRUE(RecordList().JumpedFrom(1).empty());
}

} // namespace
} // namespace dravenloom
