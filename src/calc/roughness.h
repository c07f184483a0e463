#pragma once

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

} // namespace calc
