// Tests of `dravenloom-cli tag`: the element printed and written, values refused by their
// fields' rules, and settings taken from an element saved earlier.
#include "support/CliRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using dravenloom::CliResult;

class TagCommandTest : public dravenloom::CliFixture {
protected:
    fs::path Guide() { return Write("help.dvx", dravenloom::CliMarks("1|Hello#<>~no\r\n")); }
};

const std::string DefaultElement = "<APPLET CODE=\"Dravenloom.class\" WIDTH=\"75\" HEIGHT=\"50\" "
                                   "MAYSCRIPT>\n"
                                   "<PARAM NAME=\"frameWidth\" VALUE=\"300\">\n"
                                   "<PARAM NAME=\"frameHeight\" VALUE=\"400\">\n"
                                   "<PARAM NAME=\"filename\" VALUE=\"help.dvx\">\n"
                                   "<PARAM NAME=\"title\" VALUE=\"\">\n"
                                   "<PARAM NAME=\"button\" VALUE=\"\">\n"
                                   "<PARAM NAME=\"background\" VALUE=\"#FFFFFF\">\n"
                                   "<PARAM NAME=\"text\" VALUE=\"#000000\">\n"
                                   "<PARAM NAME=\"face\" VALUE=\"Times New Roman\">\n"
                                   "<PARAM NAME=\"style\" VALUE=\"Regular\">\n"
                                   "<PARAM NAME=\"size\" VALUE=\"12\">\n"
                                   "<PARAM NAME=\"textStart\" VALUE=\"5\">\n"
                                   "<PARAM NAME=\"image\" VALUE=\"gray.gif\">\n"
                                   "<PARAM NAME=\"imageDir\" VALUE=\"\">\n"
                                   "Sorry, but your browser does not support Java.\n"
                                   "</APPLET>\n";

TEST_F(TagCommandTest, PrintsTheDefaultElement) {
    const CliResult result = Run({"tag", Guide().string()});
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out, DefaultElement);
    EXPECT_EQ(result.Err, "");
}

TEST_F(TagCommandTest, WritesEverySettingAndReadsItBack) {
    const std::string guide = Guide().string();
    const std::string page = (Directory / "page.html").string();
    const CliResult written =
        Run({"tag",          guide,      "--title",      "Caf\xC3\xA9 \"tour\"",
             "--button",     "Go",       "--width",      "640",
             "--height",     "480",      "--text-start", "9",
             "--background", "#0080ff",  "--text",       "#C00A01",
             "--face",       "Courier",  "--size",       "11",
             "--bold",       "--italic", "--image",      "purple.gif",
             "--image-dir",  "pics",     "--output",     page});
    ASSERT_EQ(written.Status, 0) << written.Err;
    EXPECT_EQ(written.Out, "Wrote the applet element for help.dvx to page.html\n");
    const std::string bytes = dravenloom::ReadWholeFile(page);
    EXPECT_NE(bytes.find("<PARAM NAME=\"title\" VALUE=\"Caf\xE9 &quot;tour&quot;\">\r\n"),
              std::string::npos)
        << bytes;
    EXPECT_NE(bytes.find("<PARAM NAME=\"style\" VALUE=\"BoldItalic\">\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("<PARAM NAME=\"background\" VALUE=\"#0080FF\">\r\n"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 11), "</APPLET>\r\n");
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 16);

    // The saved element gives the same lines again, and a later option wins over it.
    const std::string again = (Directory / "again.html").string();
    ASSERT_EQ(Run({"tag", guide, "--from", page, "--output", again}).Status, 0);
    EXPECT_EQ(dravenloom::ReadWholeFile(again), bytes);
    const CliResult changed = Run({"tag", guide, "--from", page, "--size", "14"});
    EXPECT_NE(changed.Out.find("<PARAM NAME=\"size\" VALUE=\"14\">\n"), std::string::npos);
    EXPECT_NE(changed.Out.find("<PARAM NAME=\"face\" VALUE=\"Courier\">\n"), std::string::npos);
}

TEST_F(TagCommandTest, Html5AddsTheLineThatLoadsThePlayerAndFromKeepsIt) {
    const std::string guide = Guide().string();
    const CliResult printed = Run({"tag", guide, "--html5"});
    EXPECT_EQ(printed.Status, 0) << printed.Err;
    EXPECT_EQ(printed.Out, DefaultElement + "<script src=\"dravenloom.js\"></script>\n");

    const std::string page = (Directory / "page.html").string();
    ASSERT_EQ(Run({"tag", guide, "--html5", "--title", "T", "--output", page}).Status, 0);
    const std::string bytes = dravenloom::ReadWholeFile(page);
    EXPECT_EQ(bytes.substr(bytes.size() - 50),
              "</APPLET>\r\n<script src=\"dravenloom.js\"></script>\r\n");
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 17);
    // An element saved with the line gives it again; one saved without gives the sixteen.
    const CliResult again = Run({"tag", guide, "--from", page});
    EXPECT_EQ(again.Status, 0) << again.Err;
    EXPECT_NE(again.Out.find("</APPLET>\n<script src=\"dravenloom.js\"></script>\n"),
              std::string::npos)
        << again.Out;
    const std::string plain = (Directory / "plain.html").string();
    ASSERT_EQ(Run({"tag", guide, "--output", plain}).Status, 0);
    EXPECT_EQ(Run({"tag", guide, "--from", plain}).Out, DefaultElement);
}

TEST_F(TagCommandTest, SendsNoEscapeSequenceToTheTerminal) {
    // The element carries no control character: it stands there as a blank, on the terminal
    // and in the file.
    const CliResult result = Run({"tag", Guide().string(), "--title", "\x1B[2Jgone\t!"});
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out.find('\x1B'), std::string::npos);
    EXPECT_NE(result.Out.find("<PARAM NAME=\"title\" VALUE=\" [2Jgone !\">\n"), std::string::npos)
        << result.Out;
    const std::string page = (Directory / "page.html").string();
    ASSERT_EQ(Run({"tag", Guide().string(), "--title", std::string("a\x1B\x7F") + "\xC2\x9D" + "b",
                   "--output", page})
                  .Status,
              0);
    EXPECT_NE(dravenloom::ReadWholeFile(page).find("VALUE=\"a   b\">\r\n"), std::string::npos);

    // What is refused is shown with its control characters written out: values from a page,
    // the page's name, values from the command line.
    const fs::path bad =
        Write("bad\x1B[31m.html", "<APPLET CODE=\"Dravenloom.class\"><PARAM NAME=\"size\" "
                                  "VALUE=\"\x1B]0;owned\x07\"><PARAM NAME=\"\x9D"
                                  "2J\" VALUE=\"\">"
                                  "</APPLET>");
    const CliResult fromPage = Run({"tag", Guide().string(), "--from", bad.string()});
    EXPECT_EQ(fromPage.Status, 2);
    EXPECT_EQ(fromPage.Err,
              "dravenloom-cli tag: These settings of the element were not taken and keep their "
              "current values:\n"
              "  size: \"\\x1B]0;owned\\x07\" (Font size must be between 10 and 18.)\n"
              "  \"\\x9D"
              "2J\": not a setting of the guide\n");
    const fs::path plain = Write("plain\x1B[31m.html", "<p>nothing</p>");
    EXPECT_EQ(Run({"tag", Guide().string(), "--from", plain.string()}).Err,
              "dravenloom-cli tag: plain\\x1B[31m.html holds no applet element for "
              "Dravenloom.class\n");
    EXPECT_EQ(Run({"tag", Guide().string(), "--size", "1\x1B[2J"}).Err,
              "dravenloom-cli tag: --size \"1\\x1B[2J\": Font size must be between 10 and 18.\n");
    EXPECT_EQ(Run({"tag", Guide().string(), "--title", "\xC2\x9B\xFF"}).Err,
              "dravenloom-cli tag: --title \"\\x9B\\xFF\": it holds a character that an HTML file "
              "in code page 1252 cannot hold.\n");
    const CliResult missing =
        Run({"tag", Guide().string(), "--from", (Directory / "gone\x1B[2J.html").string()});
    EXPECT_EQ(missing.Status, 2);
    EXPECT_EQ(missing.Err.find('\x1B'), std::string::npos) << missing.Err;
    EXPECT_NE(missing.Err.find("gone\\x1B[2J.html"), std::string::npos) << missing.Err;
}

// One run of the program with its output thrown away: its exit status and the most memory it
// held at once (its peak resident set, in kilobytes).
struct MeasuredRun {
    int Status = -1;
    long PeakKilobytes = 0;
};

MeasuredRun RunMeasured(const std::vector<std::string>& arguments) {
    std::vector<std::string> words{DRAVENLOOM_CLI};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    MeasuredRun run;
    int status = 0;
    rusage usage{};
    if (child > 0 && ::wait4(child, &status, 0, &usage) == child) {
        run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.PeakKilobytes = usage.ru_maxrss;
    }
    return run;
}

// A page just under the limit made of what costs a reader most: an APPLET tag of millions of
// attributes and an element of a hundred thousands of PARAMs that name no setting. It used to
// take about forty times its size; now it takes little more than the page itself.
TEST_F(TagCommandTest, AHugePageIsReadInLittleMoreThanItsOwnSize) {
    constexpr std::size_t limit = std::size_t{16} << 20;
    std::string html = "<APPLET CODE=\"Dravenloom.class\"";
    while (html.size() < limit / 2)
        html += " a=b";
    html += ">";
    for (int i = 0; html.size() < limit - 64; ++i)
        html += "<param name=x" + std::to_string(i) + ">";
    html += "<PARAM NAME=\"size\" VALUE=\"14\"></APPLET>";
    ASSERT_LE(html.size(), limit);
    const fs::path page = Write("huge.html", html);
    const std::string guide = Guide().string();

    const MeasuredRun alone = RunMeasured({"tag", guide});
    const MeasuredRun reading = RunMeasured({"tag", guide, "--from", page.string()});
    ASSERT_EQ(alone.Status, 0);
    EXPECT_EQ(reading.Status, 2) << "the PARAMs of no setting are listed and refused";
    const long pageKilobytes = static_cast<long>(html.size() / 1024);
    EXPECT_LT(reading.PeakKilobytes - alone.PeakKilobytes, 4 * pageKilobytes)
        << "peak " << reading.PeakKilobytes << " kB against " << alone.PeakKilobytes
        << " kB without the page";

    // What is listed is a screenful, the rest counted.
    const CliResult listed = Run({"tag", guide, "--from", page.string()});
    EXPECT_EQ(std::count(listed.Err.begin(), listed.Err.end(), '\n'), 1 + 20 + 1) << listed.Err;
    EXPECT_NE(listed.Err.find("  \"x0\": not a setting of the guide\n"), std::string::npos);
    EXPECT_NE(listed.Err.find(" more\n"), std::string::npos) << listed.Err;

    // One byte more and the page is refused before it is read.
    html.resize(limit + 1, ' ');
    const fs::path larger = Write("larger.html", html);
    const CliResult refused = Run({"tag", guide, "--from", larger.string()});
    EXPECT_EQ(refused.Status, 2);
    EXPECT_NE(refused.Err.find("It is larger than 16 MB"), std::string::npos) << refused.Err;
}

struct BadCase {
    const char* Option;
    const char* Value;
    const char* Rule;
    const char* Shown = nullptr; // the value as the message shows it, when not as given
};

class TagRefusalTest : public TagCommandTest, public ::testing::WithParamInterface<BadCase> {};

TEST_P(TagRefusalTest, RefusesWithTheFieldsMessage) {
    const auto& c = GetParam();
    const std::string page = (Directory / "page.html").string();
    const CliResult result = Run({"tag", Guide().string(), c.Option, c.Value, "--output", page});
    EXPECT_EQ(result.Status, 2);
    EXPECT_EQ(result.Out, "");
    EXPECT_EQ(result.Err, std::string("dravenloom-cli tag: ") + c.Option + " \"" +
                              (c.Shown ? c.Shown : c.Value) + "\": " + c.Rule + "\n");
    EXPECT_FALSE(fs::exists(page));
}

INSTANTIATE_TEST_SUITE_P(
    Values, TagRefusalTest,
    ::testing::Values(
        BadCase{"--width", "0", "Width must be a positive integer value."},
        BadCase{"--height", "abc", "Height must be a positive integer value."},
        BadCase{"--text-start", "-1", "Text Starting Position must be a positive integer value."},
        BadCase{"--face", "arial", "Invalid font face."},
        BadCase{"--size", "19", "Font size must be between 10 and 18."},
        BadCase{"--background", "white", "A colour is written #RRGGBB."},
        BadCase{"--text", "#12345", "A colour is written #RRGGBB."},
        BadCase{"--button", "two\nlines", "The value must stay on one line.", "two\\x0Alines"},
        BadCase{"--title", "\xE5\x90\x8D",
                "it holds a character that an HTML file in code page 1252 cannot "
                "hold."}));

TEST_F(TagCommandTest, RefusesAnUnknownButtonPicture) {
    const CliResult result = Run({"tag", Guide().string(), "--image", "pink.gif"});
    EXPECT_EQ(result.Status, 2);
    EXPECT_NE(result.Err.find("--image \"pink.gif\": The button picture is one of"),
              std::string::npos)
        << result.Err;
}

TEST_F(TagCommandTest, RefusesWhatIsNoGuideOrNoElement) {
    const fs::path notGuide = Write("notes.dvx", "just some text\r\n");
    EXPECT_EQ(Run({"tag", notGuide.string()}).Status, 2);
    EXPECT_EQ(Run({"tag", (Directory / "missing.dvx").string()}).Status, 2);
    const fs::path plain = Write("plain.html", "<p>nothing</p>");
    const CliResult result = Run({"tag", Guide().string(), "--from", plain.string()});
    EXPECT_EQ(result.Status, 2);
    EXPECT_EQ(result.Err,
              "dravenloom-cli tag: plain.html holds no applet element for Dravenloom.class\n");
    const fs::path bad = Write("bad.html", "<APPLET CODE=\"Dravenloom.class\"><PARAM "
                                           "NAME=\"size\" VALUE=\"30\"></APPLET>");
    const CliResult listed = Run({"tag", Guide().string(), "--from", bad.string()});
    EXPECT_EQ(listed.Status, 2);
    EXPECT_NE(listed.Err.find("  size: \"30\" (Font size must be between 10 and 18.)\n"),
              std::string::npos)
        << listed.Err;
}

} // namespace
