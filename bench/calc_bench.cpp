// The calculation core on the values the window shows at start-up.

#include "calc/number_text.h"
#include "calc/recalculation.h"

#include <benchmark/benchmark.h>

namespace {

calc::CalculInputs StartUpInputs() {
    calc::CalculInputs inputs;
    inputs.ComboR = "26";
    inputs.ComboValR1 = calc::ListIndex(calc::R1Unit::KOhms);
    inputs.ComboC = "22";
    inputs.ComboValC1 = calc::ListIndex(calc::C1Unit::NanoFarad);
    inputs.ComboC2 = "27";
    inputs.ComboValC2 = calc::ListIndex(calc::C2Unit::MicroFarad);
    inputs.ComboV = "05";
    return inputs;
}

// One recalculation as a click on "Calcul" runs it, on a window that has already shown results.
void BM_CalculStartUp(benchmark::State& state) {
    const calc::CalculInputs inputs = StartUpInputs();
    calc::StoredValues stored;
    calc::Captions captions;
    calc::Calcul(inputs, stored, captions);
    for (auto _ : state) {
        calc::CalculReport report = calc::Calcul(inputs, stored, captions);
        benchmark::DoNotOptimize(report);
        benchmark::DoNotOptimize(captions.LblPlageHaut.data());
    }
}
BENCHMARK(BM_CalculStartUp);

// A recalculation in which the centre frequency and the edges fail, as while the user is typing.
void BM_CalculFailingSteps(benchmark::State& state) {
    calc::CalculInputs inputs = StartUpInputs();
    calc::StoredValues stored;
    calc::Captions captions;
    inputs.ComboR = "2,";
    calc::Calcul(inputs, stored, captions);
    inputs.ComboR = "abc";
    for (auto _ : state) {
        calc::CalculReport report = calc::Calcul(inputs, stored, captions);
        benchmark::DoNotOptimize(report);
    }
}
BENCHMARK(BM_CalculFailingSteps);

void BM_TextToNumber(benchmark::State& state) {
    for (auto _ : state) {
        calc::Checked<double> value = calc::TextToNumber("1748,252");
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_TextToNumber);

void BM_NumberToText(benchmark::State& state) {
    double value = 1748.252;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        std::string text = calc::NumberToText(value);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_NumberToText);

// Seventeen characters: longer than the string's inline storage, so this one allocates.
void BM_NumberToTextOneThird(benchmark::State& state) {
    double value = 1.0 / 3;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        std::string text = calc::NumberToText(value);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_NumberToTextOneThird);

} // namespace

BENCHMARK_MAIN();
