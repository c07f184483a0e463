#include "calc/sizing.h"

#include "calc/defaults.h"
#include "calc/number_text.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace calc {

namespace {

float sizeOf(std::string_view text) {
    return static_cast<float>(parseNumber(text));
}

// A standard size: the list entries that pick it and the section they give.
struct Candidate {
    std::array<std::string_view, SizeSlotCount> listTexts{};
    DuctSection section;
};

// The standard sizes of a shape within the aspect limit, long side at least the short one.
std::vector<Candidate> candidates(DuctShape shape, double maxAspect) {
    std::vector<Candidate> sizes;
    if (shape == DuctShape::Circular) {
        for (const std::string_view diameter : standardDiameters) {
            sizes.push_back({{diameter}, {shape, sizeOf(diameter), 0}});
        }
        return sizes;
    }
    const auto [longSlot, shortSlot] = shape == DuctShape::Rectangular
                                           ? std::pair{LongSide, ShortSide}
                                           : std::pair{MajorAxis, MinorAxis};
    for (std::size_t i = 0; i < standardSidesAndAxes.size(); ++i) {
        for (std::size_t j = 0; j <= i; ++j) {
            const DuctSection section{shape, sizeOf(standardSidesAndAxes[i]),
                                      sizeOf(standardSidesAndAxes[j])};
            if (maxAspect > 0 && double(section.first) / section.second > maxAspect) {
                continue;
            }
            Candidate size{{}, section};
            size.listTexts[longSlot] = standardSidesAndAxes[i];
            size.listTexts[shortSlot] = standardSidesAndAxes[j];
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
    std::vector<SizingRow> rows;
    for (const Candidate& size : candidates(inputs.shape, limits.maxAspect)) {
        SizingRow row{size.listTexts, state, {}, 1, false};
        recalculateWith(row.state, size.section, inputs.formula);
        row.texts = resultTexts(row.state, inputs.shape);
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
