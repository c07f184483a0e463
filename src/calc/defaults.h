#pragma once

#include "calc/calculator_state.h"
#include "calc/recalculation.h"

#include <array>
#include <cstddef>
#include <string_view>

// The calculator's tables and default values, as the controls show them at start-up.
// Sizes and the roughness K are in millimetres, the density in kg/m3, the kinematic
// viscosity in m2/s.
namespace calc {

// The standard sizes the lists offer, smallest first.
inline constexpr std::array<std::string_view, 26> standardDiameters{
    "100", "120",  "140",  "160",  "180",  "200",  "220",  "250", "280",
    "320", "360",  "400",  "450",  "500",  "560",  "630",  "700", "800",
    "900", "1000", "1120", "1250", "1400", "1600", "1800", "2000"};
inline constexpr std::array<std::string_view, 17> standardSidesAndAxes{
    "120",  "160",  "200",  "250",  "320",  "400",  "500",  "630", "800",
    "1000", "1250", "1600", "2000", "2500", "3000", "3500", "4000"};

// A roughness entry: its value box's text at start-up, and the range and start position
// of its scroll bar. A position is K times the divisor: hundredths of a millimetre for the
// two sheet materials, tenths for the rest. An empty range (minimum == maximum) means the
// entry has no working bar: a material of fixed K, or the custom entry.
struct RoughnessEntry {
    std::string_view startText;
    int barMinimum;
    int barMaximum;
    int barStart;
    int divisor;
};

inline constexpr std::size_t roughnessEntryCount = 9;
inline constexpr std::size_t customRoughnessEntry = 8;

// In the order of the options: sheet steel, plastic sheet, slag gypsum board, slag
// concrete board, plywood, brickwork, concrete, timber, custom.
inline constexpr std::array<RoughnessEntry, roughnessEntryCount> roughnessEntries{{
    {"0.16", 15, 18, 16, 100},
    {"0.03", 1, 5, 3, 100},
    {"1.0", 0, 0, 0, 10},
    {"1.5", 0, 0, 0, 10},
    {"1.0", 0, 0, 0, 10},
    {"5", 30, 60, 50, 10},
    {"2", 10, 30, 20, 10},
    {"0.6", 2, 10, 6, 10},
    {"10", 0, 0, 0, 10},
}};

inline constexpr std::string_view defaultFlowText = "0";
inline constexpr std::string_view defaultFlowUnit = "m3/h";
// One per size slot: diameter, long side, short side, major axis, minor axis.
inline constexpr std::array<std::string_view, SizeSlotCount> defaultSizeTexts{"100", "1000", "1000",
                                                                              "1000", "800"};
inline constexpr std::array<float, SizeSlotCount> defaultSizes{100, 1000, 1000, 1000, 800};
// K of the first entry, which is selected at start-up.
inline constexpr float defaultRoughness = 0.16f;
// Air at 20 degrees C and 101.325 kPa.
inline constexpr std::string_view defaultDensityText = "1.204";
inline constexpr float defaultDensity = 1.204f;
inline constexpr std::string_view defaultViscosityText = "0.00001506";
inline constexpr float defaultViscosity = 0.00001506f;

// Stores the defaults that start-up leaves in the state: the five sizes, the roughness and
// the air. The flow factor is stored when the unit is selected.
inline void storeDefaults(CalculatorState& s) {
    s.rectLong = defaultSizes[LongSide];
    s.rectShort = defaultSizes[ShortSide];
    s.ellMajor = defaultSizes[MajorAxis];
    s.diam = defaultSizes[Diameter];
    s.ellMinor = defaultSizes[MinorAxis];
    s.rough = defaultRoughness;
    s.visc = defaultViscosity;
    s.dens = defaultDensity;
}

} // namespace calc
