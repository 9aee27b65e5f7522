// Tests of `dravenloom-cli proof`: the PDF read back with pdftotext (every text, every
// destination, the guide's name and the page number on every page, the page size the locale
// asks for), the HTML page with every text escaped, and what the command refuses.
#include "support/CliRunner.h"
#include "support/MarkedText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using dravenloom::CliResult;
using dravenloom::ReadWholeFile;

constexpr int FillerRecords = 40; // enough to need more than one page

class ProofCommandTest : public dravenloom::CliFixture {
protected:
    ProofCommandTest() {
        fs::copy_file(fs::path(DRAVENLOOM_SOURCE_DIR) / "examples" / "bulb.jpg",
                      Directory / "bulb.jpg");
        // One transparent pixel.
        Write("clear.gif", std::string("\x47\x49\x46\x38\x39\x61\x01\x00\x01\x00\x80\x00\x00\x00"
                                       "\x00\x00\xFF\xFF\xFF\x21\xF9\x04\x01\x00\x00\x00\x00\x2C"
                                       "\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x01\x44\x00\x3B",
                                       42));
        std::string bytes;
        for (const std::string& line : Lines())
            bytes += dravenloom::Marked(line) + "\r\n";
        Guide = Write("lamp.dvx", bytes).string();
        Environment = {{"LC_ALL", "en_US.UTF-8"}};
    }

    static std::vector<std::string> Lines() {
        std::vector<std::string> lines = {
            "1¤Is the lamp on?šLook at the caf\xE9 sign.¶bulb.jpgª300±0€no",
            "1¤Yes, it glows¶2",
            "1¤Read the manual [url:https://example.com/lamp?a=1&b=2]¶",
            "1¤Give up¶",
            "2¤Check <script>alert(1)</script> & the fuse¶missing.gifª300±0€no",
            "2¤Back to the start¶1",
            "2¤Onwards¶3",
        };
        for (int n = 3; n < 3 + FillerRecords; ++n) {
            const std::string number = std::to_string(n);
            lines.push_back(number + "¤Filler record " + number +
                            " with a dialogue long enough to take a few lines of the page, so "
                            "that the records fill more than one page of the proof copy.¶" +
                            (n == 3 ? "clear.gif" : "") + "ª300±0€no");
            lines.push_back(number + "¤Next after " + number + "¶" + std::to_string(n + 1));
        }
        return lines;
    }

    // The text of a PDF as pdftotext reads it, pages separated by form feeds.
    std::string PdfText(const fs::path& pdf) {
        const fs::path text = Directory / "text.txt";
        const std::string command = "pdftotext -enc UTF-8 " + dravenloom::ShellQuote(pdf.string()) +
                                    " " + dravenloom::ShellQuote(text.string());
        EXPECT_EQ(std::system(command.c_str()), 0) << "pdftotext (poppler-utils) is needed";
        return ReadWholeFile(text);
    }

    std::string PdfInfo(const fs::path& pdf) {
        const fs::path info = Directory / "info.txt";
        const std::string command = "pdfinfo " + dravenloom::ShellQuote(pdf.string()) + " > " +
                                    dravenloom::ShellQuote(info.string());
        EXPECT_EQ(std::system(command.c_str()), 0);
        return ReadWholeFile(info);
    }

    std::string Guide;
};

TEST_F(ProofCommandTest, ThePdfHoldsEveryTextDestinationAndPageNumber) {
    const fs::path pdf = Directory / "lamp.pdf";
    const CliResult result = Run({"proof", Guide, "--output", pdf.string()});
    ASSERT_EQ(result.Status, 0) << result.Err;
    EXPECT_EQ(result.Out, "Wrote the proof copy of lamp.dvx (" + std::to_string(2 + FillerRecords) +
                              " records) to " + pdf.string() + "\n");
    EXPECT_NE(PdfInfo(pdf).find("(letter)"), std::string::npos) << "en_US measures in US units";

    const std::string text = PdfText(pdf);
    for (const char* expected : {"Record 1",
                                 "Is the lamp on?",
                                 "Look at the caf\u00E9 sign.",
                                 "bulb.jpg",
                                 "Yes, it glows",
                                 "\u2192 2",
                                 "Read the manual",
                                 "https://example.com/lamp?a=1&b=2",
                                 "Give up",
                                 "no link",
                                 "Record 2",
                                 "Check <script>alert(1)</script> & the fuse",
                                 "Cannot load the picture",
                                 "missing.gif",
                                 "Back to the start",
                                 "\u2192 1",
                                 "Onwards",
                                 "\u2192 3",
                                 "Jumped from: 1",
                                 "Jumped from: 2",
                                 "Next after 42",
                                 "\u2192 43 (no such record)"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    }
    // The guide's name and "Page k of n" on every page.
    std::vector<std::string> pages;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\f', start);
        pages.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        start = end == std::string::npos ? text.size() : end + 1;
    }
    if (!pages.empty() && pages.back().find_first_not_of(" \n") == std::string::npos)
        pages.pop_back();
    ASSERT_GE(pages.size(), 2u) << text;
    for (std::size_t k = 0; k < pages.size(); ++k) {
        const std::string number =
            "Page " + std::to_string(k + 1) + " of " + std::to_string(pages.size());
        EXPECT_NE(pages[k].find(number), std::string::npos) << number;
        EXPECT_NE(pages[k].find("lamp.dvx"), std::string::npos) << number;
    }
}

// Records of one to sixty words, one to four responses, the same for the same seed.
std::string VariedGuide(unsigned seed) {
    std::string bytes;
    const auto next = [&seed](unsigned below) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % below;
    };
    for (int n = 1; n <= 60; ++n) {
        const std::string number = std::to_string(n);
        std::string words;
        for (unsigned k = 1 + next(60); k > 0; --k)
            words += " word" + std::to_string(next(1000));
        bytes += dravenloom::Marked(number + "¤Record " + number + " says" + words + "¶ª300±0€no") +
                 "\r\n";
        for (unsigned k = next(5); k > 0; --k)
            bytes +=
                dravenloom::Marked(number + "¤Response¶" + std::to_string(1 + next(60))) + "\r\n";
    }
    return bytes;
}

TEST_F(ProofCommandTest, NoPageEndsWithARecordsHeadingAlone) {
    const std::regex heading("Record [0-9]+");
    for (unsigned seed = 0; seed < 8; ++seed) {
        const std::string guide = Write("varied.dvx", VariedGuide(seed)).string();
        const fs::path pdf = Directory / "varied.pdf";
        ASSERT_EQ(Run({"proof", guide, "--output", pdf.string()}).Status, 0);
        const fs::path text = Directory / "varied.txt";
        const std::string command = "pdftotext -layout -enc UTF-8 " +
                                    dravenloom::ShellQuote(pdf.string()) + " " +
                                    dravenloom::ShellQuote(text.string());
        ASSERT_EQ(std::system(command.c_str()), 0);
        std::istringstream pages(ReadWholeFile(text));
        std::string page;
        int number = 0;
        while (std::getline(pages, page, '\f')) {
            ++number;
            std::vector<std::string> lines;
            std::istringstream in(page);
            for (std::string line; std::getline(in, line);) {
                const auto first = line.find_first_not_of(' ');
                if (first != std::string::npos)
                    lines.push_back(line.substr(first, line.find_last_not_of(' ') - first + 1));
            }
            if (lines.size() < 3)
                continue;
            // The last line is the page's foot.
            EXPECT_FALSE(std::regex_match(lines[lines.size() - 2], heading))
                << "seed " << seed << ", page " << number << " ends with "
                << lines[lines.size() - 2];
        }
    }
}

TEST_F(ProofCommandTest, ThePageSizeFollowsTheLocale) {
    const struct {
        const char* Locale;
        const char* Size;
    } cases[] = {{"en_US.UTF-8", "(letter)"}, {"de_DE.UTF-8", "(A4)"}, {"en_GB.UTF-8", "(A4)"}};
    for (const auto& c : cases) {
        Environment = {{"LC_ALL", c.Locale}};
        const fs::path pdf = Directory / (std::string(c.Locale) + ".pdf");
        ASSERT_EQ(Run({"proof", Guide, "--output", pdf.string()}).Status, 0) << c.Locale;
        EXPECT_NE(PdfInfo(pdf).find(c.Size), std::string::npos) << c.Locale;
    }
}

TEST_F(ProofCommandTest, TheHtmlPageEscapesEveryTextAndCarriesThePicture) {
    const fs::path html = Directory / "lamp.HTML";
    const CliResult result = Run({"proof", Guide, "--output", html.string()});
    ASSERT_EQ(result.Status, 0) << result.Err;
    const std::string page = ReadWholeFile(html);
    EXPECT_EQ(page.find("<script"), std::string::npos) << "the dialogue's markup ran";
    EXPECT_NE(page.find("Check &lt;script&gt;alert(1)&lt;/script&gt; &amp; the fuse"),
              std::string::npos);
    EXPECT_NE(page.find("href=\"https://example.com/lamp?a=1&amp;b=2\""), std::string::npos);
    EXPECT_NE(page.find("Look at the caf\u00E9 sign."), std::string::npos) << "code page 1252";
    // The photograph as JPEG, the picture with a transparent colour as PNG.
    EXPECT_NE(page.find("<img src=\"data:image/jpeg;base64,"), std::string::npos);
    EXPECT_NE(page.find("<img src=\"data:image/png;base64,"), std::string::npos);
    EXPECT_NE(page.find("Cannot load the picture"), std::string::npos);
    EXPECT_NE(page.find("<a class=\"to\" href=\"#record-2\">\u2192 2</a>"), std::string::npos);
    EXPECT_NE(page.find("<title>Proof copy of lamp.dvx</title>"), std::string::npos);
}

TEST_F(ProofCommandTest, RefusesWhatItCannotWrite) {
    const struct {
        std::vector<std::string> Arguments;
        const char* Said;
    } cases[] = {
        {{"proof", Guide}, "--output FILE.pdf or FILE.html"},
        {{"proof", Guide, "--output", (Directory / "lamp.txt").string()}, "ends in neither"},
        {{"proof", (Directory / "none.dvx").string(), "--output", (Directory / "x.pdf").string()},
         "none.dvx"},
        {{"proof", Guide, "--output", (Directory / "no" / "such" / "x.pdf").string()}, "x.pdf"},
    };
    for (const auto& c : cases) {
        const CliResult result = Run(c.Arguments);
        EXPECT_EQ(result.Status, 2) << c.Said;
        EXPECT_NE(result.Err.find(c.Said), std::string::npos) << result.Err;
    }
    EXPECT_FALSE(fs::exists(Directory / "lamp.txt"));
    EXPECT_FALSE(fs::exists(Directory / "x.pdf"));
}

} // namespace
