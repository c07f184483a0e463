#include "calc/duct_evaluation.h"

#include "hydraulics/friction.h"

namespace calc {

namespace {

using hydraulics::Result;

// A formula's result as stored: the nearest float, no value becoming 0.
float stored(const Result& result) {
    return result ? static_cast<float>(*result) : 0.0f;
}

// An equivalent diameter in mm as metres: one 64-bit division, rounded once to 32 bits.
float metres(const Result& millimetres) {
    return millimetres ? static_cast<float>(*millimetres / 1000.0) : 0.0f;
}

void evaluateSection(const DuctSection& section, DuctFigures& figures) {
    const auto [shape, first, second] = section;
    switch (shape) {
    case DuctShape::Circular:
        figures.area = stored(hydraulics::circleArea(first));
        figures.equivalentDiameter = first / 1000.0f;
        break;
    case DuctShape::Rectangular:
        figures.area = stored(hydraulics::rectangleArea(first, second));
        figures.equivalentDiameter = metres(hydraulics::rectangleEquivalentDiameter(first, second));
        break;
    case DuctShape::Elliptic:
        figures.area = stored(hydraulics::ellipseArea(first, second));
        figures.equivalentDiameter = metres(hydraulics::ellipseEquivalentDiameter(first, second));
        break;
    }
}

} // namespace

DuctFigures evaluateDuct(const Duct& duct, float velocityWithoutArea) {
    DuctFigures f;
    evaluateSection(duct.section, f);
    // Two 64-bit divisions, then one rounding to 32 bits.
    f.velocity =
        f.area > 0.0f ? static_cast<float>(duct.flow / 3600.0 / f.area) : velocityWithoutArea;
    const float d = f.equivalentDiameter;
    f.reynoldsNumber = stored(hydraulics::reynoldsNumber(f.velocity, d, duct.viscosity));
    f.frictionFactor =
        stored(duct.formula == FrictionFormula::One
                   ? hydraulics::frictionFactorOne(duct.roughness, d, f.reynoldsNumber)
                   : hydraulics::frictionFactorTwo(duct.roughness, d, f.reynoldsNumber));
    f.frictionLoss =
        stored(hydraulics::specificFrictionLoss(f.frictionFactor, d, f.velocity, duct.density));
    f.dynamicPressure = stored(hydraulics::dynamicPressure(duct.density, f.velocity));
    return f;
}

} // namespace calc
