#include "calc/sizing.h"

#include "calc/defaults.h"
#include "calc/number_text.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace calc {

namespace {

// The sizes of a shape as (slot, text) choices for its one or two lists.
std::vector<std::array<std::string_view, SizeSlotCount>> candidates(DuctShape shape,
                                                                    double maxAspect) {
    std::vector<std::array<std::string_view, SizeSlotCount>> sizes;
    if (shape == DuctShape::Circular) {
        for (const std::string_view diameter : standardDiameters) {
            sizes.push_back({diameter});
        }
        return sizes;
    }
    const auto [longSlot, shortSlot] = shape == DuctShape::Rectangular
                                           ? std::pair{LongSide, ShortSide}
                                           : std::pair{MajorAxis, MinorAxis};
    for (std::size_t i = 0; i < standardSidesAndAxes.size(); ++i) {
        for (std::size_t j = 0; j <= i; ++j) {
            const double aspect =
                parseNumber(standardSidesAndAxes[i]) / parseNumber(standardSidesAndAxes[j]);
            if (maxAspect > 0 && aspect > maxAspect) {
                continue;
            }
            std::array<std::string_view, SizeSlotCount> size{};
            size[longSlot] = standardSidesAndAxes[i];
            size[shortSlot] = standardSidesAndAxes[j];
            sizes.push_back(size);
        }
    }
    return sizes;
}

double aspectOf(const CalculatorState& s, DuctShape shape) {
    switch (shape) {
    case DuctShape::Circular:
        return 1;
    case DuctShape::Rectangular:
        return double(s.rectLong) / s.rectShort;
    case DuctShape::Elliptic:
        return double(s.ellMajor) / s.ellMinor;
    }
    return 1;
}

// The product of the two sizes in mm, exact in 64 bits for every standard size. The stored
// areas are rounded to float, where two sizes of equal area may differ in the last bit.
double nominalArea(const CalculatorState& s, DuctShape shape) {
    switch (shape) {
    case DuctShape::Circular:
        return double(s.diam) * s.diam;
    case DuctShape::Rectangular:
        return double(s.rectLong) * s.rectShort;
    case DuctShape::Elliptic:
        return double(s.ellMajor) * s.ellMinor;
    }
    return 0;
}

// A limit of 0 is off; an overflowed value meets no limit.
bool within(float value, double limit) {
    return std::isfinite(value) && (limit <= 0 || value <= limit);
}

} // namespace

std::vector<SizingRow> sizingRows(const CalculatorState& state, const RecalcInputs& inputs,
                                  const SizingLimits& limits) {
    RecalcInputs picked = inputs;
    picked.nonStandardSize = false;
    std::vector<SizingRow> rows;
    for (const auto& listTexts : candidates(inputs.shape, limits.maxAspect)) {
        SizingRow row{listTexts, state, {}, 1, false};
        for (std::size_t slot = 0; slot < SizeSlotCount; ++slot) {
            picked.listTexts[slot] = listTexts[slot];
        }
        row.texts = v(row.state, picked);
        row.aspect = aspectOf(row.state, inputs.shape);
        row.meetsLimits = within(row.state.vel, limits.maxVelocity) &&
                          within(row.state.rSpec, limits.maxFriction);
        rows.push_back(std::move(row));
    }
    const auto areaThenAspect = [shape = inputs.shape](const SizingRow& row) {
        return std::pair(nominalArea(row.state, shape), row.aspect);
    };
    std::stable_sort(rows.begin(), rows.end(), [&](const SizingRow& a, const SizingRow& b) {
        return areaThenAspect(a) < areaThenAspect(b);
    });
    return rows;
}

std::optional<std::size_t> recommendedRow(const std::vector<SizingRow>& rows) {
    const auto found = std::find_if(rows.begin(), rows.end(), [](const SizingRow& row) {
        return row.state.flow != 0 && row.meetsLimits;
    });
    if (found == rows.end()) {
        return std::nullopt;
    }
    return std::size_t(found - rows.begin());
}

std::string cellText(std::string_view text, std::string_view unit) {
    if (!unit.empty() && text.ends_with(unit)) {
        text.remove_suffix(unit.size());
    }
    if (text.starts_with(' ')) {
        text.remove_prefix(1);
    }
    return std::string(text);
}

} // namespace calc
