// Tests of the upload's rules without the page: the password cipher, which files are pictures,
// the pictures a guide needs, where each row goes, and the progress arithmetic.
#include "document/RecordCodec.h"
#include "document/RecordList.h"
#include "publish/PasswordCipher.h"
#include "publish/UploadFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dravenloom {
namespace {

TEST(PasswordCipherTest, AnEnciphermentIsASeedPairThenOnePairPerCharacter) {
    // Worked by hand with the key "Dr4v3nL": ((0x41 + 0x10) % 255) ^ 'D' = 0x51 ^ 0x44 = 0x15,
    // then ((0x42 + 0x15) % 255) ^ 'r' = 0x57 ^ 0x72 = 0x25.
    EXPECT_EQ(EncipherPassword("AB", 0x10), "101525");
    EXPECT_EQ(EncipherPassword("", 0x10), "");
    const std::string password = "s3cret p\xE4ss";
    const std::string ciphered = EncipherPassword(password, 200);
    EXPECT_EQ(ciphered.size(), 2 + 2 * password.size());
    EXPECT_EQ(ciphered.substr(0, 2), "C8");
    EXPECT_EQ(ciphered.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    EXPECT_EQ(DecipherPassword(ciphered), password);
}

TEST(PasswordCipherTest, EveryByteFromOneTo255ComesBackWhateverTheSeed) {
    std::string all;
    for (int b = 1; b <= 255; ++b)
        all += static_cast<char>(b);
    for (int seed = 0; seed <= 255; ++seed) {
        const std::string ciphered = EncipherPassword(all, static_cast<unsigned char>(seed));
        ASSERT_EQ(DecipherPassword(ciphered), all) << seed;
    }
    // Past the key's seventh byte it starts again at its first.
    EXPECT_EQ(DecipherPassword(EncipherPassword("abcdefghijklmnop", 7)), "abcdefghijklmnop");
}

TEST(PasswordCipherTest, AStoredTextThatIsNoEnciphermentIsRefused) {
    EXPECT_EQ(DecipherPassword(""), "");
    EXPECT_EQ(DecipherPassword("ABC"), std::nullopt);
    EXPECT_EQ(DecipherPassword("10ZZ"), std::nullopt);
    EXPECT_EQ(DecipherPassword("1015"), "A");
    EXPECT_EQ(EncipherPassword("A", 0xAB), "ABA8");
    EXPECT_EQ(DecipherPassword("aba8"), "A") << "lower case is read too";
    // The byte 255 after a pair of 255 wraps round to 0 in the sum; it still comes back.
    EXPECT_EQ(DecipherPassword("ff44"), "\xFF");
}

TEST(UploadFilesTest, APictureIsToldByItsOwnNamesExtension) {
    for (const char* picture : {"C:\\pics\\lamp.GIF", "/srv/a.jpg", "b.JPEG", "c.png", "d.Bmp"})
        EXPECT_TRUE(IsImageFile(picture)) << picture;
    for (const char* other : {"C:\\my.jpages\\help.dvx", "/home/a.gif.d/guide.dvx", "page.html",
                              "x.jp", "gif", "Dravenloom.class", "noextension"})
        EXPECT_FALSE(IsImageFile(other)) << other;
    EXPECT_TRUE(IsBinaryFile("C:\\Applet\\Dravenloom.CLASS"));
    EXPECT_TRUE(IsBinaryFile("gray.gif"));
    EXPECT_FALSE(IsBinaryFile("/x/my.classes/guide.dvx"));
    EXPECT_EQ(FileNameOf("C:\\a\\b/c.gif"), "c.gif");
    EXPECT_EQ(FileNameOf("plain.gif"), "plain.gif");
}

std::string Primary(std::int32_t n, const std::string& picture) {
    return BuildPrimaryLine(n, "Text", picture, "0", "0", false);
}

TEST(UploadFilesTest, PicturesOncePerPathExceptTheFirstLinesAndBlankOnesNever) {
    std::vector<std::string> rows = {"/x/guide.dvx", "/app/Applet/gray.gif"};
    const RecordList records({Primary(1, "/app/Applet/gray.gif"), BuildResponseLine(1, "r", "2"),
                              Primary(2, "a.gif"), Primary(3, " \t"), Primary(4, "a.gif"),
                              Primary(5, "A.gif"), Primary(6, "")});
    const auto failed =
        CollectPictures(records, rows, [](const std::string& stored) { return "~" + stored; });
    EXPECT_EQ(failed, std::nullopt);
    // Line 0's picture is added even though a row names it; later ones once per text.
    EXPECT_EQ(rows, (std::vector<std::string>{"/x/guide.dvx", "/app/Applet/gray.gif",
                                              "~/app/Applet/gray.gif", "~a.gif", "~A.gif"}));
}

TEST(UploadFilesTest, ABadRecordNumberStopsCollectingAndNamesThePathTakenLast) {
    std::vector<std::string> rows;
    const RecordList records({Primary(1, "one.gif"), Primary(2, "two.gif"),
                              "x\xA4oops\xB6three.gif\xAA"
                              "0\xB1"
                              "0\x80no",
                              Primary(4, "four.gif")});
    const auto failed =
        CollectPictures(records, rows, [](const std::string& stored) { return stored; });
    EXPECT_EQ(failed, "two.gif");
    EXPECT_EQ(rows, (std::vector<std::string>{"one.gif", "two.gif"}));
}

TEST(UploadFilesTest, FromTheFirstPictureOnEveryRowGoesToTheImageDirectory) {
    const std::vector<std::string> rows = {"page.html", "g.dvx",      "D.class",
                                           "gray.gif",  "late.class", "pic.jpg"};
    EXPECT_EQ(RowsForImageDirectory(rows, true),
              (std::vector<bool>{false, false, false, true, true, true}));
    EXPECT_EQ(RowsForImageDirectory(rows, false), std::vector<bool>(6, false));
}

TEST(UploadFilesTest, TwoFilesOfOneNameInOneFolderAreFound) {
    const std::vector<std::string> rows = {"/a/guide.dvx", "/b/pic.gif", "/c/PIC.gif",
                                           "/b/pic.gif"};
    const auto same = RowsWithSameName(rows, {false, true, true, true});
    ASSERT_TRUE(same);
    EXPECT_EQ(same->first, "/b/pic.gif");
    EXPECT_EQ(same->second, "/c/PIC.gif");
    // In different folders of the server, or the same file twice: nothing is lost.
    EXPECT_FALSE(RowsWithSameName({"/a/x.gif", "/b/x.gif"}, {false, true}));
    EXPECT_FALSE(RowsWithSameName({"/a/x.gif", "/a/x.gif"}, {true, true}));
}

TEST(UploadFilesTest, ProgressStepsAndTheLastRowGivesAHundred) {
    int bar = 0;
    std::vector<int> seen;
    for (std::size_t i = 0; i < 7; ++i)
        seen.push_back(bar = ProgressAfterRow(bar, i, 7));
    EXPECT_EQ(seen, (std::vector<int>{14, 28, 42, 56, 70, 84, 100}));
    bar = 0;
    for (std::size_t i = 0; i + 1 < 150; ++i)
        bar = ProgressAfterRow(bar, i, 150);
    EXPECT_EQ(bar, 0);
    EXPECT_EQ(ProgressAfterRow(bar, 149, 150), 100);
}

} // namespace
} // namespace dravenloom
