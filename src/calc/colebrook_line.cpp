#include "calc/colebrook_line.h"

#include "calc/number_text.h"
#include "hydraulics/colebrook.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace calc {

namespace {

// Room for any finite double in fixed notation with one decimal.
using NumberBuffer = std::array<char, std::numeric_limits<double>::max_exponent10 + 8>;

// Four significant digits with an upper-case exponent ("2.307", "1.234E-05"); to_chars
// never follows the user's regional settings.
std::string fourDigits(double x) {
    NumberBuffer buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x,
                                   std::chars_format::general, 4)
                         .ptr;
    std::string text(buffer.data(), end);
    std::replace(text.begin(), text.end(), 'e', 'E');
    return text;
}

// A signed percentage to 0.1 % with a true minus sign: "−19.4%", "+3.0%", "0.0%".
std::string percentage(double percent) {
    NumberBuffer buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(percent),
                                   std::chars_format::fixed, 1)
                         .ptr;
    const std::string digits(buffer.data(), end);
    if (digits == "0.0") {
        return digits + "%";
    }
    return (percent < 0.0 ? "−" : "+") + digits + "%";
}

// The state's loss with the reference factor; infinite once its Reynolds number overflowed.
hydraulics::Result referenceLoss(const CalculatorState& s) {
    if (!std::isfinite(s.reyn)) {
        return std::numeric_limits<double>::infinity();
    }
    return hydraulics::colebrookLoss(s.rough, s.dEq, s.reyn, s.vel, s.dens);
}

// The loss to 4 significant digits, "溢出" when not finite, empty without a value.
std::string lossText(const hydraulics::Result& loss) {
    if (!loss) {
        return {};
    }
    return std::isfinite(*loss) ? fourDigits(*loss) : std::string(overflowText);
}

} // namespace

std::string colebrookLossText(const CalculatorState& s) {
    return lossText(referenceLoss(s));
}

std::string colebrookLine(const CalculatorState& s) {
    const hydraulics::Result loss = referenceLoss(s);
    if (!loss) {
        return "Colebrook-White 公式仅适用于紊流（Re ≥ 4000）";
    }
    std::string line = "Colebrook-White: " + lossText(loss);
    if (!std::isfinite(*loss)) {
        return line;
    }
    line += " Pa/m";
    // The state's loss is a float that may have overflowed where the reference did not.
    const double deviation = 100.0 * (s.rSpec / *loss - 1.0);
    if (std::isfinite(deviation)) {
        line += "（当前公式 " + percentage(deviation) + "）";
    }
    return line;
}

} // namespace calc
