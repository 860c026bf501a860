// Reading numbers from text, always as a whole number or nothing: the number
// boxes of the windows (ReadBoxNumber, which also takes the full-width
// characters a Japanese input method types) and the catalogue file's number
// lines (ParseStrictNumber). The decimal separator is always "." whatever the
// locale.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvalt {

// `text` without the characters of `blanks` at either end.
std::string_view TrimBlanks(std::string_view text, std::string_view blanks = " ");

// One number box of a window, as typed (UTF-8). The full-width digits ０-９,
// signs ＋ － (and the minus sign −), point ．and exponent letters Ｅ ｅ read
// as their ASCII twins; blanks (U+0020, U+3000, tab) at either end are
// ignored. What remains must be one number as a whole: a sign, digits with at
// most one ".", optionally E or e, a sign and digits. nullopt for anything
// else ("1,000", "8400x", "abc", "nan", "inf", "1 000") and for an empty box.
// A number beyond the double range ("1E400") gives an infinity of its sign,
// one too small for a double gives 0: the caller checks the range of the
// field it fills.
std::optional<double> ReadBoxNumber(std::string_view text);

// The number that ReadBoxNumber reads, as plain ASCII text ("－１５．５" ->
// "-15.5"), for a caller that rounds it straight to float with
// ParseStrictNumber; nullopt when ReadBoxNumber reads none.
std::optional<std::string> BoxNumberText(std::string_view text);

// Strict: trims blanks at both ends; the rest must be one number as a whole
// (sign, digits, one ".", exponent with E). Rounded to float; nullopt when
// empty, malformed or outside the float range.
std::optional<float> ParseStrictNumber(std::string_view text);

// Whether `text`, untrimmed, is one number as ParseStrictNumber reads it,
// whatever its size: tells a malformed text from one beyond the float range.
bool IsNumberText(std::string_view text);

} // namespace orvalt
