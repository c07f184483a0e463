#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace calc {

// A flow unit as offered in the unit list: its entry text and its volume in m3 per hour.
struct FlowUnit {
    std::string_view text;
    float factor;
};

// The units in list order. The factors are the decimals the calculator has always used
// (3.785 l per US gallon, 4.546 l per imperial gallon), each held as the nearest float.
inline constexpr std::array<FlowUnit, 10> flowUnits{{
    {"m3/h", 1.0f},
    {"m3/min", 60.0f},
    {"m3/s", 3600.0f},
    {"l/min", 0.06f},
    {"l/s", 3.6f},
    {"Am.GPM", 0.2271f},
    {"Am.GPS", 13.626f},
    {"En.GPM", 0.27276f},
    {"En.GPS", 16.3656f},
    {"CFM", 1.699f},
}};

// The factor of the unit whose entry text is exactly this one (case-sensitive).
std::optional<float> flowFactorOf(std::string_view entryText);

} // namespace calc
