// The commands of dravenloom-cli on the generated guides, each run in the benchmark's process
// as the program runs it, and each set against a plain read of the same file: std::getline into
// one std::string per line (for `remove`, also writing those lines back with std::ofstream).
#include "BenchSupport.h"
#include "CommandRegistry.h"
#include "GuideGenerator.h"

#include "document/NumberText.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <fstream>
#include <functional>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

namespace dravenloom::bench {
namespace {

// CPU time of the calling thread (user and system), as Google Benchmark counts it.
double ThreadSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// What the commands are measured against: the file read by the C++ library alone, into one
// string per line.
std::vector<std::string> PlainRead(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(std::move(line));
    return lines;
}

void PlainWrite(const std::string& path, const std::vector<std::string>& lines) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const auto& line : lines) {
        out.write(line.data(), static_cast<std::streamsize>(line.size()));
        out.put('\n');
    }
}

// An output that takes everything and keeps nothing.
class Discard : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

struct CommandCase {
    // The words after "dravenloom-cli" for the guide of `count` records at `path`.
    std::function<std::vector<std::string>(const std::string& path, std::int32_t count)> Words;
    bool WritesBack; // the baseline writes the lines back as well
};

// Runs the command as the program does and, between runs with the timer stopped, the plain
// read: the counters give both CPU times and their ratio, taken in turns so that the load of a
// shared machine weighs on both alike.
void RunCommand(benchmark::State& state, const CommandCase& command) {
    const auto count = static_cast<std::int32_t>(state.range(0));
    const std::string& path = GuideOf(count).Path;
    const std::string copy = (BenchDirectory() / "plain-copy.dvx").string();
    std::vector<std::string> words = command.Words(path, count);
    const cli::CliCommand* run = cli::CommandRegistry::Global().Find(words.front());
    if (!run) {
        state.SkipWithError("no such command");
        return;
    }
    words.erase(words.begin());
    Discard discard;
    std::ostream out(&discard);
    std::ostream err(&discard);
    double commandSeconds = 0;
    double plainSeconds = 0;
    for (auto _ : state) {
        const double start = ThreadSeconds();
        const int status = run->Run(words, out, err);
        commandSeconds += ThreadSeconds() - start;
        if (status != cli::ExitOk) {
            state.SkipWithError("the command failed");
            return;
        }
        state.PauseTiming();
        const double plainStart = ThreadSeconds();
        {
            const std::vector<std::string> lines = PlainRead(path);
            if (command.WritesBack)
                PlainWrite(copy, lines);
            benchmark::DoNotOptimize(lines.data());
        }
        plainSeconds += ThreadSeconds() - plainStart;
        state.ResumeTiming();
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["plain_ms"] = plainSeconds / runs * 1e3;
    state.counters["x_plain"] = commandSeconds / plainSeconds;
    SetCounters(state, count);
}

// `check GUIDE`: the whole link check.
void BM_CliCheck(benchmark::State& state) {
    RunCommand(state, {[](const std::string& path, std::int32_t) {
                           return std::vector<std::string>{"check", path};
                       },
                       false});
}

// `show GUIDE --record N` for the last record, whose lines are the last of the file.
void BM_CliShowLast(benchmark::State& state) {
    RunCommand(state,
               {[](const std::string& path, std::int32_t count) {
                    return std::vector<std::string>{"show", path, "--record", IntToStr(count)};
                },
                false});
}

// `tree GUIDE --depth 3`.
void BM_CliTreeDepth3(benchmark::State& state) {
    RunCommand(state, {[](const std::string& path, std::int32_t) {
                           return std::vector<std::string>{"tree", path, "--depth", "3"};
                       },
                       false});
}

// `remove GUIDE 1 --output OUT`: every later line renumbered, every link repaired, the guide
// written to a temporary file, flushed to the disk and renamed over OUT.
void BM_CliRemoveFirst(benchmark::State& state) {
    RunCommand(state,
               {[](const std::string& path, std::int32_t) {
                    return std::vector<std::string>{"remove", path, "1", "--output",
                                                    (BenchDirectory() / "removed.dvx").string()};
                },
                true});
}

DRAVENLOOM_SIZES(BM_CliCheck);
DRAVENLOOM_SIZES(BM_CliShowLast);
DRAVENLOOM_SIZES(BM_CliTreeDepth3);
DRAVENLOOM_SIZES(BM_CliRemoveFirst);

} // namespace
} // namespace dravenloom::bench
