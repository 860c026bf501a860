// Numbers to text: the digit patterns of the report and the wire boxes
// (FormatWithPattern), and the plain form of the condition boxes and the
// catalogue file (FormatPlainNumber), checked against references built
// independently on printf.

#include "engine/number/number_format.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <ostream>
#include <random>
#include <string>

#include "engine/number/number_parse.h"

namespace orvalt {
namespace {

constexpr float kFloatMax = std::numeric_limits<float>::max();

// ---------------------------------------------------------------------------
// FormatWithPattern

struct FloatPatternCase {
    const char* pattern;
    float value;
    const char* expected;
};

std::ostream& operator<<(std::ostream& os, const FloatPatternCase& c) {
    return os << '"' << c.pattern << "\" " << c.value << " -> \"" << c.expected << '"';
}

class FloatPatternTest : public testing::TestWithParam<FloatPatternCase> {};

TEST_P(FloatPatternTest, WritesTheExpectedText) {
    const FloatPatternCase& c = GetParam();
    EXPECT_EQ(FormatWithPattern(c.value, c.pattern), c.expected);
}

// Every example of the program's pattern table, in table order.
INSTANTIATE_TEST_SUITE_P(
    PatternTable, FloatPatternTest,
    testing::Values(
        FloatPatternCase{"###0.00", 160.5f, "160.50"}, FloatPatternCase{"###0.00", 0.25f, "0.25"},
        FloatPatternCase{"###0.00", 160.456f, "160.46"}, FloatPatternCase{"##0.00", 18.2f, "18.20"},
        FloatPatternCase{"##0.00", 19.1f, "19.10"},
        FloatPatternCase{"#0.00000", 0.6184f, "0.61840"},
        FloatPatternCase{"####0.0", 8000.0f, "8000.0"}, FloatPatternCase{"####0", 8300.5f, "8301"},
        FloatPatternCase{"####0", 0.0f, "0"}, FloatPatternCase{"0.0000", 0.6f, "0.6000"},
        FloatPatternCase{"##0.0", 100.0f, "100.0"}, FloatPatternCase{"##0.0", 0.0f, "0.0"},
        FloatPatternCase{"##0.0", -15.0f, "-15.0"}, FloatPatternCase{"##0.0", 17.25f, "17.3"},
        FloatPatternCase{"###0", 0.0f, "0"}, FloatPatternCase{"###0", 2.5f, "3"},
        FloatPatternCase{"#0.00", 9.0f, "9.00"}, FloatPatternCase{"0.##0", 0.9f, "0.900"},
        FloatPatternCase{"##.#####0", 1.2345674f, "1.234567"},
        FloatPatternCase{"##.#####0", 0.5f, ".500000"},
        FloatPatternCase{"##.#####0", 0.0f, ".000000"}, FloatPatternCase{"####", 150.0f, "150"},
        FloatPatternCase{"####", 0.0f, ""}, FloatPatternCase{"#0.000", 2.3454f, "2.345"},
        FloatPatternCase{"#0.000", 0.0005f, "0.001"},
        FloatPatternCase{"####.00", 1234.56f, "1234.56"}, FloatPatternCase{"####.00", 0.5f, ".50"},
        FloatPatternCase{"####.00", 0.0f, ".00"}, FloatPatternCase{"##", 75.0f, "75"},
        FloatPatternCase{"##", 2.5f, "3"}, FloatPatternCase{"##", 0.0f, ""}));

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, FloatPatternTest,
    testing::Values(
        // Decimals and integer digits.
        FloatPatternCase{"##.#####0", 1.0f, "1.000000"},
        FloatPatternCase{"##0.0", 12345.6f, "12345.6"}, // never cut integer digits
        FloatPatternCase{"####", 1e20f, "100000000000000000000"},
        FloatPatternCase{"0.##0", 12.0f, "12.000"},
        // Halves away from zero, decided on the 7-digit decimal, not in binary.
        FloatPatternCase{"##", -2.5f, "-3"}, FloatPatternCase{"##", 3.5f, "4"},
        FloatPatternCase{"####.00", 1234.565f, "1234.57"}, // holds 1234.56494...
        FloatPatternCase{"##0.0", 99.95f, "100.0"},        // holds 99.9499969...
        FloatPatternCase{"##0.0", -99.95f, "-100.0"},
        FloatPatternCase{"#0.000", 2.0005f, "2.001"}, // holds 2.00049996...
        FloatPatternCase{"##0.00", 0.125f, "0.13"}, FloatPatternCase{"##0.00", -0.125f, "-0.13"},
        FloatPatternCase{"#0.000", 9.9996f, "10.000"}, // carry into a new digit
        FloatPatternCase{"####", 9999.5f, "10000"},
        FloatPatternCase{"##.#####0", 0.9999996f, "1.000000"},
        // A float carries 7 significant digits; the rest are zeros.
        FloatPatternCase{"####", 123456789.0f, "123456800"}, // holds 123456792
        FloatPatternCase{"####0.0", 16777217.0f, "16777220.0"},
        FloatPatternCase{"#0.00000", 1.0f / 3.0f, "0.33333"},
        FloatPatternCase{"##.#####0", 0.0000001f, ".000000"},
        FloatPatternCase{"##.#####0", 0.0000005f, ".000001"},
        FloatPatternCase{"##.#####0", 0.0000004f, ".000000"},
        // Values that round to zero lose their sign; "#"-only patterns write nothing.
        FloatPatternCase{"##0.0", -0.001f, "0.0"}, FloatPatternCase{"##0.0", -0.0f, "0.0"},
        FloatPatternCase{"##", -0.4f, ""}, FloatPatternCase{"##", 0.4f, ""},
        FloatPatternCase{"####", 0.5f, "1"}, FloatPatternCase{"####.00", 0.004f, ".00"},
        FloatPatternCase{"####.00", -0.005f, "-.01"}, FloatPatternCase{"####.00", -0.5f, "-.50"},
        FloatPatternCase{"##.#####0", -0.04f, "-.040000"},
        // Extremes of the float range.
        FloatPatternCase{"#0.000", 1e-30f, "0.000"},
        FloatPatternCase{"#0.000", std::numeric_limits<float>::denorm_min(), "0.000"},
        FloatPatternCase{"####", kFloatMax, "340282300000000000000000000000000000000"},
        FloatPatternCase{"####", -kFloatMax, "-340282300000000000000000000000000000000"},
        // Optional decimals ("#" after the last "0") drop trailing zeros only.
        FloatPatternCase{"0.0##", 1.5f, "1.5"}, FloatPatternCase{"0.0##", 1.2345f, "1.235"},
        FloatPatternCase{"0.0##", 2.0f, "2.0"}, FloatPatternCase{"0.##", 2.0f, "2"},
        FloatPatternCase{"00.0", 5.0f, "05.0"},
        // Non-finite values are never formatted by the program; they must not crash.
        FloatPatternCase{"##0.0", std::numeric_limits<float>::infinity(), "inf"},
        FloatPatternCase{"##0.0", -std::numeric_limits<float>::infinity(), "-inf"},
        FloatPatternCase{"##0.0", std::numeric_limits<float>::quiet_NaN(), "nan"}));

// A negative value that rounds to zero is written without its "-" in every
// pattern, by the quick integer route and by the digit-by-digit route alike:
// a "-0.000" in a report column would read as a fault and would change the
// report's bytes. A value that keeps a nonzero digit keeps its sign.
INSTANTIATE_TEST_SUITE_P(
    NegativeRoundingToZero, FloatPatternTest,
    testing::Values(
        FloatPatternCase{"#0.000", -0.0004f, "0.000"},
        FloatPatternCase{"#0.000", -0.00049f, "0.000"}, FloatPatternCase{"##0.0", -0.04f, "0.0"},
        FloatPatternCase{"##0.00", -0.004f, "0.00"}, FloatPatternCase{"###0.00", -0.0049f, "0.00"},
        FloatPatternCase{"#0.00000", -0.000004f, "0.00000"},
        FloatPatternCase{"0.0000", -0.00004f, "0.0000"},
        FloatPatternCase{"0.##0", -0.0004f, "0.000"}, FloatPatternCase{"###0", -0.4f, "0"},
        FloatPatternCase{"####0", -0.49f, "0"}, FloatPatternCase{"####.00", -0.004f, ".00"},
        FloatPatternCase{"##.#####0", -0.0000004f, ".000000"}, FloatPatternCase{"####", -0.3f, ""},
        FloatPatternCase{"#0.000", -0.0f, "0.000"},
        // Far below the quick route's range: the digit-by-digit route.
        FloatPatternCase{"#0.000", -1e-30f, "0.000"},
        FloatPatternCase{"#0.000", -std::numeric_limits<float>::denorm_min(), "0.000"},
        FloatPatternCase{"0.0000000000000", -1e-14f, "0.0000000000000"},
        // The sign stays as soon as a digit is left.
        FloatPatternCase{"#0.000", -0.0005f, "-0.001"}, FloatPatternCase{"##0.0", -0.05f, "-0.1"},
        FloatPatternCase{"###0", -0.5f, "-1"},
        FloatPatternCase{"0.0000000000000", -6e-14f, "-0.0000000000001"}));

TEST(FormatWithPattern, NegativeZeroIsPaddedLikeZero) {
    const NumberPattern sag("#0.000");
    std::string column;
    AppendWithPattern(column, -0.0004f, sag, 9);
    AppendWithPattern(column, 0.0f, sag, 9);
    AppendWithPattern(column, -0.0005f, sag, 9);
    EXPECT_EQ(column, "    0.000    0.000   -0.001");
}

struct Int16PatternCase {
    const char* pattern;
    std::int16_t value;
    const char* expected;
};

std::ostream& operator<<(std::ostream& os, const Int16PatternCase& c) {
    return os << '"' << c.pattern << "\" " << c.value << " -> \"" << c.expected << '"';
}

class Int16PatternTest : public testing::TestWithParam<Int16PatternCase> {};

TEST_P(Int16PatternTest, WritesTheExpectedText) {
    const Int16PatternCase& c = GetParam();
    EXPECT_EQ(FormatWithPattern(c.value, c.pattern), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    WholeNumbers, Int16PatternTest,
    testing::Values(Int16PatternCase{"##0.0", 15, "15.0"}, Int16PatternCase{"##0.0", -15, "-15.0"},
                    Int16PatternCase{"##0.0", 90, "90.0"}, Int16PatternCase{"##0.0", 0, "0.0"},
                    Int16PatternCase{"#0.00", 9, "9.00"}, Int16PatternCase{"#0.00", 0, "0.00"},
                    Int16PatternCase{"##", 75, "75"}, Int16PatternCase{"##", 163, "163"},
                    Int16PatternCase{"##", 0, ""}, Int16PatternCase{"##", -5, "-5"},
                    Int16PatternCase{"##", 10, "10"}, Int16PatternCase{"##", 100, "100"},
                    Int16PatternCase{"##", 32767, "32767"},
                    Int16PatternCase{"##", -32768, "-32768"},
                    Int16PatternCase{"####0.0", -32768, "-32768.0"},
                    Int16PatternCase{"####.00", 0, ".00"}, Int16PatternCase{"0000", 7, "0007"}));

TEST(AppendWithPattern, AppendsWhatFormatWithPatternReturns) {
    std::string out = "abc";
    AppendWithPattern(out, 0.5f, "##.#####0");
    AppendWithPattern(out, static_cast<std::int16_t>(-15), "##0.0");
    AppendWithPattern(out, 0.0f, "##");
    AppendWithPattern(out, 1234.565f, "####.00");
    EXPECT_EQ(out, "abc.500000-15.01234.57");

    // The same text as the returning form for a spread of values.
    std::mt19937 random(12345);
    std::uniform_real_distribution<float> spread(-5000.0f, 5000.0f);
    for (int i = 0; i < 2000; ++i) {
        const float value = spread(random);
        for (const char* pattern : {"#0.000", "####.00", "##", "##.#####0"}) {
            std::string appended = "x";
            AppendWithPattern(appended, value, pattern);
            ASSERT_EQ(appended, "x" + FormatWithPattern(value, pattern)) << value << ' ' << pattern;
        }
    }
}

// The pattern's rounding must agree with rounding the value's 7-digit
// decimal as a decimal text: check against a slow reference built on
// printf's "%.6e" (correctly rounded in glibc) and digit arithmetic on the
// whole decimal, for random floats of all the program's magnitudes.
std::string ReferenceFixed(float value, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6e", static_cast<double>(std::fabs(value)));
    // buf: d.ddddddE±xx
    std::string digits;
    digits += buf[0];
    digits.append(buf + 2, 6);
    const int exponent = std::atoi(buf + 9);
    // Scaled integer = digits x 10^(exponent - 6 + decimals), rounded half up.
    const int shift = exponent - 6 + decimals;
    std::string scaled;
    bool roundUp = false;
    if (shift >= 0) {
        scaled = digits + std::string(static_cast<std::size_t>(shift), '0');
    } else if (-shift <= 7) {
        const std::size_t keep = static_cast<std::size_t>(7 + shift);
        scaled = digits.substr(0, keep);
        roundUp = digits[keep] >= '5';
    } else {
        scaled = "";
    }
    if (scaled.empty()) {
        scaled = "0";
    }
    if (roundUp) {
        int i = static_cast<int>(scaled.size()) - 1;
        while (i >= 0 && scaled[static_cast<std::size_t>(i)] == '9') {
            scaled[static_cast<std::size_t>(i--)] = '0';
        }
        if (i < 0) {
            scaled.insert(scaled.begin(), '1');
        } else {
            ++scaled[static_cast<std::size_t>(i)];
        }
    }
    while (scaled.size() < static_cast<std::size_t>(decimals + 1)) {
        scaled.insert(scaled.begin(), '0');
    }
    // Strip leading zeros of the integer part, keep at least one digit.
    std::string integer = scaled.substr(0, scaled.size() - static_cast<std::size_t>(decimals));
    const std::string fraction = scaled.substr(integer.size());
    while (integer.size() > 1 && integer[0] == '0') {
        integer.erase(0, 1);
    }
    const bool isZero = integer == "0" && fraction.find_first_not_of('0') == std::string::npos;
    std::string text = (value < 0 && !isZero) ? "-" : "";
    text += integer;
    if (decimals > 0) {
        text += "." + fraction;
    }
    return text;
}

TEST(FormatWithPattern, AgreesWithDecimalRoundingOfTheSevenDigitValue) {
    std::mt19937 random(2024);
    std::uniform_int_distribution<int> exponent(-6, 6);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::bernoulli_distribution negative(0.3);
    const struct {
        const char* pattern;
        int decimals;
    } patterns[] = {{"#0.000", 3}, {"##0.0", 1}, {"####0", 0}, {"##0.00", 2}, {"#0.00000", 5}};
    for (int i = 0; i < 20000; ++i) {
        float value = static_cast<float>(mantissa(random) * std::pow(10.0, exponent(random)));
        if (negative(random)) {
            value = -value;
        }
        for (const auto& p : patterns) {
            ASSERT_EQ(FormatWithPattern(value, p.pattern), ReferenceFixed(value, p.decimals))
                << "value " << value << " pattern " << p.pattern;
        }
    }
}

// ---------------------------------------------------------------------------
// FormatPlainNumber

struct PlainCase {
    float value;
    const char* expected;
};

std::ostream& operator<<(std::ostream& os, const PlainCase& c) {
    return os << c.value << " -> \"" << c.expected << '"';
}

class PlainFloatTest : public testing::TestWithParam<PlainCase> {};

TEST_P(PlainFloatTest, WritesTheGeneralForm) {
    EXPECT_EQ(FormatPlainNumber(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, PlainFloatTest,
    testing::Values(PlainCase{100.0f, " 100"}, PlainCase{0.6f, " .6"}, PlainCase{-0.5f, "-.5"},
                    PlainCase{1.23456789f, " 1.234568"}, PlainCase{0.0f, " 0"},
                    PlainCase{-0.0f, " 0"}, PlainCase{18.2f, " 18.2"}, PlainCase{0.6184f, " .6184"},
                    PlainCase{8000.0f, " 8000"}, PlainCase{123.456f, " 123.456"},
                    PlainCase{-15.0f, "-15"}, PlainCase{0.1f, " .1"},
                    PlainCase{1.0f / 3.0f, " .3333333"}, PlainCase{1234567.0f, " 1234567"},
                    PlainCase{9999999.0f, " 9999999"}, PlainCase{0.001f, " .001"},
                    PlainCase{0.0123f, " .0123"}, PlainCase{-0.001f, "-.001"}));

INSTANTIATE_TEST_SUITE_P(
    ExponentForm, PlainFloatTest,
    testing::Values(PlainCase{1.5e-5f, " 1.5E-05"}, PlainCase{-1.5e-5f, "-1.5E-05"},
                    PlainCase{12345678.0f, " 1.234568E+07"}, PlainCase{10000000.0f, " 1E+07"},
                    PlainCase{0.00099999f, " 9.9999E-04"}, PlainCase{kFloatMax, " 3.402823E+38"},
                    PlainCase{std::numeric_limits<float>::denorm_min(), " 1.401298E-45"},
                    PlainCase{-1e20f, "-1E+20"}));

// The general form built independently from printf's "%.6e", which glibc
// rounds correctly from the exact binary value (exact ties to even).
std::string ReferencePlain(float value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6e", std::fabs(static_cast<double>(value)));
    std::string digits;
    digits += buf[0];
    digits.append(buf + 2, 6);
    const int exponent = std::atoi(buf + 9);
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
    }
    if (digits.empty()) {
        return " 0";
    }
    std::string text = value < 0 ? "-" : " ";
    if (exponent >= 7 || exponent < -3) {
        text += digits.substr(0, 1);
        if (digits.size() > 1) {
            text += "." + digits.substr(1);
        }
        char e[16];
        std::snprintf(e, sizeof e, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        return text + e;
    }
    const auto digitAt = [&](int power) {
        const int index = exponent - power;
        return index >= 0 && index < static_cast<int>(digits.size())
                   ? digits[static_cast<std::size_t>(index)]
                   : '0';
    };
    for (int power = exponent; power >= 0; --power) {
        text += digitAt(power);
    }
    const int lastPower = exponent - (static_cast<int>(digits.size()) - 1);
    if (lastPower < 0) {
        text += '.';
        for (int power = -1; power >= lastPower; --power) {
            text += digitAt(power);
        }
    }
    return text;
}

TEST(FormatPlainNumber, AgreesWithCorrectlyRoundedSevenDigitsOverTheWholeRange) {
    // Exact ties at the 8th digit go to the even neighbour.
    EXPECT_EQ(FormatPlainNumber(1234.5625f), " 1234.562");
    EXPECT_EQ(FormatPlainNumber(1234.5635f), ReferencePlain(1234.5635f));
    EXPECT_EQ(FormatPlainNumber(0.5f), " .5");

    std::mt19937 random(99);
    std::uniform_int_distribution<std::uint32_t> bits(0, 0xFFFFFFFFu);
    for (int i = 0; i < 100000; ++i) {
        const float value = std::bit_cast<float>(bits(random));
        if (!std::isfinite(value)) {
            continue;
        }
        ASSERT_EQ(FormatPlainNumber(value), ReferencePlain(value))
            << std::hex << std::bit_cast<std::uint32_t>(value);
    }
    // Every float of one binade of typical report values.
    for (std::uint32_t b = 0x44FA0000u; b < 0x44FA0000u + 200000u; ++b) {
        const float value = std::bit_cast<float>(b);
        ASSERT_EQ(FormatPlainNumber(value), ReferencePlain(value)) << value;
    }
}

TEST(FormatPlainNumber, WritesWholeNumbersWithoutPoint) {
    EXPECT_EQ(FormatPlainNumber(static_cast<std::int16_t>(15)), " 15");
    EXPECT_EQ(FormatPlainNumber(static_cast<std::int16_t>(-15)), "-15");
    EXPECT_EQ(FormatPlainNumber(static_cast<std::int16_t>(0)), " 0");
    EXPECT_EQ(FormatPlainNumber(static_cast<std::int16_t>(100)), " 100");
    EXPECT_EQ(FormatPlainNumber(static_cast<std::int16_t>(32767)), " 32767");
    EXPECT_EQ(FormatPlainNumber(static_cast<std::int16_t>(-32768)), "-32768");
}

// What the catalogue file and the condition boxes write must read back: the
// exact examples, then random floats of every magnitude through both readers.
TEST(FormatPlainNumber, ReadsBackThroughBothParsers) {
    EXPECT_EQ(ParseStrictNumber(" 1.5E-05"), 1.5e-5f);
    EXPECT_EQ(ReadBoxNumber(" 1.5E-05"), 1.5e-5);
    EXPECT_EQ(ParseStrictNumber(" 1.234568E+07"), 12345680.0f);
    EXPECT_EQ(ReadBoxNumber(" 1.234568E+07"), 12345680.0);
    EXPECT_EQ(ParseStrictNumber("-.5"), -0.5f);
    EXPECT_EQ(ReadBoxNumber(" .6"), 0.6);

    std::mt19937 random(7);
    std::uniform_int_distribution<std::uint32_t> bits(0, 0xFFFFFFFFu);
    int checked = 0;
    while (checked < 20000) {
        const float value = std::bit_cast<float>(bits(random));
        if (!std::isfinite(value)) {
            continue;
        }
        ++checked;
        const std::string text = FormatPlainNumber(value);
        const std::optional<float> strict = ParseStrictNumber(text);
        ASSERT_TRUE(strict.has_value()) << text;
        const std::optional<double> box = ReadBoxNumber(text);
        ASSERT_TRUE(box.has_value()) << text;
        // Seven significant digits: within half a unit of the 7th digit.
        const double tolerance = 5.0000001e-7 * std::fabs(static_cast<double>(value));
        ASSERT_LE(std::fabs(*box - value), tolerance) << text;
        ASSERT_LE(std::fabs(static_cast<double>(*strict) - value),
                  tolerance + 1e-7 * std::fabs(static_cast<double>(value)) + 1e-45)
            << text;
        // The text of what was read is the text that was written.
        ASSERT_EQ(FormatPlainNumber(*strict), text);
    }
}

} // namespace
} // namespace orvalt

namespace orvalt {
namespace {

// What the catalogue writes must read back as the very float outside the
// range of wire constants, and be today's text inside it.
void ExpectExactlyWritten(float value) {
    const std::string text = FormatPlainNumberExactly(value);
    const float magnitude = std::fabs(value);
    if (magnitude >= 0.001f && magnitude < 1e7f) {
        ASSERT_EQ(text, FormatPlainNumber(value)) << value;
    } else {
        ASSERT_EQ(ParseStrictNumber(text), value) << text;
    }
    const std::optional<float> back = ParseStrictNumber(text);
    ASSERT_TRUE(back) << text;
    ASSERT_EQ(FormatPlainNumberExactly(*back), text) << "not a fixed point: " << text;
}

struct Band {
    float from;
    float to;
};

class ExactlyWrittenBand : public testing::TestWithParam<Band> {};

// Bands where seven digits come close to not telling neighbouring floats
// apart: every third float of each, both signs.
TEST_P(ExactlyWrittenBand, EveryFloatReadsBackAsItself) {
    for (std::uint32_t bits = std::bit_cast<std::uint32_t>(GetParam().from);
         bits < std::bit_cast<std::uint32_t>(GetParam().to); bits += 3) {
        ExpectExactlyWritten(std::bit_cast<float>(bits));
        ExpectExactlyWritten(-std::bit_cast<float>(bits));
    }
}

INSTANTIATE_TEST_SUITE_P(FormatPlainNumberExactly, ExactlyWrittenBand,
                         testing::Values(Band{9.31e-10f, 1e-9f}, Band{9.54e-7f, 1e-6f},
                                         Band{0.000977f, 0.001f}, Band{8.59e9f, 1e10f},
                                         Band{9.9e27f, 1.01e28f}, Band{3.3e38f, 3.4028e38f}));

// A sweep over the bit patterns of all finite floats with a fixed step.
TEST(FormatPlainNumberExactly, EveryFloatIsAFixedPoint) {
    for (std::uint32_t bits = 0; bits < 0x7F800000u; bits += 2003) {
        ExpectExactlyWritten(std::bit_cast<float>(bits));
        ExpectExactlyWritten(-std::bit_cast<float>(bits));
    }
    EXPECT_EQ(FormatPlainNumber(std::nextafter(1e28f, 1e30f)), " 1E+28"); // reads as 1e28f
    EXPECT_EQ(FormatPlainNumberExactly(std::nextafter(1e28f, 1e30f)), " 1.0000001E+28");
    EXPECT_EQ(FormatPlainNumberExactly(9.9999e-10f), " 9.9999E-10");
    EXPECT_EQ(FormatPlainNumberExactly(1e28f), " 9.999999E+27"); // reads back already
    EXPECT_EQ(FormatPlainNumberExactly(0.6f), " .6");
    EXPECT_EQ(FormatPlainNumberExactly(0.0f), " 0");
}

} // namespace
} // namespace orvalt
