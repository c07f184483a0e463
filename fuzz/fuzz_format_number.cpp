// formatResult and formatPlain on arbitrary 32-bit patterns (NaN, infinities and
// subnormals included). Each 4 bytes of the input are one float. Checked: the text has
// one of the allowed forms, shows exactly the float rounded to 7 significant digits
// (ties away from zero), and reads back through parseNumber as that rounded value.
#include "calc/number_text.h"
#include "fuzz_check.h"

#include <bit>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t maxSignificantDigits = 7;

// A non-zero decimal: significant digits without leading or trailing zeros, and the
// decimal exponent of the first one.
struct Decimal {
    std::string digits;
    int exponent = 0;
    bool operator==(const Decimal&) const = default;
};

void dropTrailingZeros(std::string& digits) {
    digits.erase(digits.find_last_not_of('0') + 1);
}

// |x| rounded to 7 significant digits, from the C library's printf, which rounds
// correctly in the current rounding mode. An exact tie must go away from zero; printf
// rounds ties to even, so a tie is rounded upwards instead (the magnitude is positive).
Decimal referenceRounding(float magnitude) {
    char exact[200];
    // 150 digits after the first hold the whole binary value of any float.
    std::snprintf(exact, sizeof exact, "%.150e", static_cast<double>(magnitude));
    const std::string_view afterSeventh(exact + 1 + maxSignificantDigits,
                                        std::strchr(exact, 'e') - exact - 1 - maxSignificantDigits);
    const bool tie = afterSeventh.front() == '5' &&
                     afterSeventh.find_first_not_of('0', 1) == std::string_view::npos;
    char rounded[32];
    if (tie) {
        std::fesetround(FE_UPWARD);
    }
    std::snprintf(rounded, sizeof rounded, "%.6e", static_cast<double>(magnitude));
    std::fesetround(FE_TONEAREST);
    // rounded reads "d.dddddde+XX".
    Decimal d;
    d.digits.push_back(rounded[0]);
    d.digits.append(rounded + 2, maxSignificantDigits - 1);
    dropTrailingZeros(d.digits);
    d.exponent = std::atoi(std::strchr(rounded, 'e') + 1);
    return d;
}

bool allDigits(std::string_view s) {
    return s.find_first_not_of("0123456789") == std::string_view::npos;
}

// "d", "d.ddd" then "E", a sign and at least two digits without a superfluous zero.
std::optional<Decimal> readScientific(std::string_view mantissa, std::string_view power) {
    if (mantissa.empty() || mantissa[0] < '1' || mantissa[0] > '9') {
        return std::nullopt;
    }
    std::string digits(1, mantissa[0]);
    if (mantissa.size() > 1) {
        const std::string_view fraction = mantissa.substr(2);
        if (mantissa[1] != '.' || fraction.empty() || !allDigits(fraction) ||
            fraction.back() == '0') {
            return std::nullopt;
        }
        digits.append(fraction);
    }
    if (power.size() < 3 || (power[0] != '+' && power[0] != '-') || !allDigits(power.substr(1)) ||
        (power.size() > 3 && power[1] == '0')) {
        return std::nullopt;
    }
    const int magnitude = std::atoi(std::string(power.substr(1)).c_str());
    return Decimal{digits, power[0] == '-' ? -magnitude : magnitude};
}

// Digits with at most one point; before the point either nothing or "0" (as the rule
// wants) for a value below 1, else digits without a leading zero.
std::optional<Decimal> readPositional(std::string_view body, bool zeroBeforePoint) {
    const std::size_t point = body.find('.');
    const std::string_view integer = body.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : body.substr(point + 1);
    if (!allDigits(integer) || !allDigits(fraction)) {
        return std::nullopt;
    }
    if (point != std::string_view::npos && (fraction.empty() || fraction.back() == '0')) {
        return std::nullopt;
    }
    const std::string_view belowOne = zeroBeforePoint ? "0" : "";
    if (integer == belowOne) {
        if (fraction.empty()) {
            return std::nullopt;
        }
        const std::size_t zeros = fraction.find_first_not_of('0');
        if (zeros == std::string_view::npos) {
            return std::nullopt;
        }
        return Decimal{std::string(fraction.substr(zeros)), -static_cast<int>(zeros) - 1};
    }
    if (integer.empty() || integer[0] == '0') {
        return std::nullopt;
    }
    std::string digits = std::string(integer) + std::string(fraction);
    dropTrailingZeros(digits);
    return Decimal{digits, static_cast<int>(integer.size()) - 1};
}

// The decimal that a non-zero number's text shows, if the text has an allowed form.
std::optional<Decimal> readShown(std::string_view body, bool zeroBeforePoint) {
    const std::size_t e = body.find('E');
    const bool scientific = e != std::string_view::npos;
    const std::optional<Decimal> shown = scientific
                                             ? readScientific(body.substr(0, e), body.substr(e + 1))
                                             : readPositional(body, zeroBeforePoint);
    if (!shown || shown->digits.size() > maxSignificantDigits) {
        return std::nullopt;
    }
    const bool outsidePositionalRange = shown->exponent < -4 || shown->exponent >= 7;
    if (scientific != outsidePositionalRange) {
        return std::nullopt;
    }
    return shown;
}

// Checks one rule's text of a finite x: sign, form and digits.
void checkFiniteText(float x, const std::string& text, std::string_view nonNegativeSign,
                     bool zeroBeforePoint, std::string_view rule) {
    const std::string_view sign = x < 0.0f ? "-" : nonNegativeSign;
    require(text.starts_with(sign), rule, text);
    const std::string_view body = std::string_view(text).substr(sign.size());
    if (x == 0.0f) {
        require(body == "0", rule, text);
        return;
    }
    const std::optional<Decimal> shown = readShown(body, zeroBeforePoint);
    require(shown.has_value(), rule, text);
    require(*shown == referenceRounding(std::fabs(x)), rule, text);
}

// The float that the 7-digit rounding of x reads as once stored (+0 for either zero).
float referenceStored(float x) {
    if (x == 0.0f) {
        return 0.0f;
    }
    const Decimal d = referenceRounding(std::fabs(x));
    const std::string text = (x < 0.0f ? "-" : "") + d.digits + "e" +
                             std::to_string(d.exponent - static_cast<int>(d.digits.size()) + 1);
    return static_cast<float>(std::strtod(text.c_str(), nullptr));
}

void requireReadsBack(const std::string& text, float expected, std::string_view rule) {
    const float stored = static_cast<float>(calc::parseNumber(text));
    require(std::bit_cast<std::uint32_t>(stored) == std::bit_cast<std::uint32_t>(expected), rule,
            text);
}

void checkFloat(float x) {
    const std::string result = calc::formatResult(x);
    const std::string plain = calc::formatPlain(x);
    if (!std::isfinite(x)) {
        require(result == "溢出", "formatResult of a non-finite value is 溢出", result);
        require(plain.empty(), "formatPlain of a non-finite value is empty", plain);
        return;
    }
    checkFiniteText(x, result, " ", false, "formatResult has an allowed form and digits");
    checkFiniteText(x, plain, "", true, "formatPlain has an allowed form and digits");
    const float expected = referenceStored(x);
    requireReadsBack(plain, expected, "parseNumber(formatPlain(x)) is x rounded to 7 digits");
    requireReadsBack(result, expected, "parseNumber(formatResult(x)) is x rounded to 7 digits");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i + sizeof(float) <= size; i += sizeof(float)) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, data + i, sizeof bits);
        checkFloat(std::bit_cast<float>(bits));
    }
    return 0;
}
