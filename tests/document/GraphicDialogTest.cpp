// Tests of the graphic dialog: the tick that governs the picture fields, the position checks
// when a field is left, and choosing a picture file.
#include "support/EditorFixture.h"
#include "support/MarkedText.h"

#include <gtest/gtest.h>

namespace dravenloom {
namespace {

const std::string PictureLine = Marked("1¤Welcome¶C:\\Pics\\logo.gifª120±45€no");

class GraphicDialogTest : public EditorFixture {};

TEST_F(GraphicDialogTest, TickingEnablesThePictureFields) {
    GraphicDialog& g = Graphic();
    ASSERT_FALSE(g.GraphicBitBtn.Enabled);
    Editor().GraphicCheckClick(true);
    EXPECT_TRUE(g.GraphicCheck.Checked);
    ExpectPictureFieldsEnabled(true);
    EXPECT_TRUE(Modified());
}

TEST_F(GraphicDialogTest, ClearingTheTickResetsPathAndPosition) {
    OpenGuide({PictureLine});
    Doc().TreeStale = false;
    GraphicDialog& g = Graphic();
    Editor().GraphicCheckClick(false);
    EXPECT_EQ(g.GraphicEdit.Text, "");
    EXPECT_EQ(g.Edit7.Text, "300");
    EXPECT_EQ(g.Edit8.Text, "0");
    ExpectPictureFieldsEnabled(false);
    EXPECT_TRUE(Modified());
    EXPECT_TRUE(Doc().TreeStale);
    Editor().CommitRecord();
    EXPECT_EQ(Lines(), (std::vector<std::string>{Marked("1¤Welcome¶ª±€no")}));
}

TEST_F(GraphicDialogTest, EveryChangeOfPathOrPositionMarksTheGuideModified) {
    OpenGuide({PictureLine});
    Editor().GraphicEditChange("C:\\Pics\\other.jpg");
    EXPECT_TRUE(Modified());
    Doc().SaveItem.Enabled = false;
    Editor().Edit7Change("10");
    EXPECT_TRUE(Modified());
    Doc().SaveItem.Enabled = false;
    Editor().Edit8Change("20");
    EXPECT_TRUE(Modified());
    Editor().CommitRecord();
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{Marked("1¤Welcome¶C:\\Pics\\other.jpgª10±20€no")}));
}

struct CoordinateCase {
    bool IsX;
    const char* Typed;
    const char* After;   // the field's text after it is left
    const char* Message; // nullptr: accepted silently
};

void PrintTo(const CoordinateCase& c, std::ostream* os) {
    *os << (c.IsX ? "X " : "Y ") << '"' << c.Typed << '"';
}

class CoordinateExitTest : public EditorFixture,
                           public ::testing::WithParamInterface<CoordinateCase> {};

TEST_P(CoordinateExitTest, ResetsWhatIsNotAWholeNumberOfAtLeastZero) {
    const auto& c = GetParam();
    OpenGuide({PictureLine});
    TextField& field = c.IsX ? Graphic().Edit7 : Graphic().Edit8;
    if (c.IsX)
        Editor().Edit7Change(c.Typed);
    else
        Editor().Edit8Change(c.Typed);
    Platform.ClearRecords();

    if (c.IsX)
        Editor().Edit7Exit();
    else
        Editor().Edit8Exit();
    EXPECT_EQ(field.Text, c.After);
    if (c.Message) {
        ASSERT_EQ(Platform.Messages.size(), 1u);
        EXPECT_EQ(Platform.Messages[0],
                  (MessageRequest{"Error", c.Message, MsgButtons::Ok, MsgIcon::Exclamation}));
        EXPECT_TRUE(LastFocusIs(field, false));
    } else {
        EXPECT_TRUE(Platform.Messages.empty());
        EXPECT_TRUE(Platform.FocusRequests.empty());
    }
}

constexpr const char* XMessage = "X Coordinate must be a positive integer value.";
constexpr const char* YMessage = "Y Coordinate must be a positive integer value.";

INSTANTIATE_TEST_SUITE_P(Values, CoordinateExitTest,
                         ::testing::Values(CoordinateCase{true, "-5", "300", XMessage},
                                           CoordinateCase{true, "abc", "300", XMessage},
                                           CoordinateCase{true, "", "300", XMessage},
                                           CoordinateCase{true, "1.5", "300", XMessage},
                                           CoordinateCase{true, "0", "0", nullptr},
                                           CoordinateCase{true, "640", "640", nullptr},
                                           CoordinateCase{false, "-1", "0", YMessage},
                                           CoordinateCase{false, "abc", "0", YMessage},
                                           CoordinateCase{false, "0", "0", nullptr},
                                           CoordinateCase{false, "25", "25", nullptr}));

TEST_F(GraphicDialogTest, BrowseCommitsTheRecordThenSetsThePath) {
    TypeDialogue("Look");
    Editor().GraphicCheckClick(true);
    Platform.DialogAnswers.push_back("/pics/lamp.gif");
    Editor().GraphicBitBtnClick();

    ASSERT_EQ(Platform.OpenDialogs.size(), 1u);
    EXPECT_EQ(Platform.OpenDialogs[0].Filter,
              "CompuServe GIF (*.gif); JPEG (*.jpg, *.jpeg)|*.gif;*.jpg;*.jpeg");
    // The record was stored as it was before the file was chosen.
    EXPECT_EQ(Lines(), (std::vector<std::string>{Marked("1¤Look¶ª±€no")}));
    EXPECT_EQ(Graphic().GraphicEdit.Text, "/pics/lamp.gif");
    EXPECT_TRUE(Modified());

    // The path reaches the record at the next commit.
    Editor().CommitRecord();
    EXPECT_EQ(Lines(), (std::vector<std::string>{Marked("1¤Look¶/pics/lamp.gifª300±0€no")}));
}

TEST_F(GraphicDialogTest, CancelledBrowseChangesNothing) {
    OpenGuide({PictureLine});
    TypeDialogue("Changed");
    Editor().GraphicBitBtnClick();
    EXPECT_EQ(Platform.OpenDialogs.size(), 1u);
    EXPECT_EQ(Platform.OpenDialogs[0].FileName, "C:\\Pics\\logo.gif");
    EXPECT_EQ(Graphic().GraphicEdit.Text, "C:\\Pics\\logo.gif");
    EXPECT_EQ(Lines(), (std::vector<std::string>{PictureLine}));
}

TEST_F(GraphicDialogTest, ChosenPathIsHeldInTheGuideCharacterSet) {
    Editor().GraphicCheckClick(true);
    Platform.DialogAnswers.push_back("/pics/caf\u00E9.gif");
    Editor().GraphicBitBtnClick();
    EXPECT_EQ(Graphic().GraphicEdit.Text, "/pics/caf\xE9.gif");

    // A name the guide cannot hold is refused and the path stays as it was.
    Platform.DialogAnswers.push_back("/pics/\u03A9mega.gif");
    Editor().GraphicBitBtnClick();
    EXPECT_EQ(Graphic().GraphicEdit.Text, "/pics/caf\xE9.gif");
    ASSERT_EQ(Platform.Messages.size(), 1u);
    EXPECT_EQ(Platform.Messages[0].Caption, "Error");
    EXPECT_NE(Platform.Messages[0].Text.find("\u03A9"), std::string::npos);
}

} // namespace
} // namespace dravenloom
