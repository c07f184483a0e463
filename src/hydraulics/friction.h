#pragma once

#include "hydraulics/geometry.h"

// Flow resistance of a duct. Velocity in m/s, diameter in m, kinematic viscosity in
// m2/s, density in kg/m3; the roughness K alone is in millimetres (the friction
// factors convert it). Guards are exact comparisons with zero: a tiny non-zero value
// passes. Steps are rounded to 32 or 64 bits exactly as each function marks them.
namespace hydraulics {

// Reynolds number v*d/mu; empty when mu is 0.
Result reynoldsNumber(float v, float d, float mu);
// Friction factor, formula one: 0.25 / [lg(K/(3.71 D)) + 5.74/(0.9 Re)]^2.
// Empty when k, d or r is 0. A bracket sum of exactly 0 gives infinity.
Result frictionFactorOne(float k, float d, float r);
// Friction factor, formula two: 0.0055 [1 + (20 K/d + 10^6/Re)^(1/3)].
// Empty when d or r is 0; k may be 0.
Result frictionFactorTwo(float k, float d, float r);
// Specific friction loss lambda/d * rho v^2/2 in Pa/m; empty when d is 0.
Result specificFrictionLoss(float lmd, float d, float v, float ro);
// Dynamic pressure rho v^2/2 in Pa.
Result dynamicPressure(float ro, float v);

} // namespace hydraulics
