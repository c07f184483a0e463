#pragma once

#include "calc/calculator_state.h"
#include "calc/duct_evaluation.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace calc {

// The five duct dimensions, in the order of their size slots.
enum SizeSlot { Diameter, LongSide, ShortSide, MajorAxis, MinorAxis, SizeSlotCount };

// What the recalculation reads from the window's controls, as the controls show it.
struct RecalcInputs {
    std::string flowText;         // the flow box
    bool nonStandardSize = false; // sizes typed into boxes, not picked from lists
    DuctShape shape = DuctShape::Circular;
    std::array<std::string, SizeSlotCount> listTexts; // the selected standard size of each slot
    std::array<std::string, SizeSlotCount> boxTexts;  // the typed size of each slot
    FrictionFormula formula = FrictionFormula::One;
};

// The ten result rows, top to bottom as the results are shown.
enum class ResultRow {
    Roughness,          // K, mm
    Flow,               // m3/h
    Size,               // the duct's dimensions, mm
    EquivalentDiameter, // m
    Density,            // kg/m3
    Viscosity,          // m2/s
    Velocity,           // m/s, or a prompt for a size when the duct has no area
    ReynoldsNumber,     // dimensionless
    FrictionLoss,       // Pa/m
    DynamicPressure,    // Pa
};

constexpr std::size_t index(ResultRow row) {
    return static_cast<std::size_t>(row);
}

inline constexpr std::size_t resultRowCount = index(ResultRow::DynamicPressure) + 1;

// The UTF-8 text of each result row, with its unit; indexed by index(ResultRow).
using ResultTexts = std::array<std::string, resultRowCount>;

// The calculator's prompt in place of a velocity when the duct has no area.
inline constexpr std::string_view sizePrompt = "请输入风管尺寸";

// The captions of the shape options and of the formulas.
std::string_view shapeName(DuctShape shape);
std::string_view formulaName(FrictionFormula formula);

// Evaluates a duct as the window's controls describe it: reads the flow and the section from
// the inputs, evaluates them with the state's flow factor, roughness and air properties,
// stores the results in the state, and returns the row texts. When the duct has no positive
// area the previous velocity is kept and the later results use it.
ResultTexts recalculate(CalculatorState& state, const RecalcInputs& inputs);

// The same from numbers: stores the section's sizes and its figures at the state's flow,
// roughness and air.
void recalculateWith(CalculatorState& state, const DuctSection& section, FrictionFormula formula);

// The row texts of the state's results, with the sizes of the shape.
ResultTexts resultTexts(const CalculatorState& state, DuctShape shape);

} // namespace calc
