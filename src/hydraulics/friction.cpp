#include "hydraulics/friction.h"

#include <cmath>

namespace hydraulics {

Result reynoldsNumber(float v, float d, float mu) {
    if (mu == 0.0f) {
        return std::nullopt;
    }
    const float p = v * d;
    return p / mu;
}

Result frictionFactorOne(float k, float d, float r) {
    if (k == 0.0f || d == 0.0f || r == 0.0f) {
        return std::nullopt;
    }
    // Relative roughness K/D in 32 bits (K from mm to m first), then the rest in 64.
    float t = k / 1000.0f;
    t = t / d;
    const double x = t / 3.71;
    const double lg = std::log(x) / std::log(10.0);
    const double w = 5.74 / 0.9;
    const double q = w / r;
    const double s = lg + q;
    return 0.25 / std::pow(s, 2.0);
}

Result frictionFactorTwo(float k, float d, float r) {
    if (d == 0.0f || r == 0.0f) {
        return std::nullopt;
    }
    // 20 K/d with K in mm and d in m is 20000 K/d in one unit; a 32-bit step.
    float p = 20.0f * k;
    p = p / d;
    const double q = 1000000.0 / r;
    const double s = p + q;
    const double e = 1.0 / 3.0;
    const double w = std::pow(s, e);
    return 0.0055 * (1.0 + w);
}

Result specificFrictionLoss(float lmd, float d, float v, float ro) {
    if (d == 0.0f) {
        return std::nullopt;
    }
    // Strictly left to right, every product and quotient rounded to 32 bits.
    return lmd * ro * v * v / 2.0f / d;
}

Result dynamicPressure(float ro, float v) {
    return 0.5 * ro * v * v;
}

} // namespace hydraulics
