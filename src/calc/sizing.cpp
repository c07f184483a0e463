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

// The product of the two sizes in mm, exact in 64 bits for every standard size. The stored
// areas are rounded to float, where two sizes of equal area may differ in the last bit.
double nominalArea(const DuctSection& section) {
    const double second = section.shape == DuctShape::Circular ? section.first : section.second;
    return double(section.first) * second;
}

std::vector<StandardSize> unorderedStandardSizes(DuctShape shape) {
    std::vector<StandardSize> sizes;
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
            StandardSize size{
                {}, {shape, sizeOf(standardSidesAndAxes[i]), sizeOf(standardSidesAndAxes[j])}};
            size.listTexts[longSlot] = standardSidesAndAxes[i];
            size.listTexts[shortSlot] = standardSidesAndAxes[j];
            sizes.push_back(size);
        }
    }
    return sizes;
}

std::vector<StandardSize> orderedStandardSizes(DuctShape shape) {
    std::vector<StandardSize> sizes = unorderedStandardSizes(shape);
    for (StandardSize& size : sizes) {
        size.area = sectionArea(size.section);
        size.aspect = aspectOf(size.section);
    }
    const auto areaThenAspect = [](const StandardSize& size) {
        return std::pair(nominalArea(size.section), size.aspect);
    };
    std::stable_sort(sizes.begin(), sizes.end(), [&](const StandardSize& a, const StandardSize& b) {
        return areaThenAspect(a) < areaThenAspect(b);
    });
    return sizes;
}

// A limit of 0 is off; an overflowed value meets no limit.
bool within(float value, double limit) {
    return std::isfinite(value) && (limit <= 0 || value <= limit);
}

} // namespace

double aspectOf(const DuctSection& section) {
    return section.shape == DuctShape::Circular ? 1 : double(section.first) / section.second;
}

bool keepsAspect(const StandardSize& size, double maxAspect) {
    return size.section.shape == DuctShape::Circular || maxAspect <= 0 || size.aspect <= maxAspect;
}

const std::vector<StandardSize>& standardSizes(DuctShape shape) {
    static const std::array<std::vector<StandardSize>, 3> sizes{
        orderedStandardSizes(DuctShape::Circular), orderedStandardSizes(DuctShape::Rectangular),
        orderedStandardSizes(DuctShape::Elliptic)};
    return sizes[std::size_t(shape)];
}

std::vector<SizingRow> sizingRows(const CalculatorState& state, const RecalcInputs& inputs,
                                  const SizingLimits& limits) {
    std::vector<SizingRow> rows;
    for (const StandardSize& size : standardSizes(inputs.shape)) {
        if (!keepsAspect(size, limits.maxAspect)) {
            continue;
        }
        SizingRow row{size.listTexts, state, {}, size.aspect, false};
        recalculateWith(row.state, size.section, inputs.formula);
        row.texts = resultTexts(row.state, inputs.shape);
        row.meetsLimits = within(row.state.vel, limits.maxVelocity) &&
                          within(row.state.rSpec, limits.maxFriction);
        rows.push_back(std::move(row));
    }
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
