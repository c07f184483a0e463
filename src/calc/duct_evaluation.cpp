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

float equivalentDiameter(const DuctSection& section) {
    const auto [shape, first, second] = section;
    switch (shape) {
    case DuctShape::Circular:
        return first / 1000.0f;
    case DuctShape::Rectangular:
        return metres(hydraulics::rectangleEquivalentDiameter(first, second));
    case DuctShape::Elliptic:
        return metres(hydraulics::ellipseEquivalentDiameter(first, second));
    }
    return 0;
}

} // namespace

float sectionArea(const DuctSection& section) {
    const auto [shape, first, second] = section;
    switch (shape) {
    case DuctShape::Circular:
        return stored(hydraulics::circleArea(first));
    case DuctShape::Rectangular:
        return stored(hydraulics::rectangleArea(first, second));
    case DuctShape::Elliptic:
        return stored(hydraulics::ellipseArea(first, second));
    }
    return 0;
}

float velocityThrough(float area, float flow) {
    // Two 64-bit divisions, then one rounding to 32 bits.
    return static_cast<float>(flow / 3600.0 / area);
}

DuctFigures evaluateDuct(const Duct& duct, float velocityWithoutArea) {
    DuctFigures f;
    f.area = sectionArea(duct.section);
    f.equivalentDiameter = equivalentDiameter(duct.section);
    f.velocity = f.area > 0.0f ? velocityThrough(f.area, duct.flow) : velocityWithoutArea;
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
