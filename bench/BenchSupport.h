// What the benchmarks share: a Platform that gives one answer to every message, the guide
// counters, the generated guide put into a document, and the three guide sizes to run on.
#pragma once

#include "GuideGenerator.h"

#include "document/GuideDocument.h"
#include "document/WindowlessPlatform.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <optional>
#include <string>

namespace dravenloom::bench {

// A Platform with no windows whose every message box gets the same answer.
class BenchPlatform : public WindowlessPlatform {
public:
    explicit BenchPlatform(MsgAnswer answer) : Answer(answer) {}
    MsgAnswer ShowMessage(const MessageRequest&) override { return Answer; }

private:
    MsgAnswer Answer;
};

// The size of the generated guide of `count` records, for the complexity fit and the report.
inline void SetCounters(benchmark::State& state, std::int32_t count) {
    state.SetComplexityN(count);
    state.counters["records"] = count;
    state.counters["lines"] = static_cast<double>(GuideOf(count).Records.Count());
}

// Puts the generated guide of `count` records into the document as Open leaves it.
inline void HoldGuide(GuideDocument& document, std::int32_t count) {
    document.Records = GuideOf(count).Records;
    document.RecordCount = count;
}

} // namespace dravenloom::bench

// Registers a benchmark on guides of 1,000, 10,000 and 100,000 records, expected to grow
// linearly, reported in milliseconds.
#define DRAVENLOOM_SIZES(bm)                                                                       \
    BENCHMARK(bm)                                                                                  \
        ->Arg(1000)                                                                                \
        ->Arg(10000)                                                                               \
        ->Arg(100000)                                                                              \
        ->Complexity(benchmark::oN)                                                                \
        ->Unit(benchmark::kMillisecond)
