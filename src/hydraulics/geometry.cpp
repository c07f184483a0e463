#include "hydraulics/geometry.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace hydraulics {

namespace {
constexpr double piForArea = 3.14159;
constexpr double twoPiForDiameter = 6.2831852;            // 2 x 3.1415926
constexpr double radiansPerDegree = 0.017453292222222222; // 3.1415926 / 180
constexpr short chordsPerQuadrant = 1800;                 // steps of 0.05 degree

// The cosine and sine of the chord angles depend on nothing but the index, so they are
// computed once, on first use, with exactly the expressions the sum would evaluate.
struct ChordAngles {
    std::array<double, chordsPerQuadrant> cos;
    std::array<double, chordsPerQuadrant> sin;
};

// Deliberately not constexpr (a lambda would be): GCC evaluates a constant initialiser
// at compile time with correctly rounded sine and cosine, which differ from the run-time
// library's in the last bit for a few of these angles, and ellipsePerimeter must keep the latter.
ChordAngles computeChordAngles() {
    ChordAngles table;
    for (short i = 1; i <= chordsPerQuadrant; ++i) {
        const double theta = static_cast<double>(i) * radiansPerDegree / 20.0;
        table.cos[i - 1] = std::cos(theta);
        table.sin[i - 1] = std::sin(theta);
    }
    return table;
}

const ChordAngles& chordAngles() {
    static const ChordAngles angles = computeChordAngles();
    return angles;
}

} // namespace

Result circleArea(float d) {
    const float t = d / 1000.0f;
    double area = piForArea * t;
    area = area * t;
    return area / 4.0;
}

Result rectangleArea(float a, float b) {
    const float t = a / 1000.0f;
    const float u = b / 1000.0f;
    return t * u;
}

Result ellipseArea(float a, float b) {
    const float t = a / 1000.0f;
    const float u = b / 1000.0f;
    double area = piForArea * t;
    area = area * u;
    return area / 4.0;
}

Result rectangleEquivalentDiameter(float a, float b) {
    float p = 2.0f * a;
    p = p * b;
    const float q = b + a;
    // Both sides 0: 0/0 has no value, reported like any other missing size.
    if (q == 0.0f) {
        return std::nullopt;
    }
    return p / q;
}

Result ellipsePerimeter(float a, float b) {
    if (a <= 0.0f || b <= 0.0f) {
        return std::nullopt;
    }
    const ChordAngles& angles = chordAngles();
    double x0 = a;
    float y0 = 0.0f;
    double sum = 0.0;
    for (std::size_t i = 0; i < chordsPerQuadrant; ++i) {
        const double x = a * angles.cos[i];
        // y is kept in 32 bits, so the vertical part of each chord is a float step.
        const float y = static_cast<float>(b * angles.sin[i]);
        const double dx2 = (x0 - x) * (x0 - x);
        const float dy = y0 - y;
        const float dy2 = dy * dy;
        sum = sum + std::sqrt(dx2 + dy2);
        x0 = x;
        y0 = y;
    }
    return sum * 4.0;
}

Result ellipseEquivalentDiameter(float a, float b) {
    if (a <= 0.0f || b <= 0.0f) {
        return std::nullopt;
    }
    // ellipsePerimeter takes half axes, so this is twice the duct's perimeter; the 2 in 2*pi
    // cancels it.
    const double perimeter = *ellipsePerimeter(a, b);
    return twoPiForDiameter * a * b / perimeter;
}

} // namespace hydraulics
