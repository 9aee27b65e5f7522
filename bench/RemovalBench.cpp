// Benchmarks of record removal on guides of 1,000, 10,000 and 100,000 records: the one-pass
// rewrite of the record list, and the whole "Remove" command around it.
#include "BenchSupport.h"
#include "GuideGenerator.h"

#include "document/EditView.h"
#include "document/GraphicDialog.h"
#include "document/RecordEditor.h"
#include "navigation/LogicTree.h"
#include "navigation/RecordRemoval.h"

#include <benchmark/benchmark.h>

namespace dravenloom::bench {
namespace {

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
    BenchPlatform host(MsgAnswer::Ok); // confirms every removal
    GuideDocument document;
    EditView view;
    GraphicDialog graphic;
    RecordEditor editor(document, view, graphic, host);
    Navigator navigator(document, view, editor);
    LogicTree tree(document, host);
    RecordRemoval removal(document, view, editor, navigator, tree, host, [] { return false; });
    for (auto _ : state) {
        state.PauseTiming();
        HoldGuide(document, count);
        document.CurrentRecord = 1;
        editor.LoadRecord();
        state.ResumeTiming();
        removal.RemoveCurrentRecord();
        benchmark::DoNotOptimize(document.RecordCount);
    }
    SetCounters(state, count);
}

DRAVENLOOM_SIZES(BM_RemoveRecordLinesFirst);
DRAVENLOOM_SIZES(BM_RemoveCurrentRecordFirst);

} // namespace
} // namespace dravenloom::bench
