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

// The size caption is composed before the equivalent diameter is computed.
std::string sizeCaptionAndDiameter(CalculatorState& s, DuctShape shape) {
    switch (shape) {
    case DuctShape::Circular: {
        std::string caption = "φ" + formatResult(s.diam);
        s.dEq = s.diam / 1000.0f;
        return caption;
    }
    case DuctShape::Rectangular: {
        std::string caption = formatResult(s.rectLong) + " *" + formatResult(s.rectShort);
        s.dEq = metres(hydraulics::dv_r(s.rectLong, s.rectShort));
        return caption;
    }
    case DuctShape::Elliptic: {
        std::string caption =
            "长径" + formatResult(s.ellMajor) + " 短径" + formatResult(s.ellMinor);
        s.dEq = metres(hydraulics::dv_e(s.ellMajor, s.ellMinor));
        return caption;
    }
    }
    return {};
}

// A value that is not a finite number shows the overflow text alone: a unit after it
// would read as if it were a quantity.
std::string withUnit(float value, const char* unit) {
    const std::string number = formatResult(value);
    return std::isfinite(value) ? number + unit : number;
}

} // namespace

ResultCaptions v(CalculatorState& s, const RecalcInputs& in) {
    // The factor is 32-bit, the number read 64-bit; their product is rounded once.
    s.flow = static_cast<float>(s.flowFactor * parseNumber(in.flowText));
    readSizes(s, in);
    std::string sizeCaption = sizeCaptionAndDiameter(s, in.shape);

    std::string velocityCaption = "请输入风管尺寸";
    if (s.area > 0.0f) {
        // Two 64-bit divisions, then one rounding to 32 bits.
        s.vel = static_cast<float>(s.flow / 3600.0 / s.area);
        velocityCaption = withUnit(s.vel, " m/s");
    }

    s.reyn = stored(hydraulics::re(s.vel, s.dEq, s.visc));
    s.lambda = stored(in.formula == FrictionFormula::One ? hydraulics::l1(s.rough, s.dEq, s.reyn)
                                                         : hydraulics::l2(s.rough, s.dEq, s.reyn));
    s.rSpec = stored(hydraulics::rm(s.lambda, s.dEq, s.vel, s.dens));
    s.pDyn = stored(hydraulics::pd(s.dens, s.vel));

    return {{
        {"Label13", formatResult(s.rough)},
        {"Label10", withUnit(s.flow, " m3/h")},
        {"Label6", std::move(sizeCaption)},
        {"Label17", withUnit(s.dEq, " m")},
        {"Label26", withUnit(s.dens, " kg/m3")},
        {"Label24", withUnit(s.visc, " m2/s")},
        {"Label7", std::move(velocityCaption)},
        {"Label15", formatResult(s.reyn)},
        {"Label11", withUnit(s.rSpec, " Pa/m")},
        {"Label21", withUnit(s.pDyn, " Pa")},
    }};
}

} // namespace calc
