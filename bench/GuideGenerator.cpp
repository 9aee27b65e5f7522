// Generating large guides for the benchmarks.
#include "GuideGenerator.h"

#include "document/GuideFile.h"
#include "document/NumberText.h"
#include "document/RecordCodec.h"

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace dravenloom::bench {
namespace {

// A small, fixed random source, so that every run and every library makes the same guides.
class XorShift {
public:
    explicit XorShift(std::uint64_t seed) : State(seed ? seed : 1) {}
    std::uint64_t Next() {
        State ^= State << 13;
        State ^= State >> 7;
        State ^= State << 17;
        return State;
    }
    // A number from `low` to `high`, both included.
    std::int64_t Between(std::int64_t low, std::int64_t high) {
        return low + static_cast<std::int64_t>(Next() % static_cast<std::uint64_t>(high - low + 1));
    }

private:
    std::uint64_t State;
};

constexpr std::array<const char*, 24> Words = {
    "the",   "lamp",    "switch", "socket", "check", "whether", "light",   "cord",
    "bulb",  "holder",  "press",  "firmly", "again", "before",  "after",   "plug",
    "power", "breaker", "fuse",   "safely", "look",  "closely", "caf\xE9", "wire"};

// Text of about `length` characters made of words.
std::string Sentence(XorShift& random, std::int64_t length) {
    std::string text;
    while (static_cast<std::int64_t>(text.size()) < length) {
        if (!text.empty())
            text += ' ';
        text += Words[random.Next() % Words.size()];
    }
    text += '.';
    text[0] = static_cast<char>(text[0] >= 'a' && text[0] <= 'z' ? text[0] - 32 : text[0]);
    return text;
}

RecordList Generate(std::int32_t count) {
    XorShift random(0x5EED0000u + static_cast<std::uint64_t>(count));
    RecordList list;
    list.Lines.reserve(static_cast<std::size_t>(count) * 4);
    for (std::int32_t n = 1; n <= count; ++n) {
        GuideRecord record;
        const std::int64_t lines = random.Between(1, 3);
        for (std::int64_t k = 0; k < lines; ++k) {
            if (k > 0)
                record.Dialogue += "\r\n";
            record.Dialogue += Sentence(random, random.Between(40, 120));
        }
        if (n % 4 == 0) {
            record.GraphicPath = "C:\\Guide\\Pictures\\picture" + IntToStr(n) + ".gif";
            record.GraphicX = IntToStr(random.Between(0, 400));
            record.GraphicY = IntToStr(random.Between(0, 200));
        }
        record.Center = n % 10 == 0;
        const std::int64_t responses = n == count ? 0 : random.Between(2, 4);
        for (std::int64_t k = 0; k < responses; ++k) {
            std::int64_t target = n + 1;
            if (k == 1 && n % 500 == 0) {
                target = count;
            } else if (k > 0) {
                const std::int64_t step = random.Between(1, 20);
                target = random.Next() % 2 ? n + step : n - step;
                target = std::clamp<std::int64_t>(target, 1, count);
                if (target == n)
                    target = n + 1;
            }
            record.Responses[static_cast<std::size_t>(k)] = {
                Sentence(random, random.Between(15, 60)), IntToStr(target)};
        }
        // What StoreRecord appends for a record that has no lines yet, without its search
        // of the whole list for each record.
        list.Lines.push_back(BuildPrimaryLine(n, record.Dialogue, record.GraphicPath,
                                              record.GraphicX, record.GraphicY, record.Center));
        for (const auto& slot : record.Responses)
            if (!slot.Text.empty())
                list.Lines.push_back(BuildResponseLine(n, slot.Text, slot.Target));
    }
    return list;
}

struct Directory {
    Directory() {
        Path = std::filesystem::temp_directory_path() /
               ("dravenloom_bench_" + std::to_string(static_cast<long>(::getpid())));
        std::filesystem::create_directories(Path);
    }
    ~Directory() {
        std::error_code ignored;
        std::filesystem::remove_all(Path, ignored);
    }
    std::filesystem::path Path;
};

} // namespace

const std::filesystem::path& BenchDirectory() {
    static const Directory directory;
    return directory.Path;
}

const GeneratedGuide& GuideOf(std::int32_t recordCount) {
    static std::map<std::int32_t, std::unique_ptr<GeneratedGuide>> guides;
    auto& guide = guides[recordCount];
    if (guide)
        return *guide;
    guide = std::make_unique<GeneratedGuide>();
    guide->Records = Generate(recordCount);
    guide->RecordCount = recordCount;
    guide->Path = (BenchDirectory() / ("guide" + IntToStr(recordCount) + ".dvx")).string();
    std::vector<std::string> fileLines;
    fileLines.reserve(guide->Records.Count());
    for (const auto& line : guide->Records.Lines)
        fileLines.push_back(EncodeLineForFile(line));
    WriteGuideLines(guide->Path, fileLines);
    guide->FileBytes = std::filesystem::file_size(guide->Path);
    return *guide;
}

} // namespace dravenloom::bench
