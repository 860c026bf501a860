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

#include <cstddef>
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

// A pattern taken apart once, for callers that write many numbers with the
// same pattern (the report's table). Characters other than "#", "0" and "."
// are no placeholders and are ignored.
struct NumberPattern {
    int minIntegerDigits = 0; // "0" placeholders before the point
    int decimals = 0;         // placeholders after the point
    int minDecimals = 0;      // decimals up to and including the last "0"

    constexpr explicit NumberPattern(std::string_view pattern)
    {
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

// Lenient: blanks, tabs and line feeds anywhere are ignored; reads the longest
// leading number (sign, digits, one ".", exponent with E or D); 0 if none.
double ParseLeadingNumber(std::string_view text);

// Strict: trims blanks at both ends; the rest must be one number as a whole
// (sign, digits, one ".", exponent with E). Rounded to float; nullopt when
// empty, malformed or outside the float range.
std::optional<float> ParseStrictNumber(std::string_view text);

// Whether `text`, untrimmed, is one number as ParseStrictNumber reads it,
// whatever its size: tells a malformed text from one beyond the float range.
bool IsNumberText(std::string_view text);

} // namespace orvalt
