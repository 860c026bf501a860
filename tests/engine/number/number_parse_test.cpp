// Text to numbers: the reader of the windows' number boxes (ReadBoxNumber)
// and the strict one of the catalogue file (ParseStrictNumber).

#include "engine/number/number_parse.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <ostream>
#include <string>

namespace orvalt {
namespace {

constexpr float kFloatMax = std::numeric_limits<float>::max();

// ---------------------------------------------------------------------------
// ReadBoxNumber

struct BoxCase {
    const char* text;
    std::optional<double> expected;
};

std::ostream& operator<<(std::ostream& os, const BoxCase& c) {
    os << '"' << c.text << "\" -> ";
    return c.expected ? os << *c.expected : os << "unreadable";
}

class BoxNumberTest : public testing::TestWithParam<BoxCase> {};

TEST_P(BoxNumberTest, ReadsOneWholeNumber) {
    EXPECT_EQ(ReadBoxNumber(GetParam().text), GetParam().expected);
}

// What a Japanese input method types reads like its ASCII twin.
INSTANTIATE_TEST_SUITE_P(
    FullWidth, BoxNumberTest,
    testing::Values(BoxCase{"８４００", 8400.0}, BoxCase{"０１２３４５６７８９", 123456789.0},
                    BoxCase{"－１５．５", -15.5}, BoxCase{"＋３", 3.0}, BoxCase{"−２", -2.0},
                    BoxCase{"１．５Ｅ３", 1500.0}, BoxCase{"２ｅ－３", 0.002},
                    BoxCase{"1２.５", 12.5},                    // mixed widths
                    BoxCase{"\u3000 \t１２０\t\u3000 ", 120.0}, // blanks around it
                    BoxCase{"１\u3000２", std::nullopt},        // but not inside
                    BoxCase{"１，０００", std::nullopt}, BoxCase{"８４００ｘ", std::nullopt},
                    BoxCase{"\u3000", std::nullopt}, BoxCase{"１２ｋｇ", std::nullopt}));

INSTANTIATE_TEST_SUITE_P(
    HalfWidth, BoxNumberTest,
    testing::Values(
        BoxCase{"12.5", 12.5}, BoxCase{" -15 ", -15.0}, BoxCase{".5", 0.5}, BoxCase{"5.", 5.0},
        BoxCase{"0.1", 0.1}, BoxCase{"1.5E-05", 1.5e-5}, BoxCase{"2e+3", 2000.0},
        BoxCase{"1e39", 1e39}, // beyond float: the caller's
        BoxCase{"1E400", std::numeric_limits<double>::infinity()},
        BoxCase{"-1E400", -std::numeric_limits<double>::infinity()}, BoxCase{"1E-400", 0.0},
        BoxCase{"1E99999999999999999999999", std::numeric_limits<double>::infinity()},
        BoxCase{"", std::nullopt}, BoxCase{"  ", std::nullopt}, BoxCase{"1,000", std::nullopt},
        BoxCase{"8400x", std::nullopt}, BoxCase{"abc", std::nullopt}, BoxCase{"nan", std::nullopt},
        BoxCase{"inf", std::nullopt}, BoxCase{"-inf", std::nullopt}, BoxCase{"1 000", std::nullopt},
        BoxCase{"1.2.3", std::nullopt}, BoxCase{"1D5", std::nullopt}, BoxCase{"1e", std::nullopt},
        BoxCase{"0x1A", std::nullopt}, BoxCase{"--5", std::nullopt}, BoxCase{".", std::nullopt},
        BoxCase{"5\n", std::nullopt}, BoxCase{"５ä", std::nullopt},
        BoxCase{"\xef\xbc", std::nullopt}));

TEST(TrimBlanks, RemovesOnlyTheGivenCharactersAtTheEnds) {
    EXPECT_EQ(TrimBlanks("  a b  "), "a b");
    EXPECT_EQ(TrimBlanks("\t a \t"), "\t a \t");
    EXPECT_EQ(TrimBlanks("\t a \t", " \t"), "a");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(TrimBlanks(""), "");
}

// ---------------------------------------------------------------------------
// ParseStrictNumber

struct StrictCase {
    const char* text;
    std::optional<float> expected;
};

std::ostream& operator<<(std::ostream& os, const StrictCase& c) {
    os << '"' << c.text << "\" -> ";
    if (c.expected) {
        return os << *c.expected;
    }
    return os << "failure";
}

class StrictNumberTest : public testing::TestWithParam<StrictCase> {};

TEST_P(StrictNumberTest, ReadsOnlyAWholeNumber) {
    const std::optional<float> result = ParseStrictNumber(GetParam().text);
    ASSERT_EQ(result.has_value(), GetParam().expected.has_value());
    if (result) {
        EXPECT_EQ(std::bit_cast<std::uint32_t>(*result),
                  std::bit_cast<std::uint32_t>(*GetParam().expected))
            << *result;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Accepted, StrictNumberTest,
    testing::Values(StrictCase{" 12.5 ", 12.5f}, StrictCase{"12.5", 12.5f},
                    StrictCase{"   -15", -15.0f}, StrictCase{"+3", 3.0f}, StrictCase{".5", 0.5f},
                    StrictCase{"5.", 5.0f},
                    StrictCase{"0.1", 0.1f}, // one rounding, straight to float
                    StrictCase{"16777217", 16777216.0f}, StrictCase{"1e5", 1e5f},
                    StrictCase{"1.5E-05", 1.5e-5f}, StrictCase{"2E+3", 2000.0f},
                    StrictCase{"3.4028235E+38", kFloatMax},
                    StrictCase{"3.40282356E38", kFloatMax}, // still rounds to the largest float
                    StrictCase{"1E-40", 1e-40f},            // subnormal, kept
                    StrictCase{"1E-50", 0.0f},              // too small for a float: zero
                    StrictCase{"-1E-50", -0.0f}, StrictCase{"1E-400", 0.0f},
                    StrictCase{"-0", -0.0f}));

INSTANTIATE_TEST_SUITE_P(
    Refused, StrictNumberTest,
    testing::Values(StrictCase{"", std::nullopt}, StrictCase{"   ", std::nullopt},
                    StrictCase{"12kg", std::nullopt}, StrictCase{"abc", std::nullopt},
                    StrictCase{"1 2", std::nullopt},
                    StrictCase{"\t5", std::nullopt}, // only blanks are trimmed
                    StrictCase{".", std::nullopt}, StrictCase{"-", std::nullopt},
                    StrictCase{"--1", std::nullopt}, StrictCase{"+-1", std::nullopt},
                    StrictCase{"1.2.3", std::nullopt}, StrictCase{"1e", std::nullopt},
                    StrictCase{"1e+", std::nullopt},
                    StrictCase{"1D5", std::nullopt}, // D is for the lenient reader only
                    StrictCase{"e5", std::nullopt}, StrictCase{"1,5", std::nullopt},
                    StrictCase{"0x10", std::nullopt}, StrictCase{"inf", std::nullopt},
                    StrictCase{"nan", std::nullopt},
                    StrictCase{"3.5E38", std::nullopt}, // beyond the float range
                    StrictCase{"-3.5E38", std::nullopt}, StrictCase{"3.4028236E38", std::nullopt},
                    StrictCase{"1E400", std::nullopt},
                    StrictCase{"1E99999999999999999999", std::nullopt}));

} // namespace
} // namespace orvalt
