#pragma once

#include "calc/calculator_state.h"

#include <string>

namespace calc {

// The Colebrook-White reference beside the state's friction loss, as one UTF-8 line:
// the loss with the reference factor for the state's roughness, equivalent diameter,
// Reynolds number, velocity and density, to 4 significant digits, and the deviation of
// the state's friction loss from it to 0.1 %, e.g.
// "Colebrook-White: 2.307 Pa/m（当前公式 −19.4%）". Without a reference value it says
// that the reference holds for turbulent flow only; an overflowed one reads "溢出".
std::string colebrookLine(const CalculatorState& state);

// That reference loss alone, as a table cell: "2.307", "溢出", or empty without a value.
std::string colebrookLossText(const CalculatorState& state);

} // namespace calc
