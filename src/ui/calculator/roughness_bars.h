#pragma once

#include "calc/defaults.h"

#include <array>

namespace ui {

// The scroll bar beside a material's value box: its range and start position. A position
// is K times the divisor: hundredths of a millimetre for the two sheet materials, tenths
// for the rest. An empty range (minimum == maximum) means the entry has no working bar: a
// material of fixed K, or the custom entry.
struct RoughnessBar {
    int minimum;
    int maximum;
    int start;
    int divisor;
};

// In the order of calc::materials.
inline constexpr std::array<RoughnessBar, calc::materialCount> roughnessBars{{
    {15, 18, 16, 100},
    {1, 5, 3, 100},
    {0, 0, 0, 10},
    {0, 0, 0, 10},
    {0, 0, 0, 10},
    {30, 60, 50, 10},
    {10, 30, 20, 10},
    {2, 10, 6, 10},
    {0, 0, 0, 10},
}};

} // namespace ui
