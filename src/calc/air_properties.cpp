#include "calc/air_properties.h"

#include <algorithm>
#include <cmath>

namespace calc {

namespace {

constexpr double altitudeFactor = 2.25577e-5; // 1/m
constexpr double pressureExponent = 5.25588;

constexpr double celsiusZero = 273.15;        // K
constexpr double dryAirConstant = 287.05;     // J/(kg K)
constexpr double waterVapourConstant = 461.5; // J/(kg K)

// Sutherland's law for air: the viscosity at 0 °C and Sutherland's constant.
constexpr double viscosityAtZero = 1.716e-5; // Pa s
constexpr double sutherlandConstant = 110.4; // K

// Saturation pressure of water vapour in kPa by the equation of Wagner and Pruss (the
// IAPWS one), ln(p/pc) = Tc/T (a1 tau + a2 tau^1.5 + a3 tau^3 + a4 tau^3.5 + a5 tau^4 +
// a6 tau^7.5) with tau = 1 - T/Tc: for liquid water from 0.01 °C to the critical point,
// 101.418 kPa at 100 °C, 8588 kPa at 300 °C. Below 0 °C it runs on over supercooled
// water, over which relative humidity is customarily stated, and stays within 1 % of
// Buck's correlation down to -50 °C, where the vapour holds a few pascals.
double saturationPressure(double t) {
    constexpr double criticalTemperature = 647.096; // K
    constexpr double criticalPressure = 22064.0;    // kPa
    const double kelvin = t + celsiusZero;
    const double tau = 1.0 - kelvin / criticalTemperature;
    const double sum = -7.85951783 * tau + 1.84408259 * std::pow(tau, 1.5) -
                       11.7866497 * std::pow(tau, 3.0) + 22.6807411 * std::pow(tau, 3.5) -
                       15.9618719 * std::pow(tau, 4.0) + 1.80122502 * std::pow(tau, 7.5);
    return criticalPressure * std::exp(criticalTemperature / kelvin * sum);
}

} // namespace

double pressureAtAltitude(double altitude) {
    return seaLevelPressure * std::pow(1.0 - altitudeFactor * altitude, pressureExponent);
}

double altitudeAtPressure(double pressure) {
    return (1.0 - std::pow(pressure / seaLevelPressure, 1.0 / pressureExponent)) / altitudeFactor;
}

AirProperties airProperties(double temperature, double pressure, double humidity) {
    const double kelvin = temperature + celsiusZero;
    // The vapour's partial pressure never exceeds the total pressure: past the boiling
    // point at this pressure a high humidity would ask for more, and the air is all vapour.
    const double vapour = std::min(humidity / 100.0 * saturationPressure(temperature), pressure);
    // Dry air and vapour as ideal gases, each at its partial pressure (kPa to Pa).
    const double density = 1000.0 * ((pressure - vapour) / (dryAirConstant * kelvin) +
                                     vapour / (waterVapourConstant * kelvin));
    // Humid air's viscosity is taken as dry air's at the same temperature: the vapour
    // changes the kinematic viscosity only through the density.
    const double dynamic = viscosityAtZero * std::pow(kelvin / celsiusZero, 1.5) *
                           (celsiusZero + sutherlandConstant) / (kelvin + sutherlandConstant);
    return {density, dynamic, dynamic / density};
}

} // namespace calc
