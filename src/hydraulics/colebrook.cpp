#include "hydraulics/colebrook.h"

#include <cmath>
#include <limits>

namespace hydraulics {

namespace {

constexpr double turbulentReynolds = 4000.0;

// Each step shrinks the error of x = 1/sqrt(lambda) by at most 0.87/x, below 0.18 in
// turbulent flow, so the explicit start settles to the last bits within twenty steps.
constexpr int maxIterations = 50;

bool positiveFinite(double x) {
    return std::isfinite(x) && x > 0.0;
}

} // namespace

Result colebrook(double k, double d, double r) {
    if (!positiveFinite(k) || !positiveFinite(d) || !positiveFinite(r) || r < turbulentReynolds) {
        return std::nullopt;
    }
    // K from mm to m, so that K/D has no unit.
    const double roughnessTerm = k / 1000.0 / d / 3.7;
    const double viscousFactor = 2.51 / r;
    // The explicit Swamee-Jain approximation starts within a few per cent of the root.
    double x = -2.0 * std::log10(roughnessTerm + 5.74 / std::pow(r, 0.9));
    // Fixed-point iteration on x = 1/sqrt(lambda), until a step changes only rounding bits.
    for (int i = 0; i < maxIterations; ++i) {
        const double next = -2.0 * std::log10(roughnessTerm + viscousFactor * x);
        const bool settled =
            std::fabs(next - x) <= 4.0 * std::numeric_limits<double>::epsilon() * std::fabs(next);
        x = next;
        if (settled) {
            break;
        }
    }
    // K/D near 3.7 or above drives x to 0 or below: no friction factor.
    if (!positiveFinite(x)) {
        return std::nullopt;
    }
    return 1.0 / (x * x);
}

Result colebrookLoss(double k, double d, double r, double v, double ro) {
    const Result lambda = colebrook(k, d, r);
    if (!lambda) {
        return std::nullopt;
    }
    return *lambda / d * ro * v * v / 2.0;
}

} // namespace hydraulics
