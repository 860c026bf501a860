// The wire settings window's save without the window: which texts become the
// stored record, and which are refused with what message and focus.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <string_view>

#include "engine/catalogue/catalogue_file.h"
#include "engine/forms/wire_form.h"

namespace orvalt {
namespace {

using ::testing::Optional;

// The boxes as the window shows the worked example 1 after "新規" and typing.
WireFormInput TypedExample() {
    WireFormInput input;
    input.name = "計算例1";
    input.values = {"18.00", "9000", "0.6000", "160.00", "18.2", "18.2", "1500"};
    input.adding = true;
    return input;
}

std::string TooLarge(const char* caption) {
    return std::string("「") + caption +
           "」の値が大きすぎます。\r\n扱える範囲の数値を入力してください。";
}

TEST(WireForm, EachBoxGoesToItsField) {
    WireFormInput input = TypedExample();
    input.values = {"19.1", "8300", "0.6", "160.5", "18.2", "17.9", "1234.5"};
    const WireFormResult form = ReadWireForm(input);
    ASSERT_FALSE(form.refusal) << form.refusal->message;
    EXPECT_EQ(form.record.wireName, "計算例1");
    EXPECT_EQ(form.record.expansionCoeff, 19.1f);
    EXPECT_EQ(form.record.elasticModulus, 8300.0f);
    EXPECT_EQ(form.record.unitWeight, 0.6f);
    EXPECT_EQ(form.record.area, 160.5f);
    EXPECT_EQ(form.record.diameterHigh, 18.2f);
    EXPECT_EQ(form.record.diameterLow, 17.9f);
    EXPECT_EQ(form.record.maxTension, 1234.5f);
}

// ---------------------------------------------------------------------------
// The name

struct NameCase {
    const char* title;
    std::string typed;
    bool adding;
    std::optional<std::string> stored; // nullopt: refused
    std::string message;               // of the refusal
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.title; }

class WireFormName : public ::testing::TestWithParam<NameCase> {};

TEST_P(WireFormName, IsStoredOrRefused) {
    const NameCase& c = GetParam();
    WireFormInput input = TypedExample();
    input.name = c.typed;
    input.adding = c.adding;
    const WireFormResult form = ReadWireForm(input);
    if (c.stored) {
        ASSERT_FALSE(form.refusal) << form.refusal->message;
        EXPECT_EQ(form.record.wireName, *c.stored);
    } else {
        ASSERT_TRUE(form.refusal);
        EXPECT_EQ(*form.refusal, (FormRefusal{kBoxWireName, c.message}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    WireForm, WireFormName,
    ::testing::Values(
        NameCase{"NewEntryUnchanged", "新規", true, std::nullopt, "電線種類を入力してください"},
        NameCase{"EmptyWhenAdding", "", true, std::nullopt, "電線種類を入力してください"},
        // The check is on the untrimmed text, before anything else.
        NameCase{"BlanksOnlyWhenAdding", "   ", true, "", ""},
        NameCase{"NewEntryWithBlanks", " 新規 ", true, "新規", ""},
        // An existing record may be renamed to anything the file can hold.
        NameCase{"EmptyRename", "", false, "", ""},
        NameCase{"NewEntryAsRename", "新規", false, "新規", ""},
        NameCase{"TrimmedAtBothEnds", "  ACSR 160  ", true, "ACSR 160", ""},
        NameCase{"FullWidthBlanksStay", "　全角　", true, "　全角　", ""},
        NameCase{"LookAlikesReplaced", "〜型−1", true, "～型－1", ""},
        NameCase{"Comma", "ACSR,160", true, std::nullopt, "電線種類にカンマ（,）は使えません。"},
        NameCase{"CommaWhenRenaming", "ACSR,160", false, std::nullopt,
                 "電線種類にカンマ（,）は使えません。"},
        NameCase{"LeadingQuote", "\"HDCC\"", true, std::nullopt,
                 "電線種類の先頭に二重引用符（\"）は使えません。"},
        NameCase{"TabAtTheEnd", "HDCC\t", true, std::nullopt,
                 "電線種類の前後に空白は付けられません。"},
        NameCase{
            "NotInCodePage932", "Kühl", true, std::nullopt,
            "「ü」はシフトJIS（コードページ932）で保存できない文字なので、電線種類に使えません。"}),
    [](const auto& info) { return std::string(info.param.title); });

// A name the catalogue file cannot keep is refused in the catalogue writer's
// words, before anything is written.
TEST(WireForm, RefusedNameIsTheCatalogueWritersReason) {
    WireFormInput input = TypedExample();
    input.name = "上\n下";
    const WireFormResult form = ReadWireForm(input);
    ASSERT_TRUE(form.refusal);
    EXPECT_EQ(*form.refusal, (FormRefusal{kBoxWireName, "電線種類に改行は使えません。"}));
}

// ---------------------------------------------------------------------------
// The values

struct ValueCase {
    const char* text;
    std::optional<float> stored;                  // nullopt: refused
    std::string (*message)(std::string_view box); // of the refusal
};

void PrintTo(const ValueCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class WireFormValue : public ::testing::TestWithParam<ValueCase> {};

// Every box reads one whole number, above 0, or refuses naming itself.
TEST_P(WireFormValue, IsStoredOrRefusedInEveryBox) {
    const ValueCase& c = GetParam();
    for (int box = 0; box < kWireValueBoxCount; ++box) {
        const auto i = static_cast<std::size_t>(box);
        WireFormInput input = TypedExample();
        input.values[i] = c.text;
        const WireFormResult form = ReadWireForm(input);
        if (c.stored) {
            ASSERT_FALSE(form.refusal) << box << ": " << form.refusal->message;
            EXPECT_EQ(form.record.*kWireValueFields[i], *c.stored) << kWireValueCaptions[i];
        } else {
            ASSERT_TRUE(form.refusal) << kWireValueCaptions[i];
            EXPECT_EQ(*form.refusal, (FormRefusal{box, c.message(kWireValueCaptions[i])}));
        }
    }
}

std::string NotANumber(std::string_view box) {
    return "「" + std::string(box) + "」の値が数値として読めません。\r\n数値を入力してください。";
}
std::string NotPositive(std::string_view box) {
    return "「" + std::string(box) + "」には 0 より大きい値を入力してください。";
}

INSTANTIATE_TEST_SUITE_P(
    WireForm, WireFormValue,
    ::testing::Values(
        ValueCase{"８４００", 8400.0f, nullptr}, ValueCase{"１．５Ｅ２", 150.0f, nullptr},
        ValueCase{"\u3000 0.60123\t", 0.60123f, nullptr},
        ValueCase{"0.1", 0.1f, nullptr}, // one rounding, straight to float
        // The largest float itself still fits.
        ValueCase{"340282346638528859811704183484516925440", std::numeric_limits<float>::max(),
                  nullptr},
        ValueCase{"", std::nullopt, NotANumber}, ValueCase{"1,000", std::nullopt, NotANumber},
        ValueCase{"8400x", std::nullopt, NotANumber}, ValueCase{"12kg", std::nullopt, NotANumber},
        ValueCase{"1 234", std::nullopt, NotANumber}, ValueCase{"abc", std::nullopt, NotANumber},
        ValueCase{"nan", std::nullopt, NotANumber}, ValueCase{"inf", std::nullopt, NotANumber},
        ValueCase{"1.5D2", std::nullopt, NotANumber}, ValueCase{"0", std::nullopt, NotPositive},
        ValueCase{"－１５．５", std::nullopt, NotPositive},
        ValueCase{"-0", std::nullopt, NotPositive},
        ValueCase{"1e-50", std::nullopt, NotPositive})); // 0 as a float

struct TooLargeCase {
    int box;
    const char* text;
    const char* caption;
};

void PrintTo(const TooLargeCase& c, std::ostream* os) { *os << c.box << " \"" << c.text << '"'; }

class WireFormTooLarge : public ::testing::TestWithParam<TooLargeCase> {};

TEST_P(WireFormTooLarge, IsRefusedNamingTheBox) {
    WireFormInput input = TypedExample();
    input.values[static_cast<std::size_t>(GetParam().box)] = GetParam().text;
    const WireFormResult form = ReadWireForm(input);
    ASSERT_TRUE(form.refusal);
    EXPECT_EQ(*form.refusal, (FormRefusal{GetParam().box, TooLarge(GetParam().caption)}));
}

INSTANTIATE_TEST_SUITE_P(WireForm, WireFormTooLarge,
                         ::testing::Values(TooLargeCase{kBoxElasticModulus, "1e39", "等価弾性係数"},
                                           TooLargeCase{kBoxExpansionCoeff, "-1e39", "線膨張係数"},
                                           TooLargeCase{kBoxUnitWeight, "3.4028236e38", "自重量"},
                                           TooLargeCase{kBoxArea, "1E400", "断面積"},
                                           TooLargeCase{kBoxDiameterHigh, "-1E400", "高温季外径"},
                                           TooLargeCase{kBoxDiameterLow, "1e100", "低温季外径"},
                                           TooLargeCase{kBoxMaxTension, "１Ｅ５０",
                                                        "最大使用張力"}));

TEST(WireForm, FirstRefusalWins) {
    WireFormInput input = TypedExample();
    input.values[kBoxDiameterLow] = "1e39";
    input.values[kBoxElasticModulus] = "1e39";
    ASSERT_TRUE(ReadWireForm(input).refusal);
    EXPECT_EQ(ReadWireForm(input).refusal->box, kBoxElasticModulus);

    // The name before any value.
    input.name = "A,B";
    EXPECT_EQ(ReadWireForm(input).refusal->box, kBoxWireName);
    input.name = "新規";
    EXPECT_THAT(ReadWireForm(input).refusal,
                Optional(FormRefusal{kBoxWireName, "電線種類を入力してください"}));
}

} // namespace
} // namespace orvalt
