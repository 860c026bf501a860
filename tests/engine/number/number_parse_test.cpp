// Text to numbers: the lenient reader of the wire boxes and the catalogue
// (ParseLeadingNumber) and the strict one of the condition boxes
// (ParseStrictNumber).

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
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// ---------------------------------------------------------------------------
// ParseLeadingNumber

struct LeadingCase {
    const char* text;
    double expected;
};

std::ostream& operator<<(std::ostream& os, const LeadingCase& c) {
    return os << '"' << c.text << "\" -> " << c.expected;
}

class LeadingNumberTest : public testing::TestWithParam<LeadingCase> {};

TEST_P(LeadingNumberTest, ReadsTheLeadingNumber) {
    EXPECT_EQ(ParseLeadingNumber(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, LeadingNumberTest,
    testing::Values(LeadingCase{"12kg", 12.0}, LeadingCase{"1 234", 1234.0},
                    LeadingCase{"abc", 0.0}, LeadingCase{"", 0.0}, LeadingCase{"-15.5", -15.5},
                    LeadingCase{"+5", 5.0}, LeadingCase{" \t\n 7 \t", 7.0},
                    LeadingCase{"- 5", -5.0}, LeadingCase{"1 . 5", 1.5},
                    LeadingCase{"1\t2\n3", 123.0}, LeadingCase{".5", 0.5}, LeadingCase{"5.", 5.0},
                    LeadingCase{"1.2.3", 1.2}, LeadingCase{".", 0.0}, LeadingCase{"-", 0.0},
                    LeadingCase{"-.", 0.0}, LeadingCase{"--5", 0.0},
                    LeadingCase{"\r5", 0.0}, // only blanks, tabs and line feeds are skipped
                    LeadingCase{"5\r6", 5.0}, LeadingCase{"0.1", 0.1},
                    LeadingCase{"１２", 0.0})); // full-width digits are not digits here

INSTANTIATE_TEST_SUITE_P(
    Exponents, LeadingNumberTest,
    testing::Values(LeadingCase{"1.5E3", 1500.0}, LeadingCase{"1.5e3", 1500.0},
                    LeadingCase{"1.5D3", 1500.0}, LeadingCase{"1.5d+3", 1500.0},
                    LeadingCase{"1.5E-2", 0.015}, LeadingCase{"2 E 1 0", 2e10},
                    LeadingCase{"12E", 12.0}, // a letter without digits ends the number before it
                    LeadingCase{"12Ex", 12.0}, LeadingCase{"12E+", 12.0},
                    LeadingCase{"12E-x", 12.0}, LeadingCase{"12e5kg", 1.2e6},
                    LeadingCase{"E5", 0.0},
                    LeadingCase{"1E400", kInfinity}, // beyond double: infinity, like strtod
                    LeadingCase{"-1E400", -kInfinity}, LeadingCase{"0.001E311", 1e308},
                    LeadingCase{"0.0001E-320", 0.0}, // below double: zero
                    LeadingCase{"1E-400", 0.0}, LeadingCase{"1E99999999999999999999999", kInfinity},
                    LeadingCase{"1E-99999999999999999999999", 0.0}, LeadingCase{"0E99999", 0.0}));

// Words that other programs read as numbers have no leading number here,
// so they read as 0, never as NaN or an infinity.
INSTANTIATE_TEST_SUITE_P(
    NotNumbers, LeadingNumberTest,
    testing::Values(LeadingCase{"nan", 0.0}, LeadingCase{"NaN", 0.0}, LeadingCase{"inf", 0.0},
                    LeadingCase{"-inf", 0.0}, LeadingCase{"infinity", 0.0},
                    LeadingCase{"0x1A", 0.0},  // stops at the x
                    LeadingCase{"1e39", 1e39}, // a double, beyond the float range
                    LeadingCase{"-1e39", -1e39}, LeadingCase{"1e-50", 1e-50}));

TEST(ParseLeadingNumber, ReadsVeryLongDigitStrings) {
    EXPECT_EQ(ParseLeadingNumber(std::string(400, '9')), kInfinity);
    EXPECT_EQ(ParseLeadingNumber("1" + std::string(100, '0')), 1e100);
    EXPECT_EQ(ParseLeadingNumber("0." + std::string(500, '0') + "1"), 0.0);
    EXPECT_EQ(ParseLeadingNumber(std::string(10000, ' ') + "42"), 42.0);
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
