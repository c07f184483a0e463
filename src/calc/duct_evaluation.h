#pragma once

// The numeric core: one duct from numbers to the figures the calculator shows. Every
// figure is a 32-bit float rounded exactly as the calculator stores it, so a tool that
// evaluates a duct here shows the calculator's figures to the last digit.
namespace calc {

enum class DuctShape { Circular, Rectangular, Elliptic };
enum class FrictionFormula { One, Two };

// A cross-section. Sizes in mm as entered: the diameter (first only), the long and short
// side, or the whole major and minor axis. Their order is kept: the formulas' rounding
// depends on it in the last bit.
struct DuctSection {
    DuctShape shape = DuctShape::Circular;
    float first = 0;
    float second = 0;
};

struct Duct {
    DuctSection section;
    float flow = 0;      // m3/h
    float roughness = 0; // K, mm
    FrictionFormula formula = FrictionFormula::One;
    float density = 0;   // kg/m3
    float viscosity = 0; // kinematic, m2/s
};

struct DuctFigures {
    float area = 0;               // m2
    float equivalentDiameter = 0; // m
    float velocity = 0;           // m/s
    float reynoldsNumber = 0;
    float frictionFactor = 0;
    float frictionLoss = 0;    // specific, Pa/m
    float dynamicPressure = 0; // Pa
};

// The area of a section as evaluateDuct stores it, m2, and the velocity of a flow in m3/h
// through a positive area, m/s: cheap enough to try many sizes before evaluating one.
float sectionArea(const DuctSection& section);
float velocityThrough(float area, float flow);

// A section without a positive area has no velocity of its own: the later figures then use
// velocityWithoutArea (the calculator keeps the velocity it showed before).
DuctFigures evaluateDuct(const Duct& duct, float velocityWithoutArea = 0);

} // namespace calc
