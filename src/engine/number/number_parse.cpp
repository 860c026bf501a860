// Reading numbers from text: ParseLeadingNumber (lenient, for the boxes whose
// text the program reads as far as it is a number), ParseStrictNumber and
// IsNumberText (a whole number or nothing). The digits go to std::from_chars,
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

bool IsIgnoredByLenientRead(char c) { return c == ' ' || c == '\t' || c == '\n'; }

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

} // namespace

double ParseLeadingNumber(std::string_view text) {
    // Collect the longest leading number without the ignored characters, in
    // the form std::from_chars reads: no "+" sign, "e" for the exponent.
    std::string number;
    number.reserve(text.size());
    bool negative = false;
    std::size_t i = 0;
    const auto skip = [&] {
        while (i < text.size() && IsIgnoredByLenientRead(text[i])) {
            ++i;
        }
    };
    skip();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int mantissaDigits = 0;
    bool seenPoint = false;
    for (;; ++i) {
        skip();
        if (i >= text.size()) {
            break;
        }
        const char c = text[i];
        if (IsDigit(c)) {
            number += c;
            ++mantissaDigits;
        } else if (c == '.' && !seenPoint) {
            number += c;
            seenPoint = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0) {
        return 0.0;
    }
    // Exponent: only when digits follow the letter and its sign; otherwise
    // the number ends before the letter ("12E" and "12Ex" read as 12).
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        while (j < text.size() && IsIgnoredByLenientRead(text[j])) {
            ++j;
        }
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            if (text[j] == '-') {
                exponent += '-';
            }
            ++j;
        }
        bool expDigits = false;
        for (;; ++j) {
            while (j < text.size() && IsIgnoredByLenientRead(text[j])) {
                ++j;
            }
            if (j >= text.size() || !IsDigit(text[j])) {
                break;
            }
            exponent += text[j];
            expDigits = true;
        }
        if (expDigits) {
            number += exponent;
        }
    }
    double value = 0.0;
    const auto res = std::from_chars(number.data(), number.data() + number.size(), value,
                                     std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        // Beyond the double range ("1E400"): infinity, as strtod gives, so
        // that any range check of the caller refuses it; too small for a
        // double ("1E-400"): zero.
        value = DecimalOrder(number) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
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
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    if (!IsNumberText(text)) {
        return std::nullopt;
    }
    const bool negative = text.front() == '-';
    const std::size_t numberStart = (text.front() == '-' || text.front() == '+') ? 1 : 0;
    // from_chars does not take "+" in the exponent; copy without it.
    std::string number;
    number.reserve(text.size() - numberStart);
    for (std::size_t k = numberStart; k < text.size(); ++k) {
        if (text[k] != '+') {
            number += text[k];
        }
    }
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
