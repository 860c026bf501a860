// Reading numbers from text: leniently, as far as the text is a number (the
// wire settings window's value boxes, the condition boxes), or strictly, as a
// whole number or nothing (the conditions window's wire constants, the
// catalogue file's number lines). The decimal separator is always "."
// whatever the locale.
#pragma once

#include <optional>
#include <string_view>

namespace orvalt {

// Lenient: blanks, tabs and line feeds anywhere are ignored; reads the longest
// leading number (sign, digits, one ".", exponent with E or D); 0 if none.
// Never NaN: text such as "nan" or "inf" has no leading number and gives 0.
// A number beyond the double range ("1E400") gives an infinity of its sign,
// one too small for a double gives 0. The result may well lie outside the
// float range: a caller that stores a float checks it first.
double ParseLeadingNumber(std::string_view text);

// Strict: trims blanks at both ends; the rest must be one number as a whole
// (sign, digits, one ".", exponent with E). Rounded to float; nullopt when
// empty, malformed or outside the float range.
std::optional<float> ParseStrictNumber(std::string_view text);

// Whether `text`, untrimmed, is one number as ParseStrictNumber reads it,
// whatever its size: tells a malformed text from one beyond the float range.
bool IsNumberText(std::string_view text);

} // namespace orvalt
