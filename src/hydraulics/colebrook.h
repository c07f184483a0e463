#pragma once

#include "hydraulics/geometry.h"

// The Colebrook-White friction factor of turbulent flow, the reference the two formulas
// of friction.h approximate. Units as there: roughness K in millimetres, diameter in m,
// velocity in m/s, density in kg/m3. Every step runs in 64 bits; float arguments convert
// exactly.
namespace hydraulics {

// Friction factor lambda from 1/sqrt(lambda) = -2 lg(K/(3.7 D) + 2.51/(Re sqrt(lambda))).
// Empty when Re is below 4000 (not turbulent), when k, d or r is 0, negative or not
// finite, and when K/D is so large that the equation has no positive root.
Result colebrook(double k, double d, double r);
// Specific friction loss lambda/d * rho v^2/2 in Pa/m with that factor; empty where it is.
Result colebrookLoss(double k, double d, double r, double v, double ro);

} // namespace hydraulics
