// Benchmarks of the proof copy: the generated guide of 1,000 records with a different JPEG
// picture on every fourth record, written as PDF and as one HTML page as the File menu and
// `dravenloom-cli proof` write them (model, pictures read and scaled, file written).
#include "BenchSupport.h"

#include "document/NumberText.h"
#include "document/RecordList.h"
#include "publish/ProofCopy.h"
#include "qtshared/ProofFile.h"

#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <string>

namespace dravenloom::bench {
namespace {

namespace fs = std::filesystem;

void NeedGuiApplication() {
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "dravenloom_bench";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv); // never destroyed: it must outlive every benchmark
}

// The generated guide with its pictures beside it: "pictures/pictureN.jpg", 640 x 480 each
// and each its own file, so that every one is read and scaled down. Made once per count.
struct ProofGuide {
    RecordList Records;
    std::string File;
};

const ProofGuide& ProofGuideOf(std::int32_t count) {
    static std::map<std::int32_t, ProofGuide> made;
    if (const auto found = made.find(count); found != made.end())
        return found->second;
    const fs::path folder = BenchDirectory() / ("proof-" + IntToStr(count));
    fs::create_directories(folder / "pictures");
    ProofGuide guide;
    guide.File = (folder / "guide.dvx").string();
    guide.Records = GuideOf(count).Records;
    for (std::int32_t n = 1; n <= count; ++n) {
        GuideRecord record = guide.Records.ReadRecord(n);
        if (record.GraphicPath.empty())
            continue;
        record.GraphicPath = "pictures/picture" + IntToStr(n) + ".jpg";
        QImage image(640, 480, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb((x + n) % 256, (y * 2) % 256, (x + y + n * 7) % 256));
        image.save(QString::fromStdString((folder / record.GraphicPath).string()), "JPEG", 85);
        guide.Records.StoreRecord(n, record);
    }
    return made.emplace(count, std::move(guide)).first->second;
}

void WriteProof(benchmark::State& state, const char* ending) {
    NeedGuiApplication();
    const auto count = static_cast<std::int32_t>(state.range(0));
    const ProofGuide& guide = ProofGuideOf(count);
    const std::string output = (BenchDirectory() / ("proof-" + IntToStr(count) + ending)).string();
    for (auto _ : state)
        WriteProofCopy(BuildProofCopy(guide.Records, guide.File), output);
    SetCounters(state, count);
    state.counters["bytes"] = static_cast<double>(fs::file_size(output));
}

// Goal: under 10 s for 1,000 records.
void BM_ProofCopyPdf(benchmark::State& state) {
    WriteProof(state, ".pdf");
}
BENCHMARK(BM_ProofCopyPdf)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same guide with the generator's picture paths, none of which exists: every fourth record
// shows the note instead, so this is the text, its layout and the writing alone.
void BM_ProofCopyPdfWithoutPictures(benchmark::State& state) {
    NeedGuiApplication();
    const auto count = static_cast<std::int32_t>(state.range(0));
    const GeneratedGuide& guide = GuideOf(count);
    const std::string output =
        (BenchDirectory() / ("proof-text-" + IntToStr(count) + ".pdf")).string();
    for (auto _ : state)
        WriteProofCopy(BuildProofCopy(guide.Records, guide.Path), output);
    SetCounters(state, count);
    state.counters["bytes"] = static_cast<double>(fs::file_size(output));
}
BENCHMARK(BM_ProofCopyPdfWithoutPictures)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_ProofCopyHtml(benchmark::State& state) {
    WriteProof(state, ".html");
}
BENCHMARK(BM_ProofCopyHtml)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace dravenloom::bench
