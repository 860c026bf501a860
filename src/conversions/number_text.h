// The four conversions between numbers and text that the report, the
// catalogue file and the windows share. Text is UTF-8; the decimal separator
// is always "." whatever the locale.
//
// Patterns are made of "#" and "0" with at most one ".":
//   "###0.00"   160.456 -> 160.46     "##.#####0" 0.5  -> .500000
//   "####.00"   0.5     -> .50        "####"      0    -> (empty)
//   "##0.0"     12345.6 -> 12345.6    "0.##0"     0.9  -> 0.900
// A float is first turned into its nearest decimal of 7 significant digits,
// then rounded to the pattern's decimals, halves away from zero.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvalt {

std::string FormatWithPattern(float value, std::string_view pattern);
std::string FormatWithPattern(std::int16_t value, std::string_view pattern);

// Same result as FormatWithPattern, appended to `out` (no temporary string).
void AppendWithPattern(std::string& out, float value, std::string_view pattern);
void AppendWithPattern(std::string& out, std::int16_t value, std::string_view pattern);

// General form: a blank for zero or positive values, "-" for negative ones,
// then at most 7 significant digits without trailing zeros and without a zero
// before the point (0.6 -> " .6", -15 -> "-15"). Magnitudes of 1e7 and more or
// below 0.001 use an exponent form such as " 1.5E-05".
std::string FormatPlainNumber(float value);
std::string FormatPlainNumber(std::int16_t value);

// Lenient: blanks, tabs and line feeds anywhere are ignored; reads the longest
// leading number (sign, digits, one ".", exponent with E or D); 0 if none.
double ParseLeadingNumber(std::string_view text);

// Strict: trims blanks at both ends; the rest must be one number as a whole
// (sign, digits, one ".", exponent with E). Rounded to float; nullopt when
// empty, malformed or outside the float range.
std::optional<float> ParseStrictNumber(std::string_view text);

} // namespace orvalt
