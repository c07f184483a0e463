#include "calc/duct_run.h"

#include "calc/number_text.h"
#include "calc/recalculation.h"

#include <cmath>

namespace calc {

namespace {

std::string lossText(double pascals) {
    const auto stored = static_cast<float>(pascals);
    if (!std::isfinite(stored)) {
        return formatResult(stored);
    }
    return formatResult(stored).substr(stored < 0.0f ? 0 : 1) + " Pa";
}

} // namespace

DuctRunLoss ductRunLoss(float rSpec, float pDyn, double length, double zeta) {
    const double friction = static_cast<double>(rSpec) * length;
    const double local = zeta * static_cast<double>(pDyn);
    return {friction, local, friction + local};
}

DuctRunTexts ductRunTexts(const CalculatorState& state, double length, double zeta) {
    if (!(state.area > 0.0f)) {
        const std::string prompt(sizePrompt);
        return {prompt, prompt, prompt};
    }
    const DuctRunLoss loss = ductRunLoss(state.rSpec, state.pDyn, length, zeta);
    return {lossText(loss.friction), lossText(loss.local), lossText(loss.total)};
}

} // namespace calc
