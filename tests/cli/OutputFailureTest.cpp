// dravenloom-cli on a standard output that cannot be written: a full device, a reader that went
// away. Either is an error with its reason on standard error, never a silent end.
#include "support/CliRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace dravenloom {
namespace {

namespace fs = std::filesystem;

class OutputFailureTest : public CliFixture {
protected:
    // A guide whose tree runs to many megabytes: 60 records, each jumping to the next two.
    fs::path LargeTree() {
        std::vector<std::string> lines;
        for (int r = 1; r <= 60; ++r) {
            lines.push_back(std::to_string(r) + "|Step " + std::to_string(r) + "#<>~no");
            for (int t : {r + 1, r + 2})
                if (t <= 60)
                    lines.push_back(std::to_string(r) + "|to " + std::to_string(t) + "#" +
                                    std::to_string(t));
        }
        return Write("ladder.dvx", CliGuide(lines));
    }

    // Runs the program with `shellOutput` as its standard output (for example ">/dev/full" or
    // "| head -c 1"); the exit status of the program itself, and its standard error.
    CliResult RunInto(const std::vector<std::string>& arguments, const std::string& shellOutput) {
        const fs::path status = Directory / "status.txt";
        const fs::path err = Directory / "stderr.txt";
        const std::string command = "(" + CliCommandLine(arguments) + " 2>" +
                                    ShellQuote(err.string()) + "; echo $? >" +
                                    ShellQuote(status.string()) + ") " + shellOutput;
        std::system(command.c_str());
        const std::string code = ReadWholeFile(status);
        return {code.empty() ? -1 : std::stoi(code), "", ReadWholeFile(err)};
    }
};

TEST_F(OutputFailureTest, FullDeviceIsAnError) {
    const fs::path guide = Write("one.dvx", CliGuide({"1|One#<>~no"}));
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"show", guide.string()},
                                               {"check", guide.string()},
                                               {"tree", LargeTree().string(), "--depth", "200"},
                                               {"help"}}) {
        const CliResult result = RunInto(arguments, ">/dev/full");
        EXPECT_EQ(result.Status, 2) << arguments.front();
        EXPECT_NE(result.Err.find("can't write to standard output: No space left on device"),
                  std::string::npos)
            << result.Err;
    }
}

TEST_F(OutputFailureTest, ReaderThatWentAwayIsAnErrorNotASilentEnd) {
    // The reader takes one byte and goes: the program is told by a failed write, as SIGPIPE is
    // ignored, and stops with the reason.
    const CliResult result =
        RunInto({"tree", LargeTree().string(), "--depth", "200"}, "| head -c 1 >/dev/null");
    EXPECT_EQ(result.Status, 2);
    EXPECT_NE(result.Err.find("can't write to standard output: Broken pipe"), std::string::npos)
        << result.Err;
}

} // namespace
} // namespace dravenloom
