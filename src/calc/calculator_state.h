#pragma once

namespace calc {

// The calculator's working numbers. Every quantity is stored as a 32-bit float: a result
// is rounded to float when it is stored, and the next step reads that float, not the
// wider value it came from. Sizes and the roughness are in millimetres, everything else
// in SI units, the flow in m3/h.
struct CalculatorState {
    float visc = 0;       // kinematic viscosity of the air, m2/s
    float dens = 0;       // air density, kg/m3
    float diam = 0;       // circular duct diameter, mm
    float rectLong = 0;   // rectangular duct, long side, mm
    float rectShort = 0;  // rectangular duct, short side, mm
    float ellMajor = 0;   // elliptic duct, whole major axis, mm
    float ellMinor = 0;   // elliptic duct, whole minor axis, mm
    float area = 0;       // cross-section area, m2
    float rough = 0;      // absolute wall roughness K, mm
    float flow = 0;       // air flow, m3/h
    float vel = 0;        // mean air velocity, m/s
    float flowFactor = 0; // m3/h per unit of the selected flow unit
    float lambda = 0;     // friction factor
    float reyn = 0;       // Reynolds number
    float dEq = 0;        // equivalent diameter, m
    float rSpec = 0;      // specific friction loss, Pa/m
    float pDyn = 0;       // dynamic pressure, Pa
};

} // namespace calc
