#pragma once

#include "calc/calculator_state.h"

#include <string>

// The pressure loss of a straight duct run with fittings, from the calculator's specific
// friction loss and dynamic pressure.
namespace calc {

struct DuctRunLoss {
    double friction = 0; // R L, Pa
    double local = 0;    // sum of zeta times Pd, Pa
    double total = 0;    // Pa
};

// The losses of a run of the given length (m) and sum of local loss coefficients, in 64
// bits from the stored 32-bit specific friction loss (Pa/m) and dynamic pressure (Pa).
DuctRunLoss ductRunLoss(float rSpec, float pDyn, double length, double zeta);

// The losses as texts like the calculator's captions, without their leading blank: at most
// 7 significant digits of the float and " Pa" ("12.34 Pa", ".5 Pa"); "溢出" past the float
// range. When the duct has no area every text is the calculator's prompt for a size: its
// friction loss and dynamic pressure still belong to an earlier velocity.
struct DuctRunTexts {
    std::string friction;
    std::string local;
    std::string total;
};
DuctRunTexts ductRunTexts(const CalculatorState& state, double length, double zeta);

} // namespace calc
