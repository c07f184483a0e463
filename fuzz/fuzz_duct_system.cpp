// The duct system's calculation on arbitrary cells, as a paste would bring them: lines of
// tab-separated cells into the input columns. Whatever the cells, the calculation ends,
// marks what it cannot read, and its sums and critical path hold together.
#include "fuzz_check.h"
#include "system/duct_system.h"

#include <cmath>
#include <cstdint>
#include <string_view>
#include <vector>

namespace {

std::vector<ductsys::Segment> readCells(std::string_view text) {
    std::vector<ductsys::Segment> segments;
    while (!text.empty() && segments.size() < 200) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        ductsys::Segment& segment = segments.emplace_back();
        for (std::size_t column = 0; column < ductsys::ColumnCount && !line.empty(); ++column) {
            const std::size_t tab = std::min(line.find('\t'), line.size());
            segment.cells[column] = line.substr(0, tab);
            line.remove_prefix(std::min(tab + 1, line.size()));
        }
    }
    return segments;
}

void checkSums(const ductsys::SystemResult& system) {
    const auto& results = system.segments;
    for (const std::size_t i : system.criticalPath) {
        require(i < results.size() && results[i].onCriticalPath && results[i].computed,
                "the critical path runs through computed segments");
    }
    require(system.complete() || (system.criticalPath.empty() && !system.fanPressure),
            "an incomplete system claims no critical path or fan pressure");
    if (!system.criticalPath.empty()) {
        const auto& outlet = results[system.criticalPath.back()];
        // An overflowed flow leaves losses that are not numbers, shown as "溢出".
        const bool bothNaN = std::isnan(*system.fanPressure) && std::isnan(outlet.cumulative);
        require(bothNaN || *system.fanPressure == outlet.cumulative,
                "the fan pressure is the path's loss");
        require(!results[system.criticalPath.front()].upstream, "the path starts at the fan");
    }
    for (const ductsys::SegmentResult& r : results) {
        require(r.badColumn.has_value() == !r.problem.empty(), "a bad cell says why");
        // Negative Σζ can make a branch's loss negative, and its shortfall more than 100 %.
        require(!r.imbalance || *r.imbalance >= 0 || std::isnan(*r.imbalance),
                "no branch loses more than the largest");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto segments = readCells(std::string_view(reinterpret_cast<const char*>(data), size));
    const ductsys::SystemResult system = ductsys::calculate(segments, {});
    require(system.segments.size() == segments.size(), "one result per segment");
    checkSums(system);
    return 0;
}
