// The spelling check of a whole guide (as `dravenloom-cli spell` runs it) on the generated
// guides with typos sown in: Hunspell's en_US dictionary loaded, every dialogue and response
// split and checked, suggestions for every misspelled word or none.
#include "GuideGenerator.h"

#include "document/RecordCodec.h"
#include "spelling/Dictionaries.h"
#include "spelling/GuideSpelling.h"
#include "spelling/HunspellChecker.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <map>
#include <thread>

namespace dravenloom::bench {
namespace {

constexpr std::array<const char*, 12> Typos = {"swtich",  "lmap",    "teh",    "bulbb",
                                               "recieve", "cheeck",  "socekt", "firmley",
                                               "agian",   "brekaer", "wrie",   "pluggg"};

// The generated guide with a typo at the end of every 25th line's text, from a dozen common
// ones, and on every 400th line a word of its own that no dictionary knows ("zorbaxc", ...),
// so that suggestions are looked for many different words.
const RecordList& TypedGuide(std::int32_t count) {
    static std::map<std::int32_t, RecordList> made;
    auto found = made.find(count);
    if (found != made.end())
        return found->second;
    RecordList list = GuideOf(count).Records;
    for (std::size_t i = 0; i < list.Lines.size(); ++i) {
        std::string& line = list.Lines[i];
        const std::size_t textEnd = line.find('\xB6');
        if (textEnd == std::string::npos)
            continue;
        std::string typo;
        if (i % 400 == 0) {
            typo = " zorb";
            for (std::size_t n = i / 400 + 1; n != 0; n /= 26)
                typo += static_cast<char>('a' + n % 26);
        } else if (i % 25 == 0) {
            typo = std::string(" ") + Typos[(i / 25) % Typos.size()];
        }
        line.insert(textEnd, typo);
    }
    return made.emplace(count, std::move(list)).first->second;
}

void SpellCheck(benchmark::State& state, bool withSuggestions) {
    const auto count = static_cast<std::int32_t>(state.range(0));
    const RecordList& records = TypedGuide(count);
    const auto dictionary = FindDictionary(InstalledDictionaries(DictionaryFolders("")), "en_US");
    if (!dictionary) {
        state.SkipWithError("the en_US dictionary is not installed");
        return;
    }
    std::size_t found = 0;
    for (auto _ : state) {
        // A fresh dictionary each time: nothing is known yet, as in a new run of the command.
        SpellingSession session(std::make_unique<HunspellChecker>(*dictionary), PersonalWordList());
        // As `dravenloom-cli spell` does: the check, then the suggestions side by side.
        std::vector<Misspelling> misspelled = SpellCheckRecords(records, session, false);
        if (withSuggestions)
            SuggestSideBySide(
                misspelled, [&] { return std::make_unique<HunspellChecker>(*dictionary); }, {},
                std::max(1U, std::thread::hardware_concurrency()));
        found = misspelled.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["misspelled"] = static_cast<double>(found);
    state.counters["lines"] = static_cast<double>(records.Lines.size());
    state.SetComplexityN(count);
}

void BM_SpellCheckGuide(benchmark::State& state) {
    SpellCheck(state, false);
}
void BM_SpellCheckGuideWithSuggestions(benchmark::State& state) {
    SpellCheck(state, true);
}

BENCHMARK(BM_SpellCheckGuide)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_SpellCheckGuideWithSuggestions)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace
} // namespace dravenloom::bench
