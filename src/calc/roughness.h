#pragma once

#include "calc/defaults.h"
#include "calc/number_text.h"

#include <array>
#include <cstddef>
#include <string>

namespace calc {

// A custom roughness K in mm is held within 0.01 to 10; the lower bound is the float
// nearest 0.01 (0.0099999998), so a typed "0.01" is exactly on it and stays unchanged.
inline float limitedCustomRoughness(float k) {
    constexpr float lowest = 0.01f;
    constexpr float highest = 10.0f;
    if (k < lowest) {
        return lowest;
    }
    if (k > highest) {
        return highest;
    }
    return k;
}

// The scroll bar beside a material's value box: its range and start position. A position
// is K times the divisor: hundredths of a millimetre for the two sheet materials, tenths
// for the rest. An empty range (minimum == maximum) means the entry has no working bar: a
// material of fixed K, or the custom entry.
struct RoughnessBar {
    int minimum;
    int maximum;
    int start;
    int divisor;
};

// In the order of materials.
inline constexpr std::array<RoughnessBar, materialCount> roughnessBars{{
    {15, 18, 16, 100},
    {1, 5, 3, 100},
    {0, 0, 0, 10},
    {0, 0, 0, 10},
    {0, 0, 0, 10},
    {30, 60, 50, 10},
    {10, 30, 20, 10},
    {2, 10, 6, 10},
    {0, 0, 0, 10},
}};

inline bool hasRoughnessBar(std::size_t material) {
    return roughnessBars[material].minimum != roughnessBars[material].maximum;
}

// The text a material's value box shows with its bar at a position. The quotient is a short
// decimal ("0.15", "3.5", "6"): 7 significant digits keep it.
inline std::string roughnessStepText(std::size_t material, int position) {
    return formatPlain(static_cast<float>(position / double(roughnessBars[material].divisor)));
}

// The K the calculator holds with a material's bar at a position: its box's text, read.
inline float roughnessAtStep(std::size_t material, int position) {
    return storedValue(roughnessStepText(material, position));
}

// Whether the calculator can hold K for a material that is not the custom entry: at a
// position of its bar, or, without one, its own K.
inline bool isMaterialRoughness(std::size_t material, float k) {
    const RoughnessBar& bar = roughnessBars[material];
    if (!hasRoughnessBar(material)) {
        return k == storedValue(materials[material].roughnessText);
    }
    for (int position = bar.minimum; position <= bar.maximum; ++position) {
        if (k == roughnessAtStep(material, position)) {
            return true;
        }
    }
    return false;
}

} // namespace calc
