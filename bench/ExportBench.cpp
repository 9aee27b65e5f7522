// Benchmarks of the export of the sample guide (examples/tour.dvx with its picture): the folder
// and the one page, each written to disk as the File menu's commands write them.
#include "document/GuideFile.h"
#include "document/RecordList.h"
#include "publish/GuideExport.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace dravenloom::bench {
namespace {

namespace fs = std::filesystem;

struct SampleExport {
    fs::path Work = fs::temp_directory_path() / "dravenloom-export-bench";
    RecordList Records;
    ExportSource Source;

    SampleExport() {
        const fs::path guide = fs::path(DRAVENLOOM_SOURCE_DIR) / "examples" / "tour.dvx";
        Records = RecordList(ReadGuideLines(guide.string()));
        Source.GuideFile = guide.string();
        Source.Records = &Records;
        Source.AppletDirectory = DRAVENLOOM_APPLET_DIR;
        Source.Settings.FrameWidth = "300";
        Source.Settings.FrameHeight = "400";
        Source.Settings.TextStart = "5";
        Source.Settings.Face = "Times New Roman";
        Source.Settings.Size = "12";
        Source.Settings.Image = "gray.gif";
        Source.Settings.ImageDir = "pictures";
        fs::create_directories(Work);
    }
    ~SampleExport() {
        std::error_code ignored;
        fs::remove_all(Work, ignored);
    }
};

// Every file found and read, then index.html, the guide, the five classes, dravenloom.js, the
// button picture and the guide's picture written, each through a temporary file.
void BM_ExportSampleToFolder(benchmark::State& state) {
    SampleExport sample;
    const std::string folder = (sample.Work / "site").string();
    for (auto _ : state)
        ExportToFolder(sample.Source, folder);
}
BENCHMARK(BM_ExportSampleToFolder)->Unit(benchmark::kMillisecond);

// The player, the guide and the pictures embedded into one page, written through a temporary
// file.
void BM_ExportSampleAsOnePage(benchmark::State& state) {
    SampleExport sample;
    const std::string page = (sample.Work / "tour.html").string();
    for (auto _ : state)
        benchmark::DoNotOptimize(ExportAsOnePage(sample.Source, page));
}
BENCHMARK(BM_ExportSampleAsOnePage)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace dravenloom::bench
