// Tests of dravenloom-cli: runs the built program on guides written to a temporary directory
// and checks its exit status and output.
#include "support/CliRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using dravenloom::CliResult;

class CliTest : public dravenloom::CliFixture {
protected:
    // Writes guide bytes given with the stand-ins of CliMarks.
    fs::path WriteGuide(const std::string& name, const std::string& text) {
        return Write(name, dravenloom::CliMarks(text));
    }
};

// Record 1: a two-line dialogue with é (byte 0xE9), a picture, centred, a response with a
// target and one without, holding a quote, a backslash and a tab. Record 2: plain.
const std::string SmallGuide = "1|Caf\xE9 open?^Come in.#pics\\door.gif<120>40~yes\r\n"
                               "1|Yes#2\r\n"
                               "1|Say \"hi\"\\\tnow#\r\n"
                               "2|Bye#<>~no\r\n";

const std::string SmallGuideRecord2Json =
    "{\"number\": 2, \"dialogue\": \"Bye\", \"graphicPath\": \"\", \"graphicX\": \"300\", "
    "\"graphicY\": \"0\", \"center\": false, \"responses\": []}";

TEST_F(CliTest, ShowJsonGivesEveryRecordExactly) {
    const fs::path guide = WriteGuide("small.dvx", SmallGuide);
    const CliResult all = Run({"show", guide.string(), "--json"});
    EXPECT_EQ(all.Status, 0) << all.Err;
    EXPECT_EQ(
        all.Out,
        "{\"recordCount\": 2, \"records\": [{\"number\": 1, \"dialogue\": "
        "\"Caf\xC3\xA9 open?\\r\\nCome in.\", \"graphicPath\": \"pics\\\\door.gif\", "
        "\"graphicX\": \"120\", \"graphicY\": \"40\", \"center\": true, \"responses\": "
        "[{\"text\": \"Yes\", \"target\": \"2\"}, {\"text\": \"Say \\\"hi\\\"\\\\\\u0009now\", "
        "\"target\": \"\"}]}, " +
            SmallGuideRecord2Json + "]}\n");
    EXPECT_EQ(all.Err, "");

    const CliResult one = Run({"show", "--record", "2", "--json", guide.string()});
    EXPECT_EQ(one.Status, 0);
    EXPECT_EQ(one.Out, "{\"recordCount\": 2, \"records\": [" + SmallGuideRecord2Json + "]}\n");

    // A byte the code page leaves undefined comes out as the control character it stands for.
    const fs::path odd = WriteGuide("odd.dvx", "1|Odd\x81"
                                               "byte \x7F#<>~no\r\n");
    EXPECT_NE(Run({"show", odd.string(), "--json"}).Out.find("\"Odd\\u0081byte \\u007F\""),
              std::string::npos);
}

TEST_F(CliTest, ShowTextLaysRecordsOutForPeople) {
    const fs::path guide = WriteGuide("small.dvx", SmallGuide + "3|Beep\x1B[2J#<>~no\r\n");
    const CliResult result = Run({"show", guide.string()});
    EXPECT_EQ(result.Status, 0) << result.Err;
    const std::string& out = result.Out;
    EXPECT_NE(out.find("Record 1 of 3\n"
                       "  Dialogue:  Caf\xC3\xA9 open?\n"
                       "             Come in.\n"
                       "  Picture:   pics\\door.gif at 120, 40\n"
                       "  Centred:   yes\n"
                       "  Responses: 1. Yes  -> 2\n"
                       "             2. Say \"hi\"\\\tnow  (no jump)\n"
                       "\n"
                       "Record 2 of 3\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("  Picture:   none\n  Centred:   no\n  Responses: none\n"),
              std::string::npos);
    // A guide cannot send escape sequences to the terminal.
    EXPECT_EQ(out.find('\x1B'), std::string::npos);
    EXPECT_NE(out.find("Beep\\x1B[2J"), std::string::npos);
}

TEST_F(CliTest, ShowReadsLikeTheProgramsOpen) {
    // Lone LF and lone CR line ends, a last line without line end, and a NUL that ends the
    // text: the same records as the CR LF file.
    const fs::path crlf = WriteGuide("crlf.dvx", "1|One#<>~no\r\n1|Go#2\r\n2|Two#<>~no\r\n");
    const fs::path mixed = WriteGuide("mixed.dvx", std::string("1|One#<>~no\n1|Go#2\r2|Two#<>~no") +
                                                       '\0' + "3|Hidden#<>~no\r\n");
    const CliResult expected = Run({"show", crlf.string(), "--json"});
    const CliResult actual = Run({"show", mixed.string(), "--json"});
    EXPECT_EQ(expected.Status, 0);
    EXPECT_EQ(actual.Status, 0);
    EXPECT_EQ(actual.Out, expected.Out);
    EXPECT_NE(actual.Out.find("\"recordCount\": 2"), std::string::npos);

    // The record count is the last line's number; a record without lines shows empty.
    const fs::path gap = WriteGuide("gap.dvx", "1|One#<>~no\r\n3|Three#<>~no\r\n");
    const CliResult gapped = Run({"show", gap.string()});
    EXPECT_EQ(gapped.Status, 0);
    EXPECT_NE(gapped.Out.find("Record 2 of 3\n  (no lines in the file"), std::string::npos);

    // A long gap is one entry, however long: the program does not list two billion records.
    const fs::path far = WriteGuide("far.dvx", "1|One#<>~no\r\n2000000000|Far#<>~no\r\n");
    const CliResult farOut = Run({"show", far.string()});
    EXPECT_EQ(farOut.Status, 0);
    EXPECT_NE(farOut.Out.find("\nRecords 2 to 1999999999 of 2000000000\n  (no lines in the file"),
              std::string::npos)
        << farOut.Out;
    EXPECT_NE(farOut.Out.find("\nRecord 2000000000 of 2000000000\n  Dialogue:  Far\n"),
              std::string::npos);
}

TEST_F(CliTest, ShowRefusesWhatCannotBeAGuide) {
    // An empty file is what the program saves for a guide whose only record is empty, and it
    // opens it as that guide: one record without lines.
    const fs::path empty = WriteGuide("empty.dvx", "");
    const CliResult noRecords = Run({"show", empty.string()});
    EXPECT_EQ(noRecords.Status, 0) << noRecords.Err;
    EXPECT_EQ(noRecords.Out.rfind("Record 1 of 1\n  (no lines in the file", 0), 0u)
        << noRecords.Out;

    const fs::path bad = WriteGuide("bad.dvx", "1|One#<>~no\r\n1|Go#2\r\nstray text\r\n");
    const CliResult badLine = Run({"show", bad.string(), "--json"});
    EXPECT_EQ(badLine.Status, 2);
    EXPECT_EQ(badLine.Out, "");
    EXPECT_NE(badLine.Err.find(bad.string()), std::string::npos);
    EXPECT_NE(badLine.Err.find("line 3"), std::string::npos) << badLine.Err;

    EXPECT_EQ(Run({"show", (Directory / "missing.dvx").string()}).Status, 2);
    EXPECT_EQ(Run({"show", Directory.string()}).Status, 2);

    const fs::path guide = WriteGuide("small.dvx", SmallGuide);
    const CliResult pastEnd = Run({"show", guide.string(), "--record", "3"});
    EXPECT_EQ(pastEnd.Status, 2);
    EXPECT_NE(pastEnd.Err.find("records 1 to 2"), std::string::npos);
    EXPECT_EQ(Run({"show", guide.string(), "--record", "0"}).Status, 2);
    EXPECT_EQ(Run({"show", guide.string(), "--record", "two"}).Status, 2);
}

TEST_F(CliTest, PathsAreUtf8) {
    const std::string name = "f\xC3\xBChrung \xC3\xA9t\xC3\xA9.dvx";
    WriteGuide(name, SmallGuide);
    const std::string guide = Directory.string() + "/" + name;
    const CliResult shown = Run({"show", guide, "--record", "2"});
    EXPECT_EQ(shown.Status, 0) << shown.Err;
    EXPECT_NE(shown.Out.find("Record 2 of 2"), std::string::npos);
    const CliResult checked = Run({"check", guide});
    EXPECT_EQ(checked.Status, 0) << checked.Out << checked.Err;
    EXPECT_NE(checked.Out.find(name), std::string::npos);
}

TEST_F(CliTest, CheckExitStatusSaysWhetherSomethingIsWrong) {
    const fs::path clean = WriteGuide("clean.dvx", SmallGuide);
    const CliResult ok = Run({"check", clean.string()});
    EXPECT_EQ(ok.Status, 0) << ok.Out;
    EXPECT_EQ(ok.Out, "OK: 2 records, no problems found in clean.dvx\n");

    const fs::path broken = WriteGuide("broken.dvx", "1|One#<>~no\r\n"
                                                     "1|Loop#1\r\n"
                                                     "1|Away#9\r\n"
                                                     "2|Two#<>~maybe\r\n");
    const CliResult found = Run({"check", broken.string()});
    EXPECT_EQ(found.Status, 1);
    EXPECT_EQ(found.Out.rfind("line 2: response 1 of record 1 jumps to record 1 itself", 0), 0u)
        << found.Out;
    EXPECT_NE(found.Out.find("\nline 3: response 2 of record 1 jumps to record 9"),
              std::string::npos);
    EXPECT_NE(found.Out.find("\nline 4: the center flag of record 2 is \"maybe\""),
              std::string::npos);
    EXPECT_NE(found.Out.find("\nrecord 2: no path of responses from record 1 reaches it"),
              std::string::npos);
    EXPECT_NE(found.Out.find("\n4 problems found in broken.dvx (2 records, 4 lines)\n"),
              std::string::npos);

    const CliResult unreadable = Run({"check", (Directory / "missing.dvx").string()});
    EXPECT_EQ(unreadable.Status, 2);
    EXPECT_EQ(unreadable.Out, "");
    EXPECT_NE(unreadable.Err.find("missing.dvx"), std::string::npos);
    EXPECT_EQ(Run({"check", Directory.string()}).Status, 2);
}

TEST_F(CliTest, SampleGuidePassesTheCheck) {
    const fs::path tour = fs::path(DRAVENLOOM_SOURCE_DIR) / "examples" / "tour.dvx";
    ASSERT_TRUE(fs::exists(tour));
    const CliResult result = Run({"check", tour.string()});
    EXPECT_EQ(result.Status, 0) << result.Out << result.Err;
}

TEST_F(CliTest, HelpAndCommandLineErrors) {
    const CliResult none = Run({});
    EXPECT_EQ(none.Status, 2);
    EXPECT_EQ(none.Out, "");
    for (const char* usage : {"dravenloom-cli show GUIDE [--record N] [--json]",
                              "dravenloom-cli check GUIDE", "dravenloom-cli help [COMMAND]"})
        EXPECT_NE(none.Err.find(usage), std::string::npos) << usage;

    const CliResult help = Run({"--help"});
    EXPECT_EQ(help.Status, 0);
    EXPECT_EQ(help.Out, none.Err);
    EXPECT_EQ(Run({"help"}).Out, help.Out);

    const CliResult showHelp = Run({"show", "--help"});
    EXPECT_EQ(showHelp.Status, 0);
    EXPECT_EQ(showHelp.Out.rfind("dravenloom-cli show GUIDE", 0), 0u);
    EXPECT_EQ(Run({"help", "show"}).Out, showHelp.Out);

    const CliResult unknown = Run({"frobnicate"});
    EXPECT_EQ(unknown.Status, 2);
    EXPECT_NE(unknown.Err.find("unknown command \"frobnicate\""), std::string::npos);

    const fs::path guide = WriteGuide("small.dvx", SmallGuide);
    const CliResult badOption = Run({"show", guide.string(), "--yaml"});
    EXPECT_EQ(badOption.Status, 2);
    EXPECT_EQ(badOption.Out, "");
    EXPECT_NE(badOption.Err.find("unknown option \"--yaml\""), std::string::npos);
    EXPECT_NE(badOption.Err.find("Usage: dravenloom-cli show"), std::string::npos);
    EXPECT_EQ(Run({"check"}).Status, 2);
    EXPECT_EQ(Run({"check", guide.string(), guide.string()}).Status, 2);
    EXPECT_EQ(Run({"show", guide.string(), "--record"}).Status, 2);
}

} // namespace
