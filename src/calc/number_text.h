#pragma once

#include <string>
#include <string_view>

// The calculator's three rules for numbers in text. They never depend on the user's
// regional settings: the decimal point is always ".".
namespace calc {

// Reads the longest leading number of a text: an optional sign, digits with at most one
// ".", an optional exponent ("e" or "E", optional sign, at least one digit). Blanks,
// tabs and line feeds are skipped wherever they stand. Examples: " 1 2" -> 12,
// "12abc" -> 12, "1.5.3" -> 1.5, "1,5" -> 1, ".5" -> 0.5, "1e" -> 1, "-" -> 0.
// The result is the correctly rounded double of the digits read (+-infinity beyond
// the double range, +-0 below it).
double parseNumber(std::string_view text);

// What a result reads when its value is not finite.
inline constexpr std::string_view overflowText = "溢出";

// A float as a result caption: a leading blank unless negative, at most 7 significant
// digits, no "0" before the point (" .16"), scientific notation outside 1E-04 to
// 9999999 (" 1.506E-05"). A value that is not finite reads "溢出" (overflow).
std::string formatResult(float x);

// A float written back into an input box: like formatResult, but no leading blank and
// a "0" before the point ("0.5", "1.506E-05"). Not finite gives the empty text.
std::string formatPlain(float x);

// The text that corrects a refused negative entry: it reads as the absolute value of the
// number entered. formatPlain of that value as a float ("-12abc" -> "12"); beyond the float
// range the shortest text of the 64-bit value ("-3.5e38" -> "3.5E+38"), so a correction
// never empties its box and ends exactly as the same positive entry would.
std::string absoluteText(std::string_view entry);

} // namespace calc
