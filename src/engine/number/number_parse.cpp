// Reading numbers from text: ReadBoxNumber (a number box as an engineer types
// it, full-width characters included), ParseStrictNumber and IsNumberText (a
// whole number or nothing). The digits go to std::from_chars,
// which ignores the C and C++ locales, so the decimal separator is always ".".

#include "engine/number/number_parse.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

namespace orvalt {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Power of ten of the first significant digit of a number already checked
// by the grammar ("123.4e5" -> 7, "0.05" -> -2). Only used to tell overflow
// from underflow, so a huge exponent saturates instead of overflowing.
long DecimalOrder(std::string_view number) {
    long integerDigits = 0;
    long leadingFractionZeros = 0;
    bool seenNonzero = false;
    bool pastPoint = false;
    std::size_t i = 0;
    for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
        const char c = number[i];
        if (c == '.') {
            pastPoint = true;
        } else if (!pastPoint) {
            if (seenNonzero || c != '0') {
                seenNonzero = true;
                ++integerDigits;
            }
        } else if (!seenNonzero) {
            if (c == '0') {
                ++leadingFractionZeros;
            } else {
                seenNonzero = true;
            }
        }
    }
    long exponent = 0;
    if (i < number.size()) {
        ++i;
        const bool expNegative = i < number.size() && number[i] == '-';
        if (expNegative) {
            ++i;
        }
        for (; i < number.size(); ++i) {
            if (exponent < 1000000000L) {
                exponent = exponent * 10 + (number[i] - '0');
            }
        }
        if (expNegative) {
            exponent = -exponent;
        }
    }
    const long order = integerDigits > 0 ? integerDigits - 1 : -(leadingFractionZeros + 1);
    return order + exponent;
}

// The ASCII twin of the full-width character (or minus sign) that starts
// `text`, with its length in bytes; 0 when there is none. Digits U+FF10..FF19,
// ＋ U+FF0B, － U+FF0D, ．U+FF0E, Ｅ U+FF25, ｅ U+FF45, − U+2212 and the
// ideographic blank U+3000.
char FullWidthTwin(std::string_view text, std::size_t& length) {
    length = 3;
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    if (text.size() < 3) {
        return 0;
    }
    if (byte(0) == 0xEF && byte(1) == 0xBC) {
        const unsigned char c = byte(2);
        if (c >= 0x90 && c <= 0x99) return static_cast<char>('0' + (c - 0x90));
        if (c == 0x8B) return '+';
        if (c == 0x8D) return '-';
        if (c == 0x8E) return '.';
        if (c == 0xA5) return 'E';
    }
    if (byte(0) == 0xEF && byte(1) == 0xBD && byte(2) == 0x85) return 'e';
    if (byte(0) == 0xE2 && byte(1) == 0x88 && byte(2) == 0x92) return '-';
    if (byte(0) == 0xE3 && byte(1) == 0x80 && byte(2) == 0x80) return ' ';
    return 0;
}

// `text` with its full-width characters replaced by their ASCII twins;
// nullopt when it holds any other character beyond ASCII.
std::optional<std::string> ToHalfWidth(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        if (static_cast<unsigned char>(text.front()) < 0x80) {
            out += text.front();
            text.remove_prefix(1);
            continue;
        }
        std::size_t length = 0;
        const char twin = FullWidthTwin(text, length);
        if (twin == 0) {
            return std::nullopt;
        }
        out += twin;
        text.remove_prefix(length);
    }
    return out;
}

// `number` (checked by IsNumberText) without its "+" signs, which
// std::from_chars does not take; `negative` tells the leading sign.
std::string Unsigned(std::string_view number, bool& negative) {
    negative = number.front() == '-';
    const std::size_t start = (number.front() == '-' || number.front() == '+') ? 1 : 0;
    std::string digits;
    digits.reserve(number.size());
    for (std::size_t k = start; k < number.size(); ++k) {
        if (number[k] != '+') {
            digits += number[k];
        }
    }
    return digits;
}

} // namespace

std::string_view TrimBlanks(std::string_view text, std::string_view blanks) {
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::optional<std::string> BoxNumberText(std::string_view text) {
    std::optional<std::string> halfWidth = ToHalfWidth(text);
    if (!halfWidth) {
        return std::nullopt;
    }
    const std::string_view number = TrimBlanks(*halfWidth, " \t");
    if (!IsNumberText(number)) {
        return std::nullopt;
    }
    return std::string(number);
}

std::optional<double> ReadBoxNumber(std::string_view text) {
    const std::optional<std::string> number = BoxNumberText(text);
    if (!number) {
        return std::nullopt;
    }
    bool negative = false;
    const std::string digits = Unsigned(*number, negative);
    double value = 0.0;
    const auto res = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                     std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        // Beyond the double range: an infinity, which every range check
        // refuses; too small for a double: zero.
        value = DecimalOrder(digits) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

bool IsNumberText(std::string_view text) {
    // Sign, digits with at most one point (at least one digit), then
    // optionally E, a sign and digits.
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    int mantissaDigits = 0;
    bool seenPoint = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            ++mantissaDigits;
        } else if (text[i] == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0) {
        return false;
    }
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        const std::size_t expStart = i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
        }
        if (i == expStart) {
            return false;
        }
    }
    return i == text.size();
}

std::optional<float> ParseStrictNumber(std::string_view text) {
    text = TrimBlanks(text);
    if (!IsNumberText(text)) {
        return std::nullopt;
    }
    bool negative = false;
    const std::string number = Unsigned(text, negative);
    // Straight to float: one correct rounding from the decimal.
    float value = 0.0f;
    const auto res = std::from_chars(number.data(), number.data() + number.size(), value,
                                     std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        // Overflow (after rounding, 3.5E38 is beyond the largest float) is a
        // failure; a value too small for a float is simply zero.
        if (DecimalOrder(number) > 0) {
            return std::nullopt;
        }
        value = 0.0f;
    } else if (res.ec != std::errc{}) {
        return std::nullopt;
    }
    if (std::isinf(value)) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

} // namespace orvalt
