#include "calc/recalculation.h"

#include "calc/number_text.h"
#include "hydraulics/friction.h"

#include <cmath>

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

float readSize(const std::string& text) {
    return static_cast<float>(parseNumber(text));
}

// Reads the dimensions of the chosen shape into the state. Sizes picked from the lists
// are taken as absolute values; typed sizes as they stand (their boxes refuse negatives).
void readSizes(CalculatorState& s, const RecalcInputs& in) {
    const auto& texts = in.nonStandardSize ? in.boxTexts : in.listTexts;
    const auto size = [&](SizeSlot slot) {
        const float value = readSize(texts[slot]);
        return in.nonStandardSize ? value : std::fabs(value);
    };
    switch (in.shape) {
    case DuctShape::Circular:
        s.diam = size(Diameter);
        s.area = stored(hydraulics::s1(s.diam));
        break;
    case DuctShape::Rectangular:
        s.rectLong = size(LongSide);
        s.rectShort = size(ShortSide);
        s.area = stored(hydraulics::s2(s.rectLong, s.rectShort));
        break;
    case DuctShape::Elliptic:
        s.ellMajor = size(MajorAxis);
        s.ellMinor = size(MinorAxis);
        s.area = stored(hydraulics::s3(s.ellMajor, s.ellMinor));
        break;
    }
}

// The size text is composed before the equivalent diameter is computed.
std::string sizeTextAndDiameter(CalculatorState& s, DuctShape shape) {
    switch (shape) {
    case DuctShape::Circular: {
        std::string text = "φ" + formatResult(s.diam);
        s.dEq = s.diam / 1000.0f;
        return text;
    }
    case DuctShape::Rectangular: {
        std::string text = formatResult(s.rectLong) + " *" + formatResult(s.rectShort);
        s.dEq = metres(hydraulics::dv_r(s.rectLong, s.rectShort));
        return text;
    }
    case DuctShape::Elliptic: {
        std::string text = "长径" + formatResult(s.ellMajor) + " 短径" + formatResult(s.ellMinor);
        s.dEq = metres(hydraulics::dv_e(s.ellMajor, s.ellMinor));
        return text;
    }
    }
    return {};
}

// An overflowed value reads "溢出" alone: a unit after it would pass it off as a quantity.
std::string withUnit(float value, const char* unit) {
    std::string text = formatResult(value);
    return std::isfinite(value) ? text + unit : text;
}

} // namespace

ResultTexts v(CalculatorState& s, const RecalcInputs& in) {
    // The factor is 32-bit, the number read 64-bit; their product is rounded once.
    s.flow = static_cast<float>(s.flowFactor * parseNumber(in.flowText));
    readSizes(s, in);
    ResultTexts texts;
    texts[index(ResultRow::Size)] = sizeTextAndDiameter(s, in.shape);

    texts[index(ResultRow::Velocity)] = "请输入风管尺寸";
    if (s.area > 0.0f) {
        // Two 64-bit divisions, then one rounding to 32 bits.
        s.vel = static_cast<float>(s.flow / 3600.0 / s.area);
        texts[index(ResultRow::Velocity)] = withUnit(s.vel, " m/s");
    }

    s.reyn = stored(hydraulics::re(s.vel, s.dEq, s.visc));
    s.lambda = stored(in.formula == FrictionFormula::One ? hydraulics::l1(s.rough, s.dEq, s.reyn)
                                                         : hydraulics::l2(s.rough, s.dEq, s.reyn));
    s.rSpec = stored(hydraulics::rm(s.lambda, s.dEq, s.vel, s.dens));
    s.pDyn = stored(hydraulics::pd(s.dens, s.vel));

    texts[index(ResultRow::Roughness)] = formatResult(s.rough);
    texts[index(ResultRow::Flow)] = withUnit(s.flow, " m3/h");
    texts[index(ResultRow::EquivalentDiameter)] = withUnit(s.dEq, " m");
    texts[index(ResultRow::Density)] = withUnit(s.dens, " kg/m3");
    texts[index(ResultRow::Viscosity)] = withUnit(s.visc, " m2/s");
    texts[index(ResultRow::ReynoldsNumber)] = formatResult(s.reyn);
    texts[index(ResultRow::FrictionLoss)] = withUnit(s.rSpec, " Pa/m");
    texts[index(ResultRow::DynamicPressure)] = withUnit(s.pDyn, " Pa");
    return texts;
}

} // namespace calc
