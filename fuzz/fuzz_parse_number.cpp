// parseNumber on arbitrary bytes: never a crash, never NaN, and exactly the value that
// the C library's strtod gives for the same longest leading number once the blanks
// are dropped (an independent, correctly rounded reading).
#include "calc/number_text.h"
#include "fuzz_check.h"

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t skipDigits(const std::string& s, std::size_t i) {
    while (i < s.size() && isDigit(s[i])) {
        ++i;
    }
    return i;
}

// The sign, the mantissa and a complete exponent, as far as they stand at the start.
std::string leadingNumber(const std::string& s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        ++i;
    }
    const std::size_t integerStart = i;
    i = skipDigits(s, i);
    bool anyDigit = i > integerStart;
    if (i < s.size() && s[i] == '.') {
        const std::size_t fractionStart = ++i;
        i = skipDigits(s, i);
        anyDigit = anyDigit || i > fractionStart;
    }
    if (!anyDigit) {
        return {};
    }
    std::size_t end = i;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            ++j;
        }
        if (j < s.size() && isDigit(s[j])) {
            end = skipDigits(s, j);
        }
    }
    return s.substr(0, end);
}

double referenceReading(std::string_view text) {
    std::string withoutBlanks;
    for (const char c : text) {
        if (!isBlank(c)) {
            withoutBlanks.push_back(c);
        }
    }
    const std::string number = leadingNumber(withoutBlanks);
    return number.empty() ? 0.0 : std::strtod(number.c_str(), nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = calc::parseNumber(text);
    require(value == value, "parseNumber never gives NaN", text);
    require(std::bit_cast<std::uint64_t>(value) ==
                std::bit_cast<std::uint64_t>(referenceReading(text)),
            "parseNumber reads the correctly rounded leading number", text);
    return 0;
}
