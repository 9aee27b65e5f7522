// Benchmarks of the Logic View: showing it for a large guide (the index of the record list and
// the root), expanding a node, and opening the 60-record ladder ten records deep, whose fully
// built tree would never end.
#include "BenchSupport.h"
#include "GuideGenerator.h"

#include "document/RecordCodec.h"
#include "navigation/LogicTree.h"

#include <benchmark/benchmark.h>

namespace dravenloom::bench {
namespace {

// The Logic View of the generated guide of `count` records, held as Open leaves it.
struct GuideLogicView {
    explicit GuideLogicView(std::int32_t count) { HoldGuide(Document, count); }

    BenchPlatform Host{MsgAnswer::Ok};
    GuideDocument Document;
    LogicTree Tree{Document, Host};
};

// "Logic View" on a stale tree: the tree is rebuilt and shows its root.
void BM_LogicViewBuild(benchmark::State& state) {
    const auto count = static_cast<std::int32_t>(state.range(0));
    GuideLogicView view(count);
    LogicTree& tree = view.Tree;
    for (auto _ : state) {
        tree.Build();
        benchmark::DoNotOptimize(tree.Caption(tree.Root()).data());
    }
    SetCounters(state, count);
}

// Build, then open the root and every response under it.
void BM_LogicViewBuildAndOpenRoot(benchmark::State& state) {
    const auto count = static_cast<std::int32_t>(state.range(0));
    GuideLogicView view(count);
    LogicTree& tree = view.Tree;
    for (auto _ : state) {
        tree.Build();
        tree.Expand(tree.Root());
        for (const auto child : tree.Children(tree.Root()))
            tree.Expand(child);
        benchmark::DoNotOptimize(tree.NodeCount());
    }
    SetCounters(state, count);
}

// Record r of 60 jumps to r + 1 and r + 2: the eager tree would hold billions of nodes. Ten
// records deep (twenty tree levels) is 4,093 nodes.
void BM_LadderTenLevels(benchmark::State& state) {
    BenchPlatform host(MsgAnswer::Ok);
    GuideDocument document;
    for (std::int32_t r = 1; r <= 60; ++r) {
        document.Records.Lines.push_back(
            BuildPrimaryLine(r, "Step " + std::to_string(r), "", "300", "0", false));
        for (const std::int32_t t : {r + 1, r + 2})
            if (t <= 60)
                document.Records.Lines.push_back(
                    BuildResponseLine(r, "to " + std::to_string(t), std::to_string(t)));
    }
    document.RecordCount = 60;
    LogicTree tree(document, host);
    for (auto _ : state) {
        tree.Build();
        std::size_t visited = 0;
        VisitLogicTree(tree, 20, [&](LogicTree::NodeId, int) { ++visited; });
        benchmark::DoNotOptimize(visited);
    }
    state.counters["nodes"] = static_cast<double>(tree.NodeCount());
}

DRAVENLOOM_SIZES(BM_LogicViewBuild);
DRAVENLOOM_SIZES(BM_LogicViewBuildAndOpenRoot);
BENCHMARK(BM_LadderTenLevels)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace dravenloom::bench
