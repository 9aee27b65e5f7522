// Walks between records: a walk leaves exactly what its single steps leave, and its time does
// not grow with the distance, so guides whose last record number is near the top of the
// 32-bit range (a hand-edited or damaged file) open and move at once; at the very top "Next"
// and "Create new" refuse to add a record.
#include "support/EditorFixture.h"

#include "document/NumberText.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace dravenloom {
namespace {

using LineList = std::vector<std::string>;
constexpr std::int32_t Highest = std::numeric_limits<std::int32_t>::max();

// One editor session outside the test framework's own fixture, so that a test can drive two
// side by side.
class Session : public EditorFixture {
public:
    void TestBody() override {}

    using EditorFixture::ClickNext;
    using EditorFixture::Doc;
    using EditorFixture::Editor;
    using EditorFixture::Nav;
    using EditorFixture::NumberedRecords;
    using EditorFixture::OpenGuide;
    using EditorFixture::Platform;
    using EditorFixture::Response;
    using EditorFixture::TypeDialogue;
    using EditorFixture::TypeResponse;
    using EditorFixture::WithResponses;

    GuideForm& TheForm() { return Form; }

    // The walk written as it reads: one single step per record between here and the target.
    void StepByStepWalk(std::int32_t target) {
        Navigator& nav = Nav();
        nav.Walking = true;
        nav.WalkTarget = target;
        nav.WalkPosition = Doc().CurrentRecord;
        if (nav.WalkPosition < target) {
            while (nav.WalkPosition < target) {
                ++nav.WalkPosition;
                nav.StepNext();
            }
        } else {
            while (nav.WalkPosition > target) {
                --nav.WalkPosition;
                nav.StepPrevious();
            }
        }
        nav.Walking = false;
    }

    // Everything a walk may touch, as text, so that a difference shows where it is.
    std::string State() {
        std::ostringstream out;
        const auto field = [&](const char* name, const TextField& f) {
            out << name << "=[" << f.Text << "] " << f.Enabled << f.Inactive << "\n";
        };
        const auto button = [&](const char* name, const Button& b) {
            out << name << "=" << b.Enabled << "\n";
        };
        const EditView& v = Form.View;
        field("dialogue", v.DialogueMemo);
        out << "center=" << v.CenterCheck.Checked << v.CenterCheck.Enabled << "\n";
        for (int k = 1; k <= ResponseSlots; ++k) {
            out << k << ": ";
            field("memo", v.Memo(k));
            out << k << ": ";
            field("link", v.Edit(k));
            out << k << ": ";
            button("go there!", v.GoThereButtons[k - 1]);
            out << k << ": ";
            button("create new", v.CreateNewButtons[k - 1]);
        }
        out << "combo=[" << v.ComboBox1.Text << "] " << v.ComboBox1.ItemIndex << " "
            << v.ComboBox1.Enabled << " {";
        for (const auto& item : v.ComboBox1.Items)
            out << item << ",";
        out << "}\n";
        button("go there", v.GoBitBtn);
        button("previous", v.PrevBitBtn);
        button("next", v.NextBitBtn);
        button("go back", v.BackBitBtn);
        button("remove", v.RemoveBitBtn);
        const GraphicDialog& g = Form.Graphic;
        out << "graphic=" << g.GraphicCheck.Checked << g.GraphicCheck.Enabled << "\n";
        field("path", g.GraphicEdit);
        button("browse", g.GraphicBitBtn);
        field("x", g.Edit7);
        field("y", g.Edit8);
        const GuideDocument& d = Form.Document;
        out << "current=" << d.CurrentRecord << " count=" << d.RecordCount << " status=["
            << d.StatusText << "] save=" << d.SaveItem.Enabled << " saveAs=" << d.SaveAsItem.Enabled
            << " stale=" << d.TreeStale << "\n";
        const Navigator& n = Form.Nav;
        out << "walking=" << n.Walking << " position=" << n.WalkPosition
            << " target=" << n.WalkTarget << " lastViewed=" << n.LastViewedRecord << "\n";
        for (const auto& line : d.Records.Lines)
            out << "line " << line << "\n";
        for (const auto& event : Platform.Events)
            out << "event " << event << "\n";
        return out.str();
    }
};

// How the session stands when the walk starts.
enum class Start {
    AsLoaded,      // the record as shown, nothing typed
    Typed,         // a response typed (no link), the dialogue changed
    DialogueEmpty, // the dialogue emptied
    WithPicture,   // a picture chosen, "Center" ticked
    PastTheEnd,    // a walk went two records past the last first, appending two
};

struct WalkCase {
    const char* Name;
    std::int32_t Count;
    bool Responses; // records with responses and links, so that the view has much to clear
    Start From;
};

void PrintTo(const WalkCase& c, std::ostream* os) {
    *os << c.Name;
}

LineList GuideLines(const WalkCase& c) {
    LineList lines = Session::NumberedRecords(c.Count);
    if (!c.Responses)
        return lines;
    for (std::int32_t n = c.Count; n >= 1; --n) {
        const std::string next = n < c.Count ? std::to_string(n + 1) : "1";
        lines =
            Session::WithResponses(lines, n,
                                   {Session::Response(n, "On", next), Session::Response(n, "Stay"),
                                    Session::Response(n, "Odd", "x")});
    }
    return lines;
}

void Prepare(Session& s, const WalkCase& c, std::int32_t current) {
    s.OpenGuide(GuideLines(c));
    if (c.From == Start::PastTheEnd)
        s.StepByStepWalk(c.Count + 2);
    s.StepByStepWalk(current);
    switch (c.From) {
    case Start::AsLoaded:
        break;
    case Start::Typed:
        s.TypeResponse(5, "Fifth");
        s.TypeDialogue("Changed");
        break;
    case Start::DialogueEmpty:
        s.TypeDialogue("");
        break;
    case Start::WithPicture:
        s.Editor().GraphicCheckClick(true);
        s.Editor().GraphicEditChange("pic.gif");
        s.Editor().CenterCheckClick(true);
        break;
    case Start::PastTheEnd:
        break;
    }
    s.Platform.ClearRecords();
}

class WalkEquivalenceTest : public ::testing::TestWithParam<WalkCase> {};

TEST_P(WalkEquivalenceTest, WalkLeavesWhatItsSingleStepsLeave) {
    const WalkCase& c = GetParam();
    const std::int32_t lastStart = c.From == Start::PastTheEnd ? c.Count + 2 : c.Count;
    for (std::int32_t current = 1; current <= lastStart; ++current) {
        // Targets below record 1 only reach the walk through a damaged state, but the steps
        // define what they do too.
        for (std::int32_t target = -1; target <= lastStart + 5; ++target) {
            SCOPED_TRACE("from " + std::to_string(current) + " to " + std::to_string(target));
            Session fast;
            Session slow;
            Prepare(fast, c, current);
            Prepare(slow, c, current);
            ASSERT_EQ(fast.State(), slow.State());
            fast.Nav().WalkToRecord(target);
            slow.StepByStepWalk(target);
            ASSERT_EQ(fast.State(), slow.State());
            // What comes next starts from the same place too.
            fast.ClickNext();
            slow.ClickNext();
            ASSERT_EQ(fast.State(), slow.State());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Guides, WalkEquivalenceTest,
    ::testing::Values(WalkCase{"OneRecord", 1, false, Start::AsLoaded},
                      WalkCase{"OneRecordEmptied", 1, false, Start::DialogueEmpty},
                      WalkCase{"TwoRecordsTyped", 2, false, Start::Typed},
                      WalkCase{"ThreeWithResponses", 3, true, Start::AsLoaded},
                      WalkCase{"ThreeWithResponsesTyped", 3, true, Start::Typed},
                      WalkCase{"ThreeWithResponsesEmptied", 3, true, Start::DialogueEmpty},
                      WalkCase{"FourWithPicture", 4, true, Start::WithPicture},
                      WalkCase{"FiveRecords", 5, false, Start::AsLoaded},
                      WalkCase{"TwoPastTheEnd", 2, true, Start::PastTheEnd},
                      WalkCase{"FourPastTheEnd", 4, false, Start::PastTheEnd}),
    [](const auto& info) { return std::string(info.param.Name); });

// Guides whose last line names a record near the top of the range: every command that moves
// returns at once (a step-by-step walk would take minutes) and ends where the steps would.
class FarRecordTest : public EditorFixture {
protected:
    // Runs `action` and checks that it took no noticeable time.
    template <typename Action> void Promptly(const char* what, Action action) {
        const auto start = std::chrono::steady_clock::now();
        action();
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_LT(took, std::chrono::seconds(2)) << what;
    }

    // Record 1 links to `last`; record 2 follows; `last` is the last line.
    void OpenFarGuide(std::int32_t last) {
        const std::string far = std::to_string(last);
        OpenGuide(
            {Primary(1, "One"), Response(1, "Far", far), Primary(2, "Two"), Primary(last, "Last")});
        ASSERT_EQ(Doc().StatusText, "Record 1 of " + far);
    }

    std::string LastRecordStatus() {
        return "Record " + std::to_string(Doc().RecordCount) + " of " +
               std::to_string(Doc().RecordCount);
    }

    const MessageRequest Refusal = ValidationError(NoRecordAfterHighestMessage);
};

TEST_F(FarRecordTest, GoThereButtonGoBackAndGoThereReachTheHighestRecordAtOnce) {
    OpenFarGuide(Highest);
    ASSERT_TRUE(GoThereEnabled(1));
    Promptly("Go there!", [&] { ClickGoThereButton(1); });
    EXPECT_EQ(Doc().StatusText, "Record 2147483647 of 2147483647");
    EXPECT_EQ(View().DialogueMemo.Text, "Last");
    EXPECT_EQ(View().ComboBox1.Items, (std::vector<std::string>{"1"}));

    Promptly("Go back", [&] { ClickGoBack(); });
    EXPECT_EQ(Doc().StatusText, "Record 1 of 2147483647");
    EXPECT_EQ(View().DialogueMemo.Text, "One");
    EXPECT_FALSE(View().PrevBitBtn.Enabled);

    Promptly("Go back", [&] { ClickGoBack(); });
    EXPECT_EQ(View().DialogueMemo.Text, "Last");
    PickJumpedFrom("1");
    Promptly("Go there", [&] { ClickGoThere(); });
    EXPECT_EQ(View().DialogueMemo.Text, "One");
    EXPECT_EQ(Platform.Messages.size(), 0u);
}

TEST_F(FarRecordTest, NextAndCreateNewOnTheHighestRecordRefuseAndChangeNothing) {
    OpenFarGuide(Highest);
    ClickGoThereButton(1);
    TypeResponse(1, "More");
    ASSERT_TRUE(CreateNewEnabled(1));
    const LineList lines = Lines();
    Platform.ClearRecords();

    ClickNext();
    ClickCreateNew(1);
    EXPECT_EQ(Platform.Messages, (std::vector<MessageRequest>{Refusal, Refusal}));
    EXPECT_EQ(Refusal.Caption, "Error");
    EXPECT_EQ(Refusal.Icon, MsgIcon::Exclamation);
    EXPECT_EQ(Doc().StatusText, "Record 2147483647 of 2147483647");
    EXPECT_EQ(Doc().CurrentRecord, Highest);
    EXPECT_EQ(Doc().RecordCount, Highest);
    EXPECT_EQ(View().DialogueMemo.Text, "Last");
    EXPECT_EQ(ShownResponses()[0], "More>");
    EXPECT_TRUE(CreateNewEnabled(1));
    EXPECT_EQ(Lines(), lines) << "nothing is stored by a refused command";
}

TEST_F(FarRecordTest, CreateNewOnAnyRecordOfAFullGuideRefuses) {
    OpenFarGuide(Highest);
    TypeResponse(2, "New");
    const LineList lines = Lines();
    Platform.ClearRecords();
    Promptly("Create new", [&] { ClickCreateNew(2); });
    EXPECT_EQ(Platform.Messages, std::vector<MessageRequest>{Refusal});
    EXPECT_EQ(Doc().StatusText, "Record 1 of 2147483647");
    EXPECT_EQ(ShownResponses()[1], "New>");
    EXPECT_EQ(Lines(), lines);
}

TEST_F(FarRecordTest, JumpFromTheLogicViewReachesTheFarRecordAtOnce) {
    OpenFarGuide(Highest);
    Form.Tree.Build();
    Form.Tree.Expand(Form.Tree.Root());
    const auto far = Form.Tree.Children(Form.Tree.Root()).at(0);
    Form.Tree.Expand(far);
    const auto last = Form.Tree.Children(far).at(0);
    ASSERT_EQ(Form.Tree.RecordNumber(last), Highest);
    Form.Tree.Select(last);
    Promptly("Jump to record", [&] { Form.JumpToRecord1Click(); });
    EXPECT_EQ(Doc().StatusText, "Record 2147483647 of 2147483647");
    EXPECT_EQ(View().DialogueMemo.Text, "Last");
}

TEST_F(FarRecordTest, AGuideClaimingTwoBillionRecordsWithThreeLinesMovesAtOnce) {
    constexpr std::int32_t Claimed = 2000000000;
    OpenFarGuide(Claimed);
    Promptly("Go there!", [&] { ClickGoThereButton(1); });
    EXPECT_EQ(Doc().StatusText, "Record 2000000000 of 2000000000");
    EXPECT_EQ(View().DialogueMemo.Text, "Last");
    Promptly("Go back", [&] { ClickGoBack(); });
    EXPECT_EQ(View().DialogueMemo.Text, "One");

    // A new record after the claimed last one: the walk appends it alone.
    TypeResponse(2, "Onward");
    Promptly("Create new", [&] { ClickCreateNew(2); });
    EXPECT_EQ(Doc().StatusText, "Record 2000000001 of 2000000001");
    EXPECT_EQ(View().DialogueMemo.Text, PlaceholderDialogue);
    EXPECT_EQ(View().ComboBox1.Items, (std::vector<std::string>{"1"}));
    Promptly("Go back", [&] { ClickGoBack(); });
    EXPECT_EQ(ShownResponses()[1], "Onward>2000000001");
    EXPECT_EQ(Lines().back(), Primary(2000000001, PlaceholderDialogue));

    Promptly("Go back", [&] { ClickGoBack(); });
    Promptly("Next", [&] { ClickNext(); });
    EXPECT_EQ(Doc().StatusText, "Record 2000000002 of 2000000002");
    EXPECT_EQ(Lines().back(), Primary(2000000002, PlaceholderDialogue));
}

TEST(NextRecordNumberTest, StopsAtTheTopOfTheRange) {
    EXPECT_EQ(NextRecordNumber(1), 2);
    EXPECT_EQ(NextRecordNumber(Highest - 1), Highest);
    EXPECT_EQ(NextRecordNumber(Highest), std::nullopt);
}

} // namespace
} // namespace dravenloom
