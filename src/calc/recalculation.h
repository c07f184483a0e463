#pragma once

#include "calc/calculator_state.h"

#include <array>
#include <string>
#include <string_view>

namespace calc {

enum class DuctShape { Circular, Rectangular, Elliptic };
enum class FrictionFormula { One, Two };

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

// One result row: the name of the value label and the UTF-8 text it shows.
struct ResultCaption {
    std::string_view label;
    std::string text;
};

// The ten result rows from top to bottom: roughness, flow, duct size, equivalent
// diameter, density, viscosity, velocity, Reynolds number, friction loss, dynamic pressure.
using ResultCaptions = std::array<ResultCaption, 10>;

// Recomputes every result from the inputs and the state's flow factor, roughness and air
// properties, stores the results in the state, and returns the captions. When the duct
// has no positive area the previous velocity is kept and the later results use it.
ResultCaptions v(CalculatorState& state, const RecalcInputs& inputs);

} // namespace calc
