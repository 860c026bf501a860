// Writing numbers as text: FormatWithPattern, AppendWithPattern and
// FormatPlainNumber. Everything here works on decimal digit strings produced
// by std::to_chars, which ignores the C and C++ locales, so the decimal
// separator is always ".".
//
// How a float becomes text: first its correctly rounded nearest decimal of 7
// significant digits (exact ties to even), then all further rounding (to a
// pattern's decimals) on those decimal digits, halves away from zero, never
// in binary: 1234.565f holds 1234.56494..., its 7 digits are 1234.565, and
// "####.00" writes 1234.57.
//
// Two routes give the same text. The quick one, for the magnitudes the
// program meets, scales by an exact power of ten in double and works in
// integers; it steps aside whenever its rounding could be in doubt. The
// general one takes the digits from std::to_chars (scientific, precision 6)
// and rounds digit by digit. The report's largest table formats some 400,000
// numbers, which is why the quick route exists.

#include "engine/number/number_format.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>

namespace orvalt {
namespace {

// The significant digits of a value's magnitude: value = 0.d1d2...dn x 10^(exponent+1),
// i.e. digits[0] stands at the power 10^exponent. count == 0 means zero.
struct DecimalDigits {
    std::array<char, 16> digits{};
    int count = 0;
    int exponent = 0;
    bool negative = false;
};

// Exact powers of ten of a double: 10^0 to 10^22.
constexpr std::array<double, 23> kPowersOfTen = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                 1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

void SetSevenDigits(DecimalDigits& d, std::uint32_t digits, int exponent) {
    for (int i = 6; i >= 0; --i) {
        d.digits[static_cast<std::size_t>(i)] = static_cast<char>('0' + digits % 10);
        digits /= 10;
    }
    d.count = 7;
    d.exponent = exponent;
}

// The 7 digits by one scaling in double: the float's value times an exact
// power of ten, rounded once, is within 1.2e-9 of the true scaled value (it
// is below 1e7 and double carries 53 bits). Only when the scaled value lies
// that close to a half is the rounding in doubt; then the caller takes the
// exact path. Also refuses magnitudes whose power of ten is not exact.
// On success value = sevenDigits x 10^(decimalExponent - 6).
bool FastSevenDigits(float value, std::uint32_t& sevenDigits, int& decimalExponent) {
    // Biased exponent field of the float: its magnitude lies in
    // [2^(field-127), 2^(field-126)) for normal numbers.
    const int field = static_cast<int>((std::bit_cast<std::uint32_t>(value) >> 23) & 0xFFu);
    if (field == 0) {
        return false; // subnormal: far outside the fast range anyway
    }
    const double magnitude = std::fabs(static_cast<double>(value));
    // floor(log10(2^(field-127))): the decimal exponent or one less.
    int exponent =
        static_cast<int>(std::floor(static_cast<double>(field - 127) * 0.30102999566398120));
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int shift = 6 - exponent;
        if (shift > 22 || shift < -22) {
            return false;
        }
        const double scaled = shift >= 0
                                  ? magnitude * kPowersOfTen[static_cast<std::size_t>(shift)]
                                  : magnitude / kPowersOfTen[static_cast<std::size_t>(-shift)];
        if (scaled >= 1e7) {
            ++exponent;
            continue;
        }
        if (scaled < 1e6) {
            return false; // cannot happen with the estimate above; be safe
        }
        // Positive and below 1e7: truncation is the floor.
        const auto whole = static_cast<std::uint32_t>(scaled);
        const double fraction = scaled - static_cast<double>(whole);
        if (std::fabs(fraction - 0.5) < 1e-8) {
            return false;
        }
        auto digits = whole + (fraction > 0.5 ? 1u : 0u);
        if (digits == 10000000u) {
            digits = 1000000u;
            ++exponent;
        }
        sevenDigits = digits;
        decimalExponent = exponent;
        return true;
    }
    return false;
}

// Nearest decimal of 7 significant digits of a finite float, by
// std::to_chars, which rounds the exact binary value correctly.
void ExactSevenDigits(float magnitude, DecimalDigits& d) {
    // "d.dddddde+xx" at most 14 characters for a float.
    char buf[32];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 6);
    const char* p = buf;
    d.count = 0;
    d.digits[static_cast<std::size_t>(d.count++)] = *p++;
    if (p < res.ptr && *p == '.') {
        ++p;
        while (p < res.ptr && *p != 'e') {
            d.digits[static_cast<std::size_t>(d.count++)] = *p++;
        }
    }
    // Exponent: 'e', sign, at least two digits.
    ++p;
    const bool expNegative = (*p == '-');
    ++p;
    int e = 0;
    while (p < res.ptr) {
        e = e * 10 + (*p++ - '0');
    }
    d.exponent = expNegative ? -e : e;
}

// Nearest decimal of 7 significant digits of a finite float.
DecimalDigits ToDecimal(float value) {
    DecimalDigits d;
    d.negative = std::signbit(value);
    const float magnitude = std::fabs(value);
    if (magnitude == 0.0f) {
        return d;
    }
    std::uint32_t sevenDigits = 0;
    int exponent = 0;
    if (FastSevenDigits(magnitude, sevenDigits, exponent)) {
        SetSevenDigits(d, sevenDigits, exponent);
    } else {
        ExactSevenDigits(magnitude, d);
    }
    // Trailing zeros carry no information and would only be carried along.
    while (d.count > 0 && d.digits[static_cast<std::size_t>(d.count - 1)] == '0') {
        --d.count;
    }
    return d;
}

// Exact digits of a 16-bit integer.
DecimalDigits ToDecimal(std::int16_t value) {
    DecimalDigits d;
    d.negative = value < 0;
    int magnitude = value < 0 ? -static_cast<int>(value) : value; // 32768 fits an int
    if (magnitude == 0) {
        return d;
    }
    char buf[8];
    int n = 0;
    while (magnitude > 0) {
        buf[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    }
    for (int i = 0; i < n; ++i) {
        d.digits[i] = buf[n - 1 - i];
    }
    d.count = n;
    d.exponent = n - 1;
    while (d.count > 0 && d.digits[d.count - 1] == '0') {
        --d.count;
    }
    return d;
}

// Rounds the magnitude to `decimals` digits after the point, halves away from
// zero. Only the first dropped digit decides: the digits are an exact decimal,
// so 5 followed by anything is at least a half.
void RoundToDecimals(DecimalDigits& d, int decimals) {
    if (d.count == 0) {
        return;
    }
    // Digits with index <= exponent + decimals stand at 10^-decimals or above.
    const long keepLong = static_cast<long>(d.exponent) + decimals + 1;
    if (keepLong >= d.count) {
        return; // nothing to drop
    }
    if (keepLong < 0) {
        d.count = 0; // below half of the last kept position
        return;
    }
    const int keep = static_cast<int>(keepLong);
    const bool roundUp = d.digits[keep] >= '5';
    d.count = keep;
    if (roundUp) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9') {
            d.digits[i] = '0';
            --i;
        }
        if (i >= 0) {
            ++d.digits[i];
        } else {
            // All nines (or nothing kept): the carry makes a new leading 1.
            d.digits[0] = '1';
            d.count = 1;
            ++d.exponent;
            return;
        }
    }
    while (d.count > 0 && d.digits[d.count - 1] == '0') {
        --d.count;
    }
}

// Digit of the decimal at the power 10^power (0 outside the significant digits).
char DigitAt(const DecimalDigits& d, int power) {
    const long index = static_cast<long>(d.exponent) - power;
    if (index < 0 || index >= d.count) {
        return '0';
    }
    return d.digits[static_cast<std::size_t>(index)];
}

void AppendNonFinite(std::string& out, float value) {
    // The engine never hands these to a pattern (its arithmetic fails
    // first); written plainly so that a bug shows instead of crashing.
    if (std::isnan(value)) {
        out += "nan";
    } else {
        out += value < 0 ? "-inf" : "inf";
    }
}

// Powers of ten as integers: 10^0 to 10^19.
constexpr std::array<std::uint64_t, 20> kIntegerPowersOfTen = [] {
    std::array<std::uint64_t, 20> powers{};
    std::uint64_t p = 1;
    for (auto& power : powers) {
        power = p;
        p *= 10;
    }
    return powers;
}();

// Largest number of decimals and of scaling digits the integer path takes:
// 7 significant digits times 10^12 stays below 10^19, inside 64 bits.
constexpr int kFixedMaxDecimals = 12;
constexpr int kFixedMaxShift = 12;

// The common case in integers: `scaled` is the magnitude already rounded to
// the pattern's decimals and multiplied by 10^decimals. Same text as
// AppendShaped, without digit arrays.
void AppendFixed(std::string& out, bool negative, std::uint64_t scaled, const NumberPattern& shape,
                 std::size_t width) {
    const std::uint64_t unit = kIntegerPowersOfTen[static_cast<std::size_t>(shape.decimals)];
    std::uint64_t integerPart = scaled / unit;
    std::uint64_t fractionPart = scaled % unit;
    // A value that rounds to zero loses its sign: -0.001 with "##0.0" is 0.0.
    const bool sign = negative && scaled != 0;

    char integerDigits[20];
    int integerLength = 0;
    while (integerPart > 0) {
        integerDigits[integerLength++] = static_cast<char>('0' + integerPart % 10);
        integerPart /= 10;
    }
    const int leadingZeros =
        shape.minIntegerDigits > integerLength ? shape.minIntegerDigits - integerLength : 0;
    char fractionDigits[20];
    for (int i = shape.decimals - 1; i >= 0; --i) {
        fractionDigits[i] = static_cast<char>('0' + fractionPart % 10);
        fractionPart /= 10;
    }
    int written = shape.decimals;
    while (written > shape.minDecimals && fractionDigits[written - 1] == '0') {
        --written;
    }

    const std::size_t length = (sign ? 1u : 0u) + static_cast<std::size_t>(leadingZeros) +
                               static_cast<std::size_t>(integerLength) +
                               (written > 0 ? 1u + static_cast<std::size_t>(written) : 0u);
    if (width > length) {
        out.append(width - length, ' ');
    }
    if (sign) {
        out += '-';
    }
    if (leadingZeros > 0) {
        out.append(static_cast<std::size_t>(leadingZeros), '0');
    }
    // Digits and decimals gathered first, appended at once: at most 19 + 1 + 12.
    char text[40];
    char* p = text;
    for (int i = integerLength - 1; i >= 0; --i) {
        *p++ = integerDigits[i];
    }
    if (written > 0) {
        *p++ = '.';
        for (int i = 0; i < written; ++i) {
            *p++ = fractionDigits[i];
        }
    }
    out.append(text, static_cast<std::size_t>(p - text));
}

// The float's 7-digit decimal rounded to the pattern's decimals, times
// 10^decimals, when that fits the integer path.
bool ScaledFloat(float magnitude, int decimals, std::uint64_t& scaled) {
    if (decimals > kFixedMaxDecimals) {
        return false;
    }
    if (magnitude == 0.0f) {
        scaled = 0;
        return true;
    }
    std::uint32_t sevenDigits = 0;
    int exponent = 0;
    if (!FastSevenDigits(magnitude, sevenDigits, exponent)) {
        return false;
    }
    // magnitude x 10^decimals = sevenDigits x 10^shift
    const int shift = exponent - 6 + decimals;
    if (shift >= 0) {
        if (shift > kFixedMaxShift) {
            return false;
        }
        scaled = sevenDigits * kIntegerPowersOfTen[static_cast<std::size_t>(shift)];
    } else if (shift < -7) {
        scaled = 0; // below a tenth of the last decimal
    } else {
        // Halves away from zero: the digits are exact, so adding half of
        // the divisor and truncating rounds a tie up (on the magnitude).
        const std::uint64_t divisor = kIntegerPowersOfTen[static_cast<std::size_t>(-shift)];
        scaled = (sevenDigits + divisor / 2) / divisor;
    }
    return true;
}

void AppendShaped(std::string& out, DecimalDigits d, const NumberPattern& shape,
                  std::size_t width) {
    RoundToDecimals(d, shape.decimals);
    const bool isZero = d.count == 0;
    // A value that rounds to zero loses its sign: -0.001 with "##0.0" is 0.0.
    const bool sign = d.negative && !isZero;
    const int integerDigits = isZero ? 0 : (d.exponent >= 0 ? d.exponent + 1 : 0);
    const int leadingZeros =
        shape.minIntegerDigits > integerDigits ? shape.minIntegerDigits - integerDigits : 0;
    // Decimals: all up to the last "0" of the pattern, optional "#" ones only
    // while they are not trailing zeros.
    int written = shape.decimals;
    while (written > shape.minDecimals && DigitAt(d, -written) == '0') {
        --written;
    }
    // The length is known before anything is written, so the padding goes
    // first and nothing has to be moved afterwards.
    const std::size_t length = (sign ? 1u : 0u) + static_cast<std::size_t>(leadingZeros) +
                               static_cast<std::size_t>(integerDigits) +
                               (written > 0 ? 1u + static_cast<std::size_t>(written) : 0u);
    const std::size_t start = out.size();
    const std::size_t padding = width > length ? width - length : 0;
    out.resize(start + padding + length);
    char* p = out.data() + start;
    for (std::size_t i = 0; i < padding; ++i) {
        *p++ = ' ';
    }
    if (sign) {
        *p++ = '-';
    }
    for (int i = 0; i < leadingZeros; ++i) {
        *p++ = '0';
    }
    for (int power = integerDigits - 1; power >= 0; --power) {
        *p++ = DigitAt(d, power);
    }
    if (written > 0) {
        *p++ = '.';
        for (int j = 1; j <= written; ++j) {
            *p++ = DigitAt(d, -j);
        }
    }
}

// Appends mantissa digits with the point after the first, no trailing zeros,
// then "E", a sign and at least two exponent digits: 1.5E-05, 1E+07.
void AppendExponentForm(std::string& out, const DecimalDigits& d) {
    out += d.digits[0];
    if (d.count > 1) {
        out += '.';
        out.append(d.digits.data() + 1, static_cast<std::size_t>(d.count - 1));
    }
    out += 'E';
    out += d.exponent < 0 ? '-' : '+';
    const int e = d.exponent < 0 ? -d.exponent : d.exponent;
    char buf[8];
    const auto res = std::to_chars(buf, buf + sizeof buf, e);
    if (res.ptr - buf < 2) {
        out += '0';
    }
    out.append(buf, res.ptr);
}

std::string PlainFromDigits(const DecimalDigits& d) {
    std::string out;
    out += d.negative && d.count > 0 ? '-' : ' ';
    if (d.count == 0) {
        out += '0';
        return out;
    }
    // Below 0.001 or 1e7 and above the plain form would grow long or lose
    // digits; the exponent form reads back through both parsers.
    if (d.exponent >= 7 || d.exponent < -3) {
        AppendExponentForm(out, d);
        return out;
    }
    for (int power = d.exponent; power >= 0; --power) {
        out += DigitAt(d, power);
    }
    const int lastPower = d.exponent - (d.count - 1); // power of the last significant digit
    if (lastPower < 0) {
        out += '.';
        for (int power = -1; power >= lastPower; --power) {
            out += DigitAt(d, power);
        }
    }
    return out;
}

} // namespace

void AppendWithPattern(std::string& out, float value, const NumberPattern& pattern,
                       std::size_t width) {
    if (!std::isfinite(value)) {
        const std::size_t start = out.size();
        AppendNonFinite(out, value);
        const std::size_t length = out.size() - start;
        if (length < width) {
            out.insert(start, width - length, ' ');
        }
        return;
    }
    std::uint64_t scaled = 0;
    if (ScaledFloat(std::fabs(value), pattern.decimals, scaled)) {
        AppendFixed(out, std::signbit(value), scaled, pattern, width);
        return;
    }
    AppendShaped(out, ToDecimal(value), pattern, width);
}

void AppendWithPattern(std::string& out, std::int16_t value, const NumberPattern& pattern,
                       std::size_t width) {
    if (pattern.decimals <= kFixedMaxDecimals) {
        const auto magnitude =
            static_cast<std::uint64_t>(value < 0 ? -static_cast<int>(value) : value);
        AppendFixed(out, value < 0,
                    magnitude * kIntegerPowersOfTen[static_cast<std::size_t>(pattern.decimals)],
                    pattern, width);
        return;
    }
    AppendShaped(out, ToDecimal(value), pattern, width);
}

void AppendWithPattern(std::string& out, float value, std::string_view pattern) {
    AppendWithPattern(out, value, NumberPattern(pattern));
}

void AppendWithPattern(std::string& out, std::int16_t value, std::string_view pattern) {
    AppendWithPattern(out, value, NumberPattern(pattern));
}

std::string FormatWithPattern(float value, std::string_view pattern) {
    std::string out;
    AppendWithPattern(out, value, pattern);
    return out;
}

std::string FormatWithPattern(std::int16_t value, std::string_view pattern) {
    std::string out;
    AppendWithPattern(out, value, pattern);
    return out;
}

std::string FormatPlainNumber(float value) {
    if (!std::isfinite(value)) {
        std::string out;
        AppendNonFinite(out, value);
        return out;
    }
    return PlainFromDigits(ToDecimal(value));
}

std::string FormatPlainNumber(std::int16_t value) { return PlainFromDigits(ToDecimal(value)); }

} // namespace orvalt
