// Benchmarks of "Find...", "Replace All" with its undo, and "Statistics" on guides of 1,000,
// 10,000 and 100,000 records.
#include "BenchSupport.h"
#include "GuideGenerator.h"

#include "document/GuideReplace.h"
#include "shell/GuideStatistics.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace dravenloom::bench {
namespace {

// Every match of a word, ignoring case: "lamp" stands in about one text in four. Arg 1 is
// "Whole word" with a regular expression that holds an accented letter.
void BM_FindWord(benchmark::State& state) {
    const auto count = static_cast<std::int32_t>(state.range(0));
    const RecordList& records = GuideOf(count).Records;
    const TextPattern pattern("lamp", {});
    std::size_t found = 0;
    for (auto _ : state) {
        found = FindInGuide(records, pattern).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["matches"] = static_cast<double>(found);
    SetCounters(state, count);
}

void BM_FindAccentedWholeWordRegex(benchmark::State& state) {
    const auto count = static_cast<std::int32_t>(state.range(0));
    const RecordList& records = GuideOf(count).Records;
    const TextPattern pattern("caf\xC3\xA9|b[a-z]+b", {false, true, true});
    std::size_t found = 0;
    for (auto _ : state) {
        found = FindInGuide(records, pattern).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["matches"] = static_cast<double>(found);
    SetCounters(state, count);
}

// "Replace All" of "lamp" by "light" as the command does it: find, plan (every replacement
// checked), apply, one step of the record history.
void BM_ReplaceAll(benchmark::State& state) {
    const auto count = static_cast<std::int32_t>(state.range(0));
    const TextPattern pattern("lamp", {});
    GuideDocument document;
    std::size_t replaced = 0;
    for (auto _ : state) {
        state.PauseTiming();
        HoldGuide(document, count);
        document.History.Clear();
        state.ResumeTiming();
        const auto matches = FindInGuide(document.Records, pattern);
        ReplacePlan plan = PlanReplacements(document.Records, pattern, matches, "light");
        HistoryGroup step(document, StepKind::Command, "Replace All");
        ApplyLineEdits(document.Records, plan.Edits);
        document.History.Add(
            std::make_unique<LineEditsChange>(document.Records, std::move(plan.Edits)));
        replaced = plan.Replacements;
    }
    state.counters["matches"] = static_cast<double>(replaced);
    SetCounters(state, count);
}

// Undoing that step.
void BM_UndoReplaceAll(benchmark::State& state) {
    const auto count = static_cast<std::int32_t>(state.range(0));
    const TextPattern pattern("lamp", {});
    GuideDocument document;
    for (auto _ : state) {
        state.PauseTiming();
        HoldGuide(document, count);
        document.History.Clear();
        {
            ReplacePlan plan = PlanReplacements(document.Records, pattern,
                                                FindInGuide(document.Records, pattern), "light");
            HistoryGroup step(document, StepKind::Command, "Replace All");
            ApplyLineEdits(document.Records, plan.Edits);
            document.History.Add(
                std::make_unique<LineEditsChange>(document.Records, std::move(plan.Edits)));
        }
        state.ResumeTiming();
        benchmark::DoNotOptimize(document.History.Undo());
    }
    SetCounters(state, count);
}

void BM_Statistics(benchmark::State& state) {
    const auto count = static_cast<std::int32_t>(state.range(0));
    const RecordList& records = GuideOf(count).Records;
    for (auto _ : state) {
        const GuideStatistics stats = ComputeStatistics(records, count);
        benchmark::DoNotOptimize(stats.Depth);
    }
    SetCounters(state, count);
}

DRAVENLOOM_SIZES(BM_FindWord);
DRAVENLOOM_SIZES(BM_FindAccentedWholeWordRegex);
DRAVENLOOM_SIZES(BM_ReplaceAll);
// Each run sets up a whole Replace All first, untimed: a few runs are enough.
BENCHMARK(BM_UndoReplaceAll)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
DRAVENLOOM_SIZES(BM_Statistics);

} // namespace
} // namespace dravenloom::bench
