#include "hydraulics/geometry.h"

#include <cmath>

namespace hydraulics {

namespace {
constexpr double piForArea = 3.14159;
constexpr double twoPiForDiameter = 6.2831852;            // 2 x 3.1415926
constexpr double radiansPerDegree = 0.017453292222222222; // 3.1415926 / 180
constexpr short chordsPerQuadrant = 1800;                 // steps of 0.05 degree
} // namespace

Result s1(const float& d) {
    const float t = d / 1000.0f;
    double area = piForArea * t;
    area = area * t;
    return area / 4.0;
}

Result s2(const float& a, const float& b) {
    const float t = a / 1000.0f;
    const float u = b / 1000.0f;
    return t * u;
}

Result s3(const float& a, const float& b) {
    const float t = a / 1000.0f;
    const float u = b / 1000.0f;
    double area = piForArea * t;
    area = area * u;
    return area / 4.0;
}

Result dv_r(const float& a, const float& b) {
    float p = 2.0f * a;
    p = p * b;
    const float q = b + a;
    // Both sides 0: 0/0 has no value, reported like any other missing size.
    if (q == 0.0f) {
        return std::nullopt;
    }
    return p / q;
}

Result lofe(const float& a, const float& b) {
    if (a <= 0.0f || b <= 0.0f) {
        return std::nullopt;
    }
    double x0 = a;
    float y0 = 0.0f;
    double sum = 0.0;
    for (short i = 1; i <= chordsPerQuadrant; ++i) {
        const double theta = static_cast<double>(i) * radiansPerDegree / 20.0;
        const double x = a * std::cos(theta);
        // y is kept in 32 bits, so the vertical part of each chord is a float step.
        const float y = static_cast<float>(b * std::sin(theta));
        const double dx2 = (x0 - x) * (x0 - x);
        const float dy = y0 - y;
        const float dy2 = dy * dy;
        sum = sum + std::sqrt(dx2 + dy2);
        x0 = x;
        y0 = y;
    }
    return sum * 4.0;
}

Result dv_e(const float& a, const float& b) {
    if (a <= 0.0f || b <= 0.0f) {
        return std::nullopt;
    }
    // lofe takes half axes, so this is twice the duct's perimeter; the 2 in 2*pi cancels it.
    const double perimeter = *lofe(a, b);
    return twoPiForDiameter * a * b / perimeter;
}

} // namespace hydraulics
