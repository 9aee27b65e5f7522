// Benchmarks of record removal on guides of 1,000, 10,000 and 100,000 records: the one-pass
// rewrite of the record list, and the whole "Remove" command around it.
#include "GuideGenerator.h"

#include "document/EditView.h"
#include "document/GraphicDialog.h"
#include "document/RecordEditor.h"
#include "navigation/LogicTree.h"
#include "navigation/RecordRemoval.h"

#include <benchmark/benchmark.h>

namespace dravenloom::bench {
namespace {

// A Platform that confirms every removal.
class ConfirmingPlatform : public Platform {
public:
    MsgAnswer ShowMessage(const MessageRequest&) override { return MsgAnswer::Ok; }
    std::optional<std::string> OpenDialog(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> SaveDialog(const FileDialogRequest&) override { return {}; }
    void Focus(const TextField&, bool) override {}
    void SetPointer(PointerShape) override {}
    void OpenAddress(const std::string&) override {}
    void ShowHelpContents(const std::string&) override {}
};

void SetCounters(benchmark::State& state, std::int32_t count) {
    state.SetComplexityN(count);
    state.counters["records"] = count;
    state.counters["lines"] = static_cast<double>(GuideOf(count).Records.Count());
}

// Removing record 1 renumbers every other line and repairs every link: the worst case.
void BM_RemoveRecordLinesFirst(benchmark::State& state) {
    const auto count = static_cast<std::int32_t>(state.range(0));
    const RecordList& guide = GuideOf(count).Records;
    RecordList records;
    for (auto _ : state) {
        // The copy, and freeing the one before, are not part of the removal.
        state.PauseTiming();
        records = guide;
        state.ResumeTiming();
        RemoveRecordLines(records, 1, count);
        benchmark::DoNotOptimize(records.Lines.data());
    }
    SetCounters(state, count);
}

// "Remove" on record 1 in the Edit View: confirmation, the rewrite, loading the new record 1
// (with its "Jumped from" list, a walk over the whole list) and storing it.
void BM_RemoveCurrentRecordFirst(benchmark::State& state) {
    const auto count = static_cast<std::int32_t>(state.range(0));
    ConfirmingPlatform host;
    GuideDocument document;
    EditView view;
    GraphicDialog graphic;
    RecordEditor editor(document, view, graphic, host);
    LogicTree tree(document, host);
    RecordRemoval removal(document, view, editor, tree, host, [] { return false; });
    for (auto _ : state) {
        state.PauseTiming();
        document.Records = GuideOf(count).Records;
        document.RecordCount = count;
        document.CurrentRecord = 1;
        editor.LoadRecord();
        state.ResumeTiming();
        removal.RemoveCurrentRecord();
        benchmark::DoNotOptimize(document.RecordCount);
    }
    SetCounters(state, count);
}

BENCHMARK(BM_RemoveRecordLinesFirst)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_RemoveCurrentRecordFirst)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace
} // namespace dravenloom::bench
