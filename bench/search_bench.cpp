// The component search as the search window runs it, on the main window's start-up state.

#include "catalogue/component_search.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

catalogue::SearchRequest ThousandHertz(catalogue::R1Range range) {
    return {.frequency = "1000",
            .tolerance = "2",
            .halfWidth = "",
            .voltage = "05",
            .range = range,
            .currentR1 = "26",
            .currentR1Unit = 1};
}

// 1000 Hz at 2 %, R1 from 2 to 20 kΩ: the table of pairs and trimmers.
void BM_FindPairsAdvised(benchmark::State& state) {
    const catalogue::SearchRequest request = ThousandHertz(catalogue::R1Range::Advised);
    for (auto _ : state) {
        catalogue::SearchResult result = catalogue::FindPairs(request);
        benchmark::DoNotOptimize(result.rows.data());
    }
}
BENCHMARK(BM_FindPairsAdvised)->Unit(benchmark::kMicrosecond);

// The same over every value of the three resistor lists: all 30 000 pairs.
void BM_FindPairsAnyListValue(benchmark::State& state) {
    const catalogue::SearchRequest request = ThousandHertz(catalogue::R1Range::AnyListValue);
    for (auto _ : state) {
        catalogue::SearchResult result = catalogue::FindPairs(request);
        benchmark::DoNotOptimize(result.rows.data());
    }
}
BENCHMARK(BM_FindPairsAnyListValue)->Unit(benchmark::kMicrosecond);

// A wanted frequency pasted with a thousand digits and a tolerance with fifty, every digit of
// which the bounds are decided on, over every value of the lists.
void BM_FindPairsThousandDigits(benchmark::State& state) {
    catalogue::SearchRequest request = ThousandHertz(catalogue::R1Range::AnyListValue);
    request.frequency = "1000," + std::string(998, '3') + "1";
    request.tolerance = "1," + std::string(48, '9') + "7";
    for (auto _ : state) {
        catalogue::SearchResult result = catalogue::FindPairs(request);
        benchmark::DoNotOptimize(result.rows.data());
    }
}
BENCHMARK(BM_FindPairsThousandDigits)->Unit(benchmark::kMicrosecond);

// 1000 Hz and ±50 Hz at 5 V: the table, then the three C2 for its first row.
void BM_FindPairsAndC2(benchmark::State& state) {
    catalogue::SearchRequest request = ThousandHertz(catalogue::R1Range::Advised);
    request.halfWidth = "50";
    for (auto _ : state) {
        const catalogue::SearchResult result = catalogue::FindPairs(request);
        if (result.rows.empty()) {
            state.SkipWithError("no pair found");
            break;
        }
        auto choices = catalogue::NearestC2(result.rows.front(), request);
        benchmark::DoNotOptimize(choices.data());
    }
}
BENCHMARK(BM_FindPairsAndC2)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
