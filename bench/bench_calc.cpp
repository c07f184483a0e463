// Costs of the Qt-free core: one recalculation per shape and size source, the elliptic
// perimeter alone, and the number texts read and written on every keystroke.
#include "calc/defaults.h"
#include "calc/number_text.h"
#include "calc/recalculation.h"
#include "hydraulics/geometry.h"

#include <benchmark/benchmark.h>
#include <string>
#include <string_view>

namespace {

using calc::DuctShape;

enum class SizeSource { List, Typed };

// The state after start-up: the default sizes, roughness and air, flows in m3/h.
calc::CalculatorState startUpState() {
    calc::CalculatorState state;
    calc::storeDefaults(state);
    state.flowFactor = 1.0f;
    return state;
}

// A flow typed into the box with standard sizes in the lists and odd sizes in the boxes.
calc::RecalcInputs inputsFor(DuctShape shape, SizeSource source) {
    calc::RecalcInputs inputs;
    inputs.flowText = "3600";
    inputs.shape = shape;
    inputs.nonStandardSize = source == SizeSource::Typed;
    inputs.listTexts = {"100", "1000", "800", "1000", "800"};
    inputs.boxTexts = {"123.4", "1234.5", "567.8", "1234.5", "567.8"};
    return inputs;
}

void recalculation(benchmark::State& bench, DuctShape shape, SizeSource source) {
    calc::CalculatorState state = startUpState();
    const calc::RecalcInputs inputs = inputsFor(shape, source);
    for (auto _ : bench) {
        benchmark::DoNotOptimize(calc::recalculate(state, inputs));
    }
}
BENCHMARK_CAPTURE(recalculation, circular_list, DuctShape::Circular, SizeSource::List);
BENCHMARK_CAPTURE(recalculation, circular_typed, DuctShape::Circular, SizeSource::Typed);
BENCHMARK_CAPTURE(recalculation, rectangular_list, DuctShape::Rectangular, SizeSource::List);
BENCHMARK_CAPTURE(recalculation, rectangular_typed, DuctShape::Rectangular, SizeSource::Typed);
BENCHMARK_CAPTURE(recalculation, elliptic_list, DuctShape::Elliptic, SizeSource::List);
BENCHMARK_CAPTURE(recalculation, elliptic_typed, DuctShape::Elliptic, SizeSource::Typed);

// The perimeter summed from 1,800 chords per quadrant, for the 1000 x 800 start-up duct.
void ellipsePerimeter(benchmark::State& bench) {
    float a = 1000.0f;
    float b = 800.0f;
    for (auto _ : bench) {
        // Hides the axes from the optimiser, so each pass computes anew.
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
        benchmark::DoNotOptimize(hydraulics::ellipsePerimeter(a, b));
    }
}
BENCHMARK(ellipsePerimeter);

void parseNumber(benchmark::State& bench, std::string_view text) {
    for (auto _ : bench) {
        benchmark::DoNotOptimize(text);
        benchmark::DoNotOptimize(calc::parseNumber(text));
    }
}
BENCHMARK_CAPTURE(parseNumber, flow, std::string_view("3600"));
BENCHMARK_CAPTURE(parseNumber, size, std::string_view("1234.5"));
BENCHMARK_CAPTURE(parseNumber, viscosity, std::string_view("0.00001506"));
BENCHMARK_CAPTURE(parseNumber, exponent, std::string_view("1.506E-05"));

void formatResult(benchmark::State& bench, float value) {
    for (auto _ : bench) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(calc::formatResult(value));
    }
}
BENCHMARK_CAPTURE(formatResult, zero, 0.0f);
BENCHMARK_CAPTURE(formatResult, size, 1000.0f);
BENCHMARK_CAPTURE(formatResult, roughness, 0.16f);
BENCHMARK_CAPTURE(formatResult, reynolds, 66401.06f);
BENCHMARK_CAPTURE(formatResult, viscosity, 0.00001506f);

} // namespace

BENCHMARK_MAIN();
