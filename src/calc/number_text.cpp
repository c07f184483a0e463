#include "calc/number_text.h"

#include <algorithm>
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

// Rounds from the exact binary value of the float, with an exact tie going away from
// zero: 845445.25 -> 845445.3. A float has at most 112 significant decimal digits, so
// 120 digits after the first are its exact expansion and the 8th digit decides alone.
RoundedDecimal roundToSignificant(float magnitude) {
    char buffer[160];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(magnitude),
                      std::chars_format::scientific, 120);
    const std::string_view exact(buffer, static_cast<std::size_t>(result.ptr - buffer));
    // exact reads "d.ddd...e+XX".
    std::string digits;
    digits.push_back(exact[0]);
    digits.append(exact.substr(2, significantDigits - 1));
    // The exponent follows "e" and its sign, which to_chars always writes.
    const std::size_t ePos = exact.find('e');
    int exponent = 0;
    std::from_chars(exact.data() + ePos + 2, exact.data() + exact.size(), exponent);
    if (exact[ePos + 1] == '-') {
        exponent = -exponent;
    }
    if (exact[1 + significantDigits] >= '5') {
        int pos = significantDigits - 1;
        while (pos >= 0 && digits[pos] == '9') {
            digits[pos] = '0';
            --pos;
        }
        if (pos < 0) {
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++exponent;
        } else {
            ++digits[pos];
        }
    }
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
        return "溢出";
    }
    // Minus zero is not negative: it reads " 0".
    return (x < 0.0f ? "-" : " ") + magnitudeText(x, false);
}

std::string formatPlain(float x) {
    if (!std::isfinite(x)) {
        return {};
    }
    return (x < 0.0f ? "-" : "") + magnitudeText(x, true);
}

} // namespace calc
