// The duct system's full recalculation: a generated system of 5,000 segments recalculated
// from its cells.
#include "random_system.h"

#include <benchmark/benchmark.h>

namespace {

void fullRecalculation(benchmark::State& bench) {
    const auto segments = sample::randomSystem(5000);
    const ductsys::Settings settings;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(ductsys::calculate(segments, settings));
    }
}
BENCHMARK(fullRecalculation)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
