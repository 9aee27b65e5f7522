// Reply reading byte by byte, the 227 scan and the texts the client builds itself.
#include "ftp/FtpReplies.h"

#include <gtest/gtest.h>

#include <vector>

namespace dravenloom {
namespace {

std::vector<std::string> Read(FtpReplyReader& reader) {
    std::vector<std::string> replies;
    while (auto reply = reader.Next())
        replies.push_back(std::to_string(reply->Code) + '|' + reply->Text);
    return replies;
}

struct StreamCase {
    const char* Name;
    std::string Bytes;
    std::vector<std::string> Replies;
};

class ReplyStreams : public ::testing::TestWithParam<StreamCase> {};

// However the bytes are cut into reads, the same replies come out in the same order.
TEST_P(ReplyStreams, SameRepliesForEveryCut) {
    const StreamCase& stream = GetParam();
    FtpReplyReader whole;
    whole.Feed(stream.Bytes);
    EXPECT_EQ(Read(whole), stream.Replies);
    for (std::size_t cut = 1; cut < stream.Bytes.size(); ++cut) {
        FtpReplyReader reader;
        reader.Feed(std::string_view(stream.Bytes).substr(0, cut));
        std::vector<std::string> replies = Read(reader);
        reader.Feed(std::string_view(stream.Bytes).substr(cut));
        for (std::string& reply : Read(reader))
            replies.push_back(reply);
        EXPECT_EQ(replies, stream.Replies) << "cut at " << cut;
        EXPECT_FALSE(reader.Failed());
    }
    FtpReplyReader byteByByte;
    std::vector<std::string> replies;
    for (char c : stream.Bytes) {
        byteByByte.Feed(std::string_view(&c, 1));
        for (std::string& reply : Read(byteByByte))
            replies.push_back(reply);
    }
    EXPECT_EQ(replies, stream.Replies);
}

const StreamCase Streams[] = {
    {"OneLine", "220 Ready\r\n", {"220|Ready"}},
    {"BareLf", "220 Ready\n331 Password\n", {"220|Ready", "331|Password"}},
    {"CodeAlone", "220\r\n", {"220|"}},
    {"MultiLine",
     "230-Welcome\r\nno code here\r\n 230 indented\r\n230-still open\r\n230 Done\r\n",
     {"230|Welcome no code here 230 indented still open Done"}},
    {"MultiLineEndingInCodeAndBlank", "220-Long banner\r\n220 \r\n", {"220|Long banner"}},
    {"OtherCodeInsideMultiLine",
     "211-Features\r\n150 not an end\r\n211 End\r\n",
     {"211|Features 150 not an end End"}},
    {"SeveralInOneRead", "150 Go\r\n226 Done\r\n221 Bye\r\n", {"150|Go", "226|Done", "221|Bye"}},
    {"MixedLineEnds", "120 Soon\n220-Ready\r\n220 now\n", {"120|Soon", "220|Ready now"}},
};

INSTANTIATE_TEST_SUITE_P(Reader, ReplyStreams, ::testing::ValuesIn(Streams),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(ReplyReader, UnboundedInputFailsAndStaysFailed) {
    FtpReplyReader longLine;
    longLine.Feed(std::string(FtpReplyReader::MaxLineLength, 'x'));
    EXPECT_FALSE(longLine.Failed());
    longLine.Feed("y");
    EXPECT_TRUE(longLine.Failed());
    longLine.Feed("\r\n220 Ready\r\n");
    EXPECT_FALSE(longLine.HasReply());

    FtpReplyReader endless;
    endless.Feed("220-Hello\r\n");
    for (int i = 0; i < 10000 && !endless.Failed(); ++i)
        endless.Feed("220-more of the same\r\n");
    EXPECT_TRUE(endless.Failed());
    EXPECT_EQ(endless.Failure(), "The server sent a reply longer than 65536 bytes");

    for (const char* notAReply :
         {"HELLO\r\n", "22 short\r\n", "2200 long\r\n", "620 x\r\n", "220x\r\n", "\r\n"}) {
        FtpReplyReader reader;
        reader.Feed(notAReply);
        EXPECT_TRUE(reader.Failed()) << notAReply;
    }
}

struct PassiveCase {
    const char* Text;
    bool Found;
    std::uint16_t Port;
};

class PassiveReplies : public ::testing::TestWithParam<PassiveCase> {};

TEST_P(PassiveReplies, SixNumbersWhereverTheyStand) {
    std::optional<PassiveAddress> address = ParsePassiveReply(GetParam().Text);
    ASSERT_EQ(address.has_value(), GetParam().Found);
    if (address) {
        EXPECT_EQ(address->Port, GetParam().Port);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Scan, PassiveReplies,
    ::testing::Values(PassiveCase{"Entering Passive Mode (127,0,0,1,195,84).", true, 50004},
                      PassiveCase{"Entering Passive Mode (127,0,0,1,195,84)", true, 50004},
                      PassiveCase{"Entering passive mode. 127,0,0,1,4,51", true, 1075},
                      PassiveCase{"Data transfer will passively listen to 127,0,0,1,4,51", true,
                                  1075},
                      PassiveCase{"Entering Passive Mode (10, 0, 0, 7, 0, 21)", true, 21},
                      PassiveCase{"Entering Passive Mode (1216,256,2,127,127,127)", false, 0},
                      PassiveCase{"Entering Passive Mode (127,0,0,1,300,1)", false, 0},
                      PassiveCase{"Entering Passive Mode (127,0,0,1,0,0)", false, 0},
                      PassiveCase{"Entering Passive Mode (127,0,0,1,4)", false, 0},
                      PassiveCase{"Entering Passive Mode", false, 0},
                      PassiveCase{"Port 2121 (127,0,0,1,8,75)", true, 2123}));

TEST(CommandArguments, LineBreaksAndNulCannotBeSent) {
    EXPECT_TRUE(SafeCommandArgument("my guide.dvx"));
    EXPECT_TRUE(SafeCommandArgument(""));
    EXPECT_FALSE(SafeCommandArgument("a\r\nDELE b"));
    EXPECT_FALSE(SafeCommandArgument("a\nb"));
    EXPECT_FALSE(SafeCommandArgument(std::string("a\0b", 3)));
    EXPECT_EQ(PortArgument(0x7F000001, 50004), "127,0,0,1,195,84");
    EXPECT_EQ(SecondsText(15000), "15 s");
    EXPECT_EQ(SecondsText(400), "0.4 s");
    EXPECT_EQ(SecondsText(1250), "1.25 s");
}

} // namespace
} // namespace dravenloom
