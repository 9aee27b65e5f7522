// Benchmarks of the record screen through the real Qt canvas and picture loader: a whole draw
// of a typical record (six responses and a picture), the layout alone, and how both grow with
// the length of the dialogue.
#include "BenchSupport.h"

#include "qtshared/canvas/ImageCanvas.h"
#include "qtshared/canvas/PictureFiles.h"
#include "document/RecordList.h"
#include "preview/ScreenLayout.h"
#include "preview/ScreenRenderer.h"
#include "publish/AppletOptions.h"

#include <QColor>
#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace dravenloom::bench {
namespace {

// Fonts need a GUI application; the benchmarks need no display. Made on first use and kept
// until the program ends.
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

// Words of 2 to 9 letters separated by blanks, `length` characters, the same on every run.
std::string Prose(std::size_t length) {
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> wordLength(2, 9);
    std::uniform_int_distribution<int> letter('a', 'z');
    std::string text;
    while (text.size() < length) {
        for (int i = wordLength(random); i > 0 && text.size() < length; --i)
            text += static_cast<char>(letter(random));
        if (text.size() < length)
            text += ' ';
    }
    return text;
}

// A 200 x 150 photograph-like JPEG (a colour gradient), written once.
const std::string& PicturePath() {
    static const std::string path = [] {
        QImage image(200, 150, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(x, y, (x + y) / 2));
        const std::string file = (BenchDirectory() / "picture.jpg").string();
        if (!image.save(QString::fromStdString(file), "JPEG"))
            image.save(QString::fromStdString(file), "PNG"); // named .jpg: the draw reports it
        return file;
    }();
    return path;
}

// Record 1: a dialogue of `dialogueLength` characters, a picture when asked, six responses
// of about 40 characters, the fifth a link; record 2 after it.
RecordList ScreenGuide(std::size_t dialogueLength, bool picture) {
    std::vector<std::string> lines{BuildPrimaryLine(
        1, Prose(dialogueLength), picture ? PicturePath() : "", "320", "10", false)};
    for (int k = 0; k < 6; ++k) {
        const std::string text = k == 4 ? "See the maker's page [url:http://example.com/lamp] too"
                                        : Prose(30 + 4 * static_cast<std::size_t>(k));
        lines.push_back(BuildResponseLine(1, text, "2"));
    }
    lines.push_back(BuildPrimaryLine(2, "The end.", "", "", "", false));
    return RecordList(lines);
}

struct Screen {
    BenchPlatform Host{MsgAnswer::Ok};
    AppletOptions Options{Host};
    ImageCanvas Canvas;
    PictureFiles Pictures;
    ScreenRenderer Renderer{Canvas, Pictures, Host};
    RecordList Guide;

    Screen(std::size_t dialogueLength, bool picture) {
        NeedGuiApplication();
        Guide = ScreenGuide(dialogueLength, picture);
        Renderer.PrepareDemoCanvas(Options.Settings());
    }
};

// The whole draw of DrawRecordScreen at the default settings: layout, fill, the picture loaded
// from its file and drawn, buttons and texts.
void BM_DrawRecordScreen(benchmark::State& state) {
    Screen screen(static_cast<std::size_t>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) {
        screen.Renderer.DrawRecordScreen(screen.Guide, 1, screen.Options.Settings(), "Untitled");
        benchmark::DoNotOptimize(screen.Canvas.Image().constBits());
    }
    state.counters["chars"] = static_cast<double>(state.range(0));
    state.SetComplexityN(state.range(0));
}

// The layout alone (LayOutRecordScreen): every line measured and placed, nothing drawn.
void BM_LayOutRecordScreen(benchmark::State& state) {
    Screen screen(static_cast<std::size_t>(state.range(0)), state.range(1) != 0);
    const AppletSettings settings = screen.Options.Settings();
    std::size_t lines = 0;
    for (auto _ : state) {
        const ScreenLayout layout = LayOutRecordScreen(screen.Guide, 1, settings, screen.Canvas);
        benchmark::DoNotOptimize(layout.Lines.data());
        lines = layout.Lines.size();
    }
    state.counters["chars"] = static_cast<double>(state.range(0));
    state.counters["lines"] = static_cast<double>(lines); // dialogue and responses together
    state.SetComplexityN(state.range(0));
}

// A typical record (a dialogue of 200 characters, six responses, a picture), a 5,000-character
// dialogue, and the growth with the dialogue's length.
BENCHMARK(BM_DrawRecordScreen)->Args({200, 1})->Args({5000, 0})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayOutRecordScreen)->Args({200, 1})->Args({5000, 0})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawRecordScreen)
    ->Name("BM_DrawRecordScreen/Growth")
    ->Args({500, 0})
    ->Args({5000, 0})
    ->Args({50000, 0})
    ->Complexity()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayOutRecordScreen)
    ->Name("BM_LayOutRecordScreen/Growth")
    ->Args({500, 0})
    ->Args({5000, 0})
    ->Args({50000, 0})
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace dravenloom::bench
