// The recalculation on arbitrary inputs. Input layout: one byte of choices (bit 0 the
// non-standard size box, bits 1-2 the shape, bit 3 the formula), then the 17 fields of
// the state as raw little-endian float bit patterns (non-finite values included), then
// the eleven texts separated by NUL bytes: flow, the five list texts, the five box texts.
// Missing bytes read as zero, missing texts as empty.
#include "calc/calculator_state.h"
#include "calc/number_text.h"
#include "calc/recalculation.h"
#include "fuzz_check.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace {

using calc::CalculatorState;
using calc::DuctShape;
using calc::RecalcInputs;
using calc::ResultRow;
using calc::ResultTexts;

constexpr std::size_t stateFieldCount = sizeof(CalculatorState) / sizeof(float);
static_assert(sizeof(CalculatorState) == stateFieldCount * sizeof(float));

struct Case {
    CalculatorState state;
    RecalcInputs inputs;
};

Case readCase(std::string_view bytes) {
    Case c;
    const auto choices = bytes.empty() ? 0u : static_cast<unsigned char>(bytes[0]);
    c.inputs.nonStandardSize = (choices & 1u) != 0;
    c.inputs.shape = static_cast<DuctShape>((choices >> 1 & 3u) % 3);
    c.inputs.formula =
        (choices & 8u) != 0 ? calc::FrictionFormula::Two : calc::FrictionFormula::One;
    bytes.remove_prefix(std::min<std::size_t>(1, bytes.size()));

    std::array<unsigned char, sizeof(CalculatorState)> raw{};
    const std::size_t stateBytes = std::min(raw.size(), bytes.size());
    std::memcpy(raw.data(), bytes.data(), stateBytes);
    c.state = std::bit_cast<CalculatorState>(raw);
    bytes.remove_prefix(stateBytes);

    std::array<std::string*, 11> texts{&c.inputs.flowText};
    for (std::size_t slot = 0; slot < calc::SizeSlotCount; ++slot) {
        texts[1 + slot] = &c.inputs.listTexts[slot];
        texts[1 + calc::SizeSlotCount + slot] = &c.inputs.boxTexts[slot];
    }
    for (std::string* text : texts) {
        const std::size_t end = std::min(bytes.find('\0'), bytes.size());
        *text = bytes.substr(0, end);
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
    }
    return c;
}

std::uint32_t bits(float x) {
    return std::bit_cast<std::uint32_t>(x);
}

bool sameBits(const CalculatorState& a, const CalculatorState& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool validUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto lead = static_cast<unsigned char>(s[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >> 5 == 6 ? 2 : lead >> 4 == 14 ? 3 : 0;
        if (length == 0 || i + length > s.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

bool mentionsNonFinite(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return text.find("inf") != std::string::npos || text.find("nan") != std::string::npos;
}

float readSize(const RecalcInputs& in, calc::SizeSlot slot) {
    const auto& texts = in.nonStandardSize ? in.boxTexts : in.listTexts;
    const auto value = static_cast<float>(calc::parseNumber(texts[slot]));
    return in.nonStandardSize ? value : std::fabs(value);
}

// The sizes of the chosen shape are read; the other shapes' sizes stay as they were.
void checkSizes(const CalculatorState& before, const CalculatorState& after,
                const RecalcInputs& in) {
    const auto expect = [&](float field, float old, calc::SizeSlot slot, bool read) {
        require(bits(field) == bits(read ? readSize(in, slot) : old),
                "the recalculation stores the sizes of the chosen shape and no other");
    };
    const bool circular = in.shape == DuctShape::Circular;
    const bool rectangular = in.shape == DuctShape::Rectangular;
    const bool elliptic = in.shape == DuctShape::Elliptic;
    expect(after.diam, before.diam, calc::Diameter, circular);
    expect(after.rectLong, before.rectLong, calc::LongSide, rectangular);
    expect(after.rectShort, before.rectShort, calc::ShortSide, rectangular);
    expect(after.ellMajor, before.ellMajor, calc::MajorAxis, elliptic);
    expect(after.ellMinor, before.ellMinor, calc::MinorAxis, elliptic);
}

void checkFields(const CalculatorState& before, const CalculatorState& after,
                 const RecalcInputs& in) {
    for (const auto& [field, old] : {std::pair{after.visc, before.visc},
                                     {after.dens, before.dens},
                                     {after.rough, before.rough},
                                     {after.flowFactor, before.flowFactor}}) {
        require(bits(field) == bits(old), "recalculation never writes what the handlers own");
    }
    const auto flow = static_cast<float>(before.flowFactor * calc::parseNumber(in.flowText));
    require(bits(after.flow) == bits(flow), "flow is the factor times the flow text");
    checkSizes(before, after, in);
    const float vel =
        after.area > 0.0f ? static_cast<float>(after.flow / 3600.0 / after.area) : before.vel;
    require(bits(after.vel) == bits(vel), "vel is flow / 3600 / area, or kept without an area");
}

// A number shown in a result has 7 significant digits: read back, it lies within half a
// unit of its 7th digit of the stored value, 5E-07 of the value or less (" .16" for 0.16,
// " 1.506E-05" for 0.00001506). A value that is not finite shows "溢出".
bool showsValue(std::string_view text, float value) {
    if (!std::isfinite(value)) {
        return text == "溢出";
    }
    const double shown = calc::parseNumber(text);
    return std::fabs(shown - value) <= 5.0000001e-7 * std::fabs(value);
}

// A value with its unit after it; an overflowed value reads "溢出" alone.
bool showsQuantity(std::string_view text, float value, std::string_view unit) {
    if (!std::isfinite(value)) {
        return text == "溢出";
    }
    return text.ends_with(unit) && showsValue(text.substr(0, text.size() - unit.size()), value);
}

// Two sizes shown after their prefixes: "φ 250", " 1000 * 500", "长径 1000 短径 800".
bool showsSizes(std::string_view text, std::string_view prefix, float first,
                std::string_view separator, float second) {
    if (!text.starts_with(prefix)) {
        return false;
    }
    text.remove_prefix(prefix.size());
    if (separator.empty()) {
        return showsValue(text, first);
    }
    const std::size_t split = text.find(separator);
    return split != std::string_view::npos && showsValue(text.substr(0, split), first) &&
           showsValue(text.substr(split + separator.size()), second);
}

bool showsSize(std::string_view text, const CalculatorState& s, DuctShape shape) {
    switch (shape) {
    case DuctShape::Circular:
        return showsSizes(text, "φ", s.diam, "", 0);
    case DuctShape::Rectangular:
        return showsSizes(text, "", s.rectLong, " *", s.rectShort);
    case DuctShape::Elliptic:
        return showsSizes(text, "长径", s.ellMajor, " 短径", s.ellMinor);
    }
    return false;
}

// Every row is valid UTF-8, never spells out an infinity or NaN, and shows, read back,
// the stored field it belongs to; without an area the velocity row asks for a size.
void checkTexts(const CalculatorState& s, const RecalcInputs& in, const ResultTexts& texts) {
    for (const std::string& text : texts) {
        require(validUtf8(text), "rows are valid UTF-8", text);
        require(!mentionsNonFinite(text), "rows never show inf or nan", text);
    }
    const auto row = [&](ResultRow r) { return std::string_view(texts[calc::index(r)]); };
    const auto quantity = [&](ResultRow r, float value, std::string_view unit) {
        require(showsQuantity(row(r), value, unit), "a row shows its stored field", row(r));
    };
    quantity(ResultRow::Roughness, s.rough, "");
    quantity(ResultRow::Flow, s.flow, " m3/h");
    require(showsSize(row(ResultRow::Size), s, in.shape), "the size row shows the sizes",
            row(ResultRow::Size));
    quantity(ResultRow::EquivalentDiameter, s.dEq, " m");
    quantity(ResultRow::Density, s.dens, " kg/m3");
    quantity(ResultRow::Viscosity, s.visc, " m2/s");
    if (s.area > 0.0f) {
        quantity(ResultRow::Velocity, s.vel, " m/s");
    } else {
        require(row(ResultRow::Velocity) == "请输入风管尺寸", "without an area a size is asked for",
                row(ResultRow::Velocity));
    }
    quantity(ResultRow::ReynoldsNumber, s.reyn, "");
    quantity(ResultRow::FrictionLoss, s.rSpec, " Pa/m");
    quantity(ResultRow::DynamicPressure, s.pDyn, " Pa");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Case c = readCase(std::string_view(reinterpret_cast<const char*>(data), size));
    const CalculatorState before = c.state;
    const ResultTexts texts = calc::recalculate(c.state, c.inputs);
    checkFields(before, c.state, c.inputs);
    checkTexts(c.state, c.inputs, texts);

    const CalculatorState first = c.state;
    const ResultTexts again = calc::recalculate(c.state, c.inputs);
    require(sameBits(first, c.state) && texts == again,
            "a second recalculation with unchanged inputs changes nothing");
    return 0;
}
