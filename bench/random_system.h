#pragma once

#include "system/duct_system.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace sample {

// A random tree of segments, each hanging from one of the eight before it; 70 % rectangular,
// 24 % circular, 6 % elliptic, half of the sizes 自动, flows at the outlets only. The same
// system on every run for the same seed.
inline std::vector<ductsys::Segment> randomSystem(std::size_t count,
                                                  std::uint32_t seed = 20261207) {
    std::mt19937 random(seed);
    const auto pick = [&](std::size_t n) { return std::size_t(random() % n); };
    std::vector<ductsys::Segment> segments(count);
    std::vector<bool> hasDownstream(count, false);
    for (std::size_t i = 0; i < count; ++i) {
        auto& cells = segments[i].cells;
        cells[ductsys::Id] = std::to_string(i + 1);
        if (i > 0) {
            const std::size_t upstream = i - 1 - pick(std::min<std::size_t>(i, 8));
            cells[ductsys::Upstream] = std::to_string(upstream + 1);
            hasDownstream[upstream] = true;
        }
        cells[ductsys::Length] = std::to_string(2 + pick(30));
        const std::size_t shape = pick(10) < 7 ? 1 : pick(10) < 8 ? 0 : 2;
        cells[ductsys::Shape] = ductsys::shapeCell(calc::DuctShape(shape));
        cells[ductsys::Size] = pick(2) == 0 ? std::string(ductsys::autoSize)
                               : shape == 0 ? "400"
                                            : "630×250";
        cells[ductsys::Zeta] = "0.5";
    }
    // Outlets carry a flow; the others carry the sum of theirs.
    for (std::size_t i = 0; i < count; ++i) {
        if (!hasDownstream[i]) {
            segments[i].cells[ductsys::Flow] = std::to_string(200 + pick(1800));
        }
    }
    return segments;
}

} // namespace sample
