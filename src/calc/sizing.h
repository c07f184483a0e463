#pragma once

#include "calc/calculator_state.h"
#include "calc/recalculation.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Duct sizing: every standard size of a shape evaluated as the calculator would show it
// once that size is picked from its lists, for the calculator's flow, roughness, formula
// and air.
namespace calc {

// Design limits of a size; a limit of 0 is switched off.
struct SizingLimits {
    double maxVelocity = 8;   // m/s
    double maxFriction = 1.5; // Pa/m
    double maxAspect = 4;     // long side / short side, or major / minor axis
};

// A standard size: the list entries that pick it (the shape's slots set, the others empty)
// and the section they give, long side first, with its stored area and its aspect.
struct StandardSize {
    std::array<std::string_view, SizeSlotCount> listTexts{};
    DuctSection section;
    float area = 0; // m2, as evaluateDuct stores it
    double aspect = 1;
};

// Every standard size of a shape, by cross-section area (the product of the sizes, so that
// equal areas tie exactly), then squarer first.
const std::vector<StandardSize>& standardSizes(DuctShape shape);

// Long side / short side, or major / minor axis; 1 for a circle.
double aspectOf(const DuctSection& section);
// Whether a size keeps to an aspect limit (0 is off); a circle keeps to every limit.
bool keepsAspect(const StandardSize& size, double maxAspect);

struct SizingRow {
    // The list entries that pick this size: the shape's slots are set, the others empty.
    std::array<std::string_view, SizeSlotCount> listTexts;
    CalculatorState state; // the calculator's numbers with this size
    ResultTexts texts;     // the calculator's result texts with this size
    double aspect = 1;     // long / short side, or major / minor axis; 1 for a circle
    bool meetsLimits = false;
};

// The standard sizes of the inputs' shape within the aspect limit (long side at least the
// short one), each evaluated with the inputs and the state as the calculator holds them,
// sorted by cross-section area, then squarer first. The state is not changed.
std::vector<SizingRow> sizingRows(const CalculatorState& state, const RecalcInputs& inputs,
                                  const SizingLimits& limits);

// The smallest row that meets every limit; none when the flow is 0.
std::optional<std::size_t> recommendedRow(const std::vector<SizingRow>& rows);

// A result text as a table cell under a header that carries the unit: without the leading
// blank of a number and without the unit (" 5.2 m/s" -> "5.2", "溢出" stays).
std::string cellText(std::string_view text, std::string_view unit);

} // namespace calc
