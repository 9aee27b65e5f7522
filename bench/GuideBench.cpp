// Benchmarks of the guide operations that walk the whole record list, on guides of 1,000,
// 10,000 and 100,000 records; each must grow linearly with the guide.
#include "BenchSupport.h"
#include "GuideGenerator.h"

#include "document/GuideCheck.h"
#include "document/GuideFile.h"
#include "shell/FileCommands.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string_view>

namespace dravenloom::bench {
namespace {

// The editor's pieces, as the main window holds them.
struct Editor {
    BenchPlatform Host{MsgAnswer::Cancel}; // the operations measured ask no questions
    GuideDocument Document;
    EditView View;
    GraphicDialog Graphic;
    PageSwitch Pages;
    RecordEditor Records{Document, View, Graphic, Host};
    Navigator Nav{Document, View, Records};
    FileCommands Files{Document, View, Records, Nav, Pages, Host};

    // Opens the generated guide of `count` records as the program's Open does.
    explicit Editor(std::int32_t count) {
        Files.NewGuideState();
        Document.OpenDialogPath = GuideOf(count).Path;
        Files.OpenGuideFile();
    }
};

// Open: read the file, split it into lines, check their numbers, decode, take the record
// count, show record 1 (FileCommands::OpenGuideFile).
void BM_Open(benchmark::State& state) {
    const auto count = static_cast<std::int32_t>(state.range(0));
    Editor editor(count);
    for (auto _ : state) {
        editor.Document.OpenDialogPath = GuideOf(count).Path;
        editor.Files.OpenGuideFile();
        benchmark::DoNotOptimize(editor.Document.RecordCount);
    }
    SetCounters(state, count);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(GuideOf(count).FileBytes));
}

// Save: copy the list, encode the line breaks, write to a temporary file and rename it over
// the guide (FileCommands::WriteGuideFile).
void BM_Save(benchmark::State& state) {
    const auto count = static_cast<std::int32_t>(state.range(0));
    Editor editor(count);
    editor.Document.GuideFileName = (BenchDirectory() / "saved.dvx").string();
    for (auto _ : state)
        editor.Files.WriteGuideFile();
    SetCounters(state, count);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(GuideOf(count).FileBytes));
}

// Storing the last record: its primary line is found by reading every line's number.
void BM_StoreRecordLast(benchmark::State& state) {
    const auto count = static_cast<std::int32_t>(state.range(0));
    RecordList list = GuideOf(count).Records;
    GuideRecord record = list.ReadRecord(count);
    record.Dialogue += " Edited.";
    record.Responses[0] = {"Back to the start.", "1"};
    for (auto _ : state) {
        list.StoreRecord(count, record);
        benchmark::ClobberMemory();
    }
    SetCounters(state, count);
}

// Storing a record that has no lines yet, as after "Next" on the last record: every line's
// number is read on the way to the end, where its line goes.
void BM_StoreRecordNew(benchmark::State& state) {
    const auto count = static_cast<std::int32_t>(state.range(0));
    RecordList list = GuideOf(count).Records;
    GuideRecord record;
    record.Dialogue = PlaceholderDialogue;
    for (auto _ : state) {
        list.StoreRecord(count + 1, record);
        benchmark::ClobberMemory();
        list.Lines.pop_back();
    }
    SetCounters(state, count);
}

void BM_ReadRecordLast(benchmark::State& state) {
    const auto count = static_cast<std::int32_t>(state.range(0));
    const RecordList& list = GuideOf(count).Records;
    for (auto _ : state) {
        GuideRecord record = list.ReadRecord(count);
        benchmark::DoNotOptimize(record);
    }
    SetCounters(state, count);
}

// The "Jumped from" list of the last record: every response line's target is read.
void BM_FillJumpedFromLast(benchmark::State& state) {
    const auto count = static_cast<std::int32_t>(state.range(0));
    Editor editor(count);
    editor.Document.CurrentRecord = count;
    for (auto _ : state) {
        editor.Records.FillJumpedFromList();
        benchmark::DoNotOptimize(editor.View.ComboBox1.Items.data());
    }
    state.counters["sources"] = static_cast<double>(editor.View.ComboBox1.Items.size());
    SetCounters(state, count);
}

// From record 1 to the last, as "Go there!" does: commit, then count-1 single Next steps of
// which only the last loads a record.
void BM_WalkToLast(benchmark::State& state) {
    const auto count = static_cast<std::int32_t>(state.range(0));
    Editor editor(count);
    for (auto _ : state) {
        state.PauseTiming();
        editor.Nav.WalkToRecord(1);
        state.ResumeTiming();
        editor.Records.CommitRecord();
        editor.Nav.LastViewedRecord = editor.Document.CurrentRecord;
        editor.Nav.WalkToRecord(count);
        benchmark::DoNotOptimize(editor.Document.CurrentRecord);
    }
    if (editor.Document.CurrentRecord != count || editor.Document.RecordCount != count)
        state.SkipWithError("the walk did not end on the last record");
    SetCounters(state, count);
}

// The whole link check (dravenloom-cli check) on the lines of the file.
void BM_CheckGuide(benchmark::State& state) {
    const auto count = static_cast<std::int32_t>(state.range(0));
    const std::vector<std::string> lines = ReadGuideLines(GuideOf(count).Path);
    for (auto _ : state) {
        GuideCheckResult result = CheckGuideLines(lines);
        if (!result.Findings.empty())
            state.SkipWithError(FindingText(result.Findings.front()).c_str());
        benchmark::DoNotOptimize(result);
    }
    SetCounters(state, count);
}

DRAVENLOOM_SIZES(BM_Open);
DRAVENLOOM_SIZES(BM_Save);
DRAVENLOOM_SIZES(BM_StoreRecordLast);
DRAVENLOOM_SIZES(BM_StoreRecordNew);
DRAVENLOOM_SIZES(BM_ReadRecordLast);
DRAVENLOOM_SIZES(BM_FillJumpedFromLast);
DRAVENLOOM_SIZES(BM_WalkToLast);
DRAVENLOOM_SIZES(BM_CheckGuide);

} // namespace
} // namespace dravenloom::bench

// Besides Google Benchmark's own options, "--write-guides=DIR" writes the generated guides of
// 1,000, 10,000 and 100,000 records to DIR (guide1000.dvx, ...) and ends, so that the
// command-line program can be timed on the same guides.
int main(int argc, char** argv) {
    const std::string_view option = "--write-guides=";
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument.substr(0, option.size()) != option)
            continue;
        const std::filesystem::path directory(argument.substr(option.size()));
        std::filesystem::create_directories(directory);
        for (const std::int32_t count : {1000, 10000, 100000}) {
            const auto target = directory / ("guide" + std::to_string(count) + ".dvx");
            std::filesystem::copy_file(dravenloom::bench::GuideOf(count).Path, target,
                                       std::filesystem::copy_options::overwrite_existing);
            std::printf("%s\n", target.string().c_str());
        }
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
