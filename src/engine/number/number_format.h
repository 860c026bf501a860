// Writing numbers as text: by a digit pattern for the report and the wire
// value boxes, and in the plain general form for the condition boxes, the
// result window's caption and the catalogue file. Text is UTF-8 (in fact
// ASCII); the decimal separator is always "." whatever the locale.
//
// Patterns are made of "#" and "0" with at most one ".":
//   "###0.00"   160.456 -> 160.46     "##.#####0" 0.5  -> .500000
//   "####.00"   0.5     -> .50        "####"      0    -> (empty)
//   "##0.0"     12345.6 -> 12345.6    "0.##0"     0.9  -> 0.900
// A float is first turned into its nearest decimal of 7 significant digits,
// then rounded to the pattern's decimals, halves away from zero.
//
// A negative value that rounds to zero is written without its "-":
//   -0.0004 with "#0.000" -> 0.000     -0.04 with "##0.0" -> 0.0
//   -0.4 with "##" -> (empty)          -0.0 with "####.00" -> .00
// This is deliberate and must stay: a report column reading "-0.000" looks
// like a fault to the engineer, and the report's bytes are compared with
// earlier reports. Only values that keep a nonzero digit carry the sign.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvalt {

std::string FormatWithPattern(float value, std::string_view pattern);
std::string FormatWithPattern(std::int16_t value, std::string_view pattern);

// Same result as FormatWithPattern, appended to `out` (no temporary string).
void AppendWithPattern(std::string& out, float value, std::string_view pattern);
void AppendWithPattern(std::string& out, std::int16_t value, std::string_view pattern);

// A pattern taken apart once, for callers that write many numbers with the
// same pattern (the report's table). Characters other than "#", "0" and "."
// are no placeholders and are ignored.
struct NumberPattern {
    int minIntegerDigits = 0; // "0" placeholders before the point
    int decimals = 0;         // placeholders after the point
    int minDecimals = 0;      // decimals up to and including the last "0"

    constexpr explicit NumberPattern(std::string_view pattern) {
        bool afterPoint = false;
        for (const char c : pattern) {
            if (c == '.') {
                afterPoint = true;
            } else if (c == '0' || c == '#') {
                if (afterPoint) {
                    ++decimals;
                    if (c == '0') {
                        minDecimals = decimals;
                    }
                } else if (c == '0') {
                    ++minIntegerDigits;
                }
            }
        }
    }
};

// Appends the text of FormatWithPattern right-aligned in `width` characters:
// preceded by blanks up to that width, written whole when it is longer.
void AppendWithPattern(std::string& out, float value, const NumberPattern& pattern,
                       std::size_t width = 0);
void AppendWithPattern(std::string& out, std::int16_t value, const NumberPattern& pattern,
                       std::size_t width = 0);

// General form: a blank for zero or positive values, "-" for negative ones,
// then at most 7 significant digits without trailing zeros and without a zero
// before the point (0.6 -> " .6", -15 -> "-15"). Magnitudes of 1e7 and more or
// below 0.001 use an exponent form such as " 1.5E-05".
std::string FormatPlainNumber(float value);
std::string FormatPlainNumber(std::int16_t value);

// FormatPlainNumber where its text reads back (ParseStrictNumber) as the very
// same float, and always from 0.001 to below 10,000,000. Outside that range a
// value whose seven digits would read back as another float (near 1e28, in
// [9.31e-10, 1e-9), ...) is written with the shortest digits that read back
// exactly, in the same exponent form (" 1.0000001E+28"). So writing what was
// read gives the same text again, for every float.
std::string FormatPlainNumberExactly(float value);

} // namespace orvalt
