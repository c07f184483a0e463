#pragma once

#include "calc/calculator_state.h"
#include "calc/duct_evaluation.h"
#include "calc/number_text.h"
#include "calc/recalculation.h"

#include <array>
#include <cstddef>
#include <string_view>

// The values a calculation starts from: the standard sizes, the materials and their
// roughness, the air. Texts are as the controls show them; the state stores the nearest
// float of each. Sizes and the roughness K are in millimetres, the density in kg/m3, the
// kinematic viscosity in m2/s.
namespace calc {

// The standard sizes the lists offer, smallest first.
inline constexpr std::array<std::string_view, 26> standardDiameters{
    "100", "120",  "140",  "160",  "180",  "200",  "220",  "250", "280",
    "320", "360",  "400",  "450",  "500",  "560",  "630",  "700", "800",
    "900", "1000", "1120", "1250", "1400", "1600", "1800", "2000"};
inline constexpr std::array<std::string_view, 17> standardSidesAndAxes{
    "120",  "160",  "200",  "250",  "320",  "400",  "500",  "630", "800",
    "1000", "1250", "1600", "2000", "2500", "3000", "3500", "4000"};

// A wall material and its roughness K as its value box shows it at start-up. The custom
// entry's K is the user's own.
struct Material {
    std::string_view name;
    std::string_view roughnessText;
};

inline constexpr std::size_t materialCount = 9;
inline constexpr std::size_t customMaterial = 8;

// Sheet steel, plastic sheet, slag gypsum board, slag concrete board, plywood, brickwork,
// concrete, timber, custom.
inline constexpr std::array<Material, materialCount> materials{{
    {"薄钢板", "0.16"},
    {"塑料板", "0.03"},
    {"矿渣石膏板", "1.0"},
    {"矿渣混凝土板", "1.5"},
    {"胶合板", "1.0"},
    {"砖砌体", "5"},
    {"混凝土", "2"},
    {"木板", "0.6"},
    {"自定义", "10"},
}};

// What a new calculation has selected.
inline constexpr DuctShape defaultShape = DuctShape::Circular;
inline constexpr std::size_t defaultMaterial = 0;
inline constexpr FrictionFormula defaultFormula = FrictionFormula::One;
inline constexpr std::string_view defaultFlowText = "0";
inline constexpr std::string_view defaultFlowUnit = "m3/h";
// One per size slot: diameter, long side, short side, major axis, minor axis.
inline constexpr std::array<std::string_view, SizeSlotCount> defaultSizeTexts{"100", "1000", "1000",
                                                                              "1000", "800"};
// Air at 20 degrees C and 101.325 kPa.
inline constexpr std::string_view defaultDensityText = "1.204";
inline constexpr std::string_view defaultViscosityText = "0.00001506";

// The float a box stores for a text, as the calculator reads it.
inline float storedValue(std::string_view text) {
    return float(parseNumber(text));
}

// Stores the defaults that start-up leaves in the state: the five sizes, the roughness and
// the air. The flow factor is stored when the unit is selected.
inline void storeDefaults(CalculatorState& s) {
    s.rectLong = storedValue(defaultSizeTexts[LongSide]);
    s.rectShort = storedValue(defaultSizeTexts[ShortSide]);
    s.ellMajor = storedValue(defaultSizeTexts[MajorAxis]);
    s.diam = storedValue(defaultSizeTexts[Diameter]);
    s.ellMinor = storedValue(defaultSizeTexts[MinorAxis]);
    s.rough = storedValue(materials[defaultMaterial].roughnessText);
    s.visc = storedValue(defaultViscosityText);
    s.dens = storedValue(defaultDensityText);
}

} // namespace calc
