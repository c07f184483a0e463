#pragma once

#include <optional>

// Cross-section geometry of a duct. Sizes are in millimetres; areas come back in m2,
// equivalent diameters and perimeters in millimetres. An empty result means the
// arguments admit no value (a zero or negative size where the formula needs one).
//
// Every step is rounded as marked: a 32-bit step rounds to float before the next one,
// a 64-bit step runs in double. Pi is 3.14159 in the areas and 3.1415926 in the chord
// angles and the elliptic diameter, not M_PI: the results depend on these decimals down
// to the last float bit.
namespace hydraulics {

using Result = std::optional<double>;

// Circle of diameter d: pi*d^2/4, with pi taken as 3.14159.
Result circleArea(float d);
// Rectangle of sides a and b.
Result rectangleArea(float a, float b);
// Ellipse of whole axes a and b: pi*a*b/4, with pi taken as 3.14159.
Result ellipseArea(float a, float b);
// Hydraulic diameter of a rectangle, 2ab/(a+b); empty when a + b is 0.
Result rectangleEquivalentDiameter(float a, float b);
// Hydraulic diameter of an ellipse with whole axes a and b; empty for a or b <= 0.
Result ellipseEquivalentDiameter(float a, float b);
// Perimeter of the ellipse with half axes a and b, summed from 4 x 1800 chords.
Result ellipsePerimeter(float a, float b);

} // namespace hydraulics
