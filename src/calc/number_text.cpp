#include "calc/number_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

namespace calc {

namespace {

// --- Reading -------------------------------------------------------------------------

// Walks a text while skipping the blanks that may stand anywhere inside a number.
class NumberCursor {
public:
    explicit NumberCursor(std::string_view text)
        : text_(text) {}

    char peek() {
        skipBlanks();
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }
    void advance() { ++pos_; }
    std::size_t position() {
        skipBlanks();
        return pos_;
    }
    void rewind(std::size_t pos) { pos_ = pos; }

private:
    void skipBlanks() {
        while (pos_ < text_.size() &&
               (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n')) {
            ++pos_;
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Exponent digits saturate here. No text holds anywhere near this many digits, so a
// saturated exponent still outweighs the shift of any mantissa ("0.<200000 zeros>1e200000"
// reads 0.1), and the exponent arithmetic stays far from integer overflow.
constexpr std::int64_t exponentClamp = std::numeric_limits<std::int64_t>::max() / 100;

// Reads an exponent's digits, saturating at the clamp ("1e99999999999" is just huge).
std::int64_t readExponentDigits(NumberCursor& cursor) {
    std::int64_t value = 0;
    while (isDigit(cursor.peek())) {
        value = std::min(exponentClamp, value * 10 + (cursor.peek() - '0'));
        cursor.advance();
    }
    return value;
}

// The optional exponent part; a lone "e", "e+" or "e-" is not one and reads nothing.
std::int64_t readExponent(NumberCursor& cursor) {
    const std::size_t start = cursor.position();
    const char e = cursor.peek();
    if (e != 'e' && e != 'E') {
        return 0;
    }
    cursor.advance();
    bool negative = false;
    if (cursor.peek() == '+' || cursor.peek() == '-') {
        negative = cursor.peek() == '-';
        cursor.advance();
    }
    if (!isDigit(cursor.peek())) {
        cursor.rewind(start);
        return 0;
    }
    const std::int64_t value = readExponentDigits(cursor);
    return negative ? -value : value;
}

// Significant digits without leading zeros, and the power of ten of the last one.
struct DecimalNumber {
    bool negative = false;
    std::string digits;
    std::int64_t exponent = 0;
};

// Reads the mantissa's digits and point; false when no digit is present.
bool readMantissa(NumberCursor& cursor, DecimalNumber& number) {
    bool anyDigit = false;
    bool afterPoint = false;
    for (char c = cursor.peek();; c = cursor.peek()) {
        if (isDigit(c)) {
            anyDigit = true;
            if (!(number.digits.empty() && c == '0')) {
                number.digits.push_back(c);
            }
            if (afterPoint) {
                --number.exponent;
            }
        } else if (c == '.' && !afterPoint) {
            afterPoint = true;
        } else {
            return anyDigit;
        }
        cursor.advance();
    }
}

double toDouble(const DecimalNumber& number) {
    const double zero = number.negative ? -0.0 : 0.0;
    const double infinity = number.negative ? -std::numeric_limits<double>::infinity()
                                            : std::numeric_limits<double>::infinity();
    if (number.digits.empty()) {
        return zero;
    }
    // Decimal order of the leading digit; doubles span about 1E-324 to 1.8E+308.
    const auto order = number.exponent + static_cast<std::int64_t>(number.digits.size()) - 1;
    if (order > 310) {
        return infinity;
    }
    if (order < -330) {
        return zero;
    }
    const std::string text =
        (number.negative ? "-" : "") + number.digits + "e" + std::to_string(number.exponent);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        return order > 0 ? infinity : zero;
    }
    return value;
}

// --- Writing -------------------------------------------------------------------------

constexpr int significantDigits = 7;

// |x| rounded to 7 significant digits: the digits without trailing zeros, and the
// decimal exponent of the first one (value = d.ddd x 10^exponent).
struct RoundedDecimal {
    std::string digits;
    int exponent = 0;
};

// Unsigned 128-bit arithmetic holds every scaled float below exactly (see scaledDown).
__extension__ typedef unsigned __int128 Wide;

// 5^0 ... 5^51: enough to scale the smallest subnormal, 1.4E-45, up to 7 digits.
constexpr auto powersOfFive = [] {
    std::array<Wide, 52> powers{};
    powers[0] = 1;
    for (std::size_t i = 1; i < powers.size(); ++i) {
        powers[i] = powers[i - 1] * 5;
    }
    return powers;
}();

// The exact value of a positive finite float: significand x 2^exponent.
struct BinaryValue {
    std::uint32_t significand = 0;
    int exponent = 0;
};

BinaryValue exactValue(float magnitude) {
    const auto bits = std::bit_cast<std::uint32_t>(magnitude);
    const auto biasedExponent = static_cast<int>(bits >> 23);
    const std::uint32_t fraction = bits & 0x7fffffu;
    if (biasedExponent == 0) {
        return {fraction, -149}; // subnormal
    }
    return {fraction | 0x800000u, biasedExponent - 150};
}

// value / 10^power cut to a whole number, and whether the part cut off is at least 1/2.
struct ScaledValue {
    std::uint64_t whole = 0;
    bool halfOrMore = false;
};

// Exact in integers: value / 10^power = significand x 5^-power x 2^(exponent - power).
// Scaling up multiplies by 5^-power and shifts: the smaller the float, the higher that
// power (up to 5^51) but the fewer its significand's bits, and the product stays below
// 2^128. Scaling down divides by 5^power (power up to 32) and any remaining power of two.
ScaledValue scaledDown(const BinaryValue& value, int power) {
    const int twos = value.exponent - power;
    if (power <= 0) {
        const Wide scaled = Wide{value.significand} * powersOfFive[-power];
        if (twos >= 0) {
            return {static_cast<std::uint64_t>(scaled << twos), false};
        }
        return {static_cast<std::uint64_t>(scaled >> -twos), ((scaled >> (-twos - 1)) & 1) != 0};
    }
    const Wide numerator = Wide{value.significand} << std::max(twos, 0);
    const Wide denominator = powersOfFive[power] << std::max(-twos, 0);
    const Wide remainder = numerator % denominator;
    return {static_cast<std::uint64_t>(numerator / denominator), 2 * remainder >= denominator};
}

constexpr std::uint64_t smallestOf7Digits = 1000000;
constexpr std::uint64_t smallestOf8Digits = 10000000;

// Rounds from the exact binary value of the float, with an exact tie going away from
// zero: 845445.25 -> 845445.3. The decimal exponent is guessed from the binary one and
// corrected until the value scaled by it has exactly 7 digits before the point.
RoundedDecimal roundToSignificant(float magnitude) {
    const BinaryValue value = exactValue(magnitude);
    const int binaryExponent = value.exponent + std::bit_width(value.significand) - 1;
    int exponent = (binaryExponent * 78913) >> 18; // floor(binaryExponent x lg 2), near enough
    ScaledValue scaled = scaledDown(value, exponent - (significantDigits - 1));
    while (scaled.whole < smallestOf7Digits || scaled.whole >= smallestOf8Digits) {
        exponent += scaled.whole < smallestOf7Digits ? -1 : 1;
        scaled = scaledDown(value, exponent - (significantDigits - 1));
    }
    std::uint64_t rounded = scaled.whole + (scaled.halfOrMore ? 1 : 0);
    if (rounded == smallestOf8Digits) { // 9999999.5 -> 1.000000E+07
        rounded = smallestOf7Digits;
        ++exponent;
    }
    std::string digits = std::to_string(rounded);
    digits.erase(digits.find_last_not_of('0') + 1);
    return {digits, exponent};
}

std::string scientific(const RoundedDecimal& d) {
    std::string text(1, d.digits[0]);
    if (d.digits.size() > 1) {
        text += '.';
        text += d.digits.substr(1);
    }
    text += d.exponent < 0 ? "E-" : "E+";
    const std::string power = std::to_string(std::abs(d.exponent));
    text += power.size() < 2 ? "0" + power : power;
    return text;
}

std::string positional(const RoundedDecimal& d, bool zeroBeforePoint) {
    const auto count = static_cast<int>(d.digits.size());
    if (d.exponent < 0) {
        return (zeroBeforePoint ? "0." : ".") + std::string(-d.exponent - 1, '0') + d.digits;
    }
    if (count <= d.exponent + 1) {
        return d.digits + std::string(d.exponent + 1 - count, '0');
    }
    return d.digits.substr(0, d.exponent + 1) + "." + d.digits.substr(d.exponent + 1);
}

// The magnitude's text shared by both rules; x is finite.
std::string magnitudeText(float x, bool zeroBeforePoint) {
    if (x == 0.0f) {
        return "0";
    }
    const RoundedDecimal d = roundToSignificant(std::fabs(x));
    if (d.exponent < -4 || d.exponent >= significantDigits) {
        return scientific(d);
    }
    return positional(d, zeroBeforePoint);
}

// The shortest decimal that reads back as x, in the boxes' scientific notation:
// 3.5e38 -> "3.5E+38".
std::string shortestScientific(double x) {
    std::array<char, 32> buffer{};
    const char* end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x,
                                    std::chars_format::scientific)
                          .ptr;
    const std::string_view text(buffer.data(), end);
    const std::size_t e = text.find('e');
    std::string digits(text.substr(0, e));
    std::erase(digits, '.');
    int exponent = 0;
    std::from_chars(text.data() + e + 2, end, exponent);
    return scientific({digits, text[e + 1] == '-' ? -exponent : exponent});
}

} // namespace

double parseNumber(std::string_view text) {
    NumberCursor cursor(text);
    DecimalNumber number;
    if (cursor.peek() == '+' || cursor.peek() == '-') {
        number.negative = cursor.peek() == '-';
        cursor.advance();
    }
    if (!readMantissa(cursor, number)) {
        return 0.0;
    }
    number.exponent += readExponent(cursor);
    return toDouble(number);
}

std::string formatResult(float x) {
    if (!std::isfinite(x)) {
        return std::string(overflowText);
    }
    // Minus zero is not negative: it reads " 0".
    std::string text(1, x < 0.0f ? '-' : ' ');
    return text.append(magnitudeText(x, false));
}

std::string formatPlain(float x) {
    if (!std::isfinite(x)) {
        return {};
    }
    std::string text = x < 0.0f ? "-" : "";
    return text.append(magnitudeText(x, true));
}

std::string absoluteText(std::string_view entry) {
    const double magnitude = std::fabs(parseNumber(entry));
    const auto stored = static_cast<float>(magnitude);
    if (std::isfinite(stored)) {
        return formatPlain(stored);
    }
    // Beyond the float range formatPlain has no text; the 64-bit number still has one.
    if (std::isfinite(magnitude)) {
        return shortestScientific(magnitude);
    }
    // Beyond the 64-bit range too: the entry without its sign reads as +infinity. A negative
    // entry starts with its sign, blanks aside.
    std::string text(entry);
    if (const std::size_t sign = text.find('-'); sign != std::string::npos) {
        text.erase(sign, 1);
    }
    return text;
}

} // namespace calc
