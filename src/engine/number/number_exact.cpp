// FormatPlainNumberExactly: the plain form, widened where seven digits would
// not read back as the same float (see number_format.h).

#include <charconv>
#include <cmath>
#include <optional>
#include <string>

#include "engine/number/number_format.h"
#include "engine/number/number_parse.h"

namespace orvalt {

std::string FormatPlainNumberExactly(float value) {
    std::string text = FormatPlainNumber(value);
    const float magnitude = std::fabs(value);
    if (magnitude == 0.0f || (magnitude >= 0.001f && magnitude < 1e7f)) {
        return text;
    }
    if (const std::optional<float> back = ParseStrictNumber(text); back && *back == value) {
        return text;
    }
    // The shortest digits that read back as this very float, in the same
    // exponent form: " 1.0000001E+28".
    char digits[32];
    const auto end =
        std::to_chars(digits, digits + sizeof digits, magnitude, std::chars_format::scientific);
    std::string exact(value < 0.0f ? "-" : " ");
    for (const char* c = digits; c != end.ptr; ++c) {
        exact += *c == 'e' ? 'E' : *c;
    }
    return exact;
}

} // namespace orvalt
