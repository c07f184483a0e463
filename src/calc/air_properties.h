#pragma once

// Properties of humid air at a duct's working conditions, in 64 bits. Temperature in °C,
// pressure in kPa, altitude in m, relative humidity in %. Within -50 to 300 °C, 47.18 to
// 110 kPa (6000 m down to -698 m) and 0 to 100 % every result is positive and finite. The
// calculator's density and viscosity boxes take a result as formatPlain writes it
// (calc/number_text.h).
namespace calc {

// The standard atmosphere at sea level, kPa.
inline constexpr double seaLevelPressure = 101.325;

struct AirProperties {
    double density = 0;            // kg/m3
    double dynamicViscosity = 0;   // Pa s
    double kinematicViscosity = 0; // m2/s
};

// Pressure of the standard atmosphere at an altitude: 101.325 (1 - 2.25577E-05 h)^5.25588.
double pressureAtAltitude(double altitude);
// The altitude at which the standard atmosphere has the given pressure.
double altitudeAtPressure(double pressure);
// Density and viscosities of air at a temperature, pressure and relative humidity.
AirProperties airProperties(double temperature, double pressure, double humidity);

} // namespace calc
