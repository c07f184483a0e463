// The recalculation v on arbitrary inputs. Input layout: one byte of choices (bit 0 the
// non-standard size box, bits 1-2 the shape, bit 3 the formula), then the 18 fields of
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
using calc::ResultCaptions;

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
                "v stores the sizes of the chosen shape and no other");
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
                                     {after.flowFactor, before.flowFactor},
                                     {after.inVal, before.inVal}}) {
        require(bits(field) == bits(old), "v never writes what the handlers own");
    }
    const auto flow = static_cast<float>(before.flowFactor * calc::parseNumber(in.flowText));
    require(bits(after.flow) == bits(flow), "flow is the factor times the flow text");
    checkSizes(before, after, in);
    const float vel =
        after.area > 0.0f ? static_cast<float>(after.flow / 3600.0 / after.area) : before.vel;
    require(bits(after.vel) == bits(vel), "vel is flow / 3600 / area, or kept without an area");
}

std::string sizeCaption(const CalculatorState& s, DuctShape shape) {
    using calc::formatResult;
    switch (shape) {
    case DuctShape::Circular:
        return "φ" + formatResult(s.diam);
    case DuctShape::Rectangular:
        return formatResult(s.rectLong) + " *" + formatResult(s.rectShort);
    case DuctShape::Elliptic:
        return "长径" + formatResult(s.ellMajor) + " 短径" + formatResult(s.ellMinor);
    }
    return {};
}

// A value with its unit; an overflowed value reads "溢出" alone.
std::string shown(float value, const char* unit) {
    return std::isfinite(value) ? calc::formatResult(value) + unit : calc::formatResult(value);
}

// Every caption shows the stored field it belongs to, in valid UTF-8, and never a
// spelled-out infinity or NaN.
void checkCaptions(const CalculatorState& s, const RecalcInputs& in, const ResultCaptions& c) {
    const std::string velocity =
        s.area > 0.0f ? shown(s.vel, " m/s") : std::string("请输入风管尺寸");
    const ResultCaptions expected{{
        {"Label13", shown(s.rough, "")},
        {"Label10", shown(s.flow, " m3/h")},
        {"Label6", sizeCaption(s, in.shape)},
        {"Label17", shown(s.dEq, " m")},
        {"Label26", shown(s.dens, " kg/m3")},
        {"Label24", shown(s.visc, " m2/s")},
        {"Label7", velocity},
        {"Label15", shown(s.reyn, "")},
        {"Label11", shown(s.rSpec, " Pa/m")},
        {"Label21", shown(s.pDyn, " Pa")},
    }};
    for (std::size_t row = 0; row < c.size(); ++row) {
        require(validUtf8(c[row].text), "captions are valid UTF-8", c[row].text);
        require(!mentionsNonFinite(c[row].text), "captions never show inf or nan", c[row].text);
        require(c[row].label == expected[row].label, "caption rows in order", c[row].label);
        require(c[row].text == expected[row].text, "caption shows its stored field", c[row].text);
    }
}

bool sameCaptions(const ResultCaptions& a, const ResultCaptions& b) {
    return std::equal(a.begin(), a.end(), b.begin(), [](const auto& x, const auto& y) {
        return x.label == y.label && x.text == y.text;
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Case c = readCase(std::string_view(reinterpret_cast<const char*>(data), size));
    const CalculatorState before = c.state;
    const ResultCaptions captions = calc::v(c.state, c.inputs);
    checkFields(before, c.state, c.inputs);
    checkCaptions(c.state, c.inputs, captions);

    const CalculatorState first = c.state;
    const ResultCaptions again = calc::v(c.state, c.inputs);
    require(sameBits(first, c.state) && sameCaptions(captions, again),
            "a second v with unchanged inputs changes nothing");
    return 0;
}
