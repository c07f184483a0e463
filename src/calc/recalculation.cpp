#include "calc/recalculation.h"

#include "calc/duct_evaluation.h"
#include "calc/number_text.h"

#include <cmath>

namespace calc {

namespace {

// The section the controls describe. Sizes picked from the lists are taken as absolute
// values; typed sizes as they stand (their boxes refuse negatives).
DuctSection readSection(const RecalcInputs& in) {
    const auto& texts = in.nonStandardSize ? in.boxTexts : in.listTexts;
    const auto size = [&](SizeSlot slot) {
        const auto value = static_cast<float>(parseNumber(texts[slot]));
        return in.nonStandardSize ? value : std::fabs(value);
    };
    switch (in.shape) {
    case DuctShape::Circular:
        return {in.shape, size(Diameter), 0};
    case DuctShape::Rectangular:
        return {in.shape, size(LongSide), size(ShortSide)};
    case DuctShape::Elliptic:
        return {in.shape, size(MajorAxis), size(MinorAxis)};
    }
    return {};
}

void storeSizes(CalculatorState& s, const DuctSection& section) {
    switch (section.shape) {
    case DuctShape::Circular:
        s.diam = section.first;
        break;
    case DuctShape::Rectangular:
        s.rectLong = section.first;
        s.rectShort = section.second;
        break;
    case DuctShape::Elliptic:
        s.ellMajor = section.first;
        s.ellMinor = section.second;
        break;
    }
}

void storeFigures(CalculatorState& s, const DuctFigures& f) {
    s.area = f.area;
    s.dEq = f.equivalentDiameter;
    s.vel = f.velocity;
    s.reyn = f.reynoldsNumber;
    s.lambda = f.frictionFactor;
    s.rSpec = f.frictionLoss;
    s.pDyn = f.dynamicPressure;
}

std::string sizeText(const CalculatorState& s, DuctShape shape) {
    switch (shape) {
    case DuctShape::Circular:
        return "φ" + formatResult(s.diam);
    case DuctShape::Rectangular:
        return formatResult(s.rectLong) + " *" + formatResult(s.rectShort);
    case DuctShape::Elliptic:
        return "长径" + formatResult(s.ellMajor) + " 短径" + formatResult(s.ellMinor);
    }
    return {};
}

// An overflowed value reads "溢出" alone: a unit after it would pass it off as a quantity.
std::string withUnit(float value, const char* unit) {
    std::string text = formatResult(value);
    return std::isfinite(value) ? text + unit : text;
}

} // namespace

std::string_view shapeName(DuctShape shape) {
    switch (shape) {
    case DuctShape::Circular:
        return "圆形风管";
    case DuctShape::Rectangular:
        return "矩形风管";
    case DuctShape::Elliptic:
        return "椭圆形风管";
    }
    return {};
}

std::string_view formulaName(FrictionFormula formula) {
    return formula == FrictionFormula::One ? "公式一" : "公式二";
}

ResultTexts resultTexts(const CalculatorState& s, DuctShape shape) {
    ResultTexts texts;
    texts[index(ResultRow::Roughness)] = formatResult(s.rough);
    texts[index(ResultRow::Flow)] = withUnit(s.flow, " m3/h");
    texts[index(ResultRow::Size)] = sizeText(s, shape);
    texts[index(ResultRow::EquivalentDiameter)] = withUnit(s.dEq, " m");
    texts[index(ResultRow::Density)] = withUnit(s.dens, " kg/m3");
    texts[index(ResultRow::Viscosity)] = withUnit(s.visc, " m2/s");
    texts[index(ResultRow::Velocity)] =
        s.area > 0.0f ? withUnit(s.vel, " m/s") : std::string(sizePrompt);
    texts[index(ResultRow::ReynoldsNumber)] = formatResult(s.reyn);
    texts[index(ResultRow::FrictionLoss)] = withUnit(s.rSpec, " Pa/m");
    texts[index(ResultRow::DynamicPressure)] = withUnit(s.pDyn, " Pa");
    return texts;
}

void recalculateWith(CalculatorState& s, const DuctSection& section, FrictionFormula formula) {
    storeSizes(s, section);
    const Duct duct{section, s.flow, s.rough, formula, s.dens, s.visc};
    storeFigures(s, evaluateDuct(duct, s.vel));
}

ResultTexts recalculate(CalculatorState& s, const RecalcInputs& in) {
    // The factor is 32-bit, the number read 64-bit; their product is rounded once.
    s.flow = static_cast<float>(s.flowFactor * parseNumber(in.flowText));
    recalculateWith(s, readSection(in), in.formula);
    return resultTexts(s, in.shape);
}

} // namespace calc
