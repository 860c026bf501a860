// The wire settings window's save without the window: which texts become the
// stored record, and which are refused with what message and focus.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

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

TEST(WireForm, BoxIndicesAndCaptionsFollowTheWindow) {
    EXPECT_EQ(kWireValueCaptions[kBoxExpansionCoeff], "線膨張係数");
    EXPECT_EQ(kWireValueCaptions[kBoxElasticModulus], "等価弾性係数");
    EXPECT_EQ(kWireValueCaptions[kBoxUnitWeight], "自重量");
    EXPECT_EQ(kWireValueCaptions[kBoxArea], "断面積");
    EXPECT_EQ(kWireValueCaptions[kBoxDiameterHigh], "高温季外径");
    EXPECT_EQ(kWireValueCaptions[kBoxDiameterLow], "低温季外径");
    EXPECT_EQ(kWireValueCaptions[kBoxMaxTension], "最大使用張力");
    EXPECT_EQ(kWireValueFields[kBoxExpansionCoeff], &WireRecord::expansionCoeff);
    EXPECT_EQ(kWireValueFields[kBoxMaxTension], &WireRecord::maxTension);
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
    float stored;
};

void PrintTo(const ValueCase& c, std::ostream* os) { *os << '"' << c.text << "\" -> " << c.stored; }

class WireFormValue : public ::testing::TestWithParam<ValueCase> {};

// Every box reads its leading number as far as there is one.
TEST_P(WireFormValue, IsReadLenientlyInEveryBox) {
    for (int box = 0; box < kWireValueBoxCount; ++box) {
        WireFormInput input = TypedExample();
        input.values[static_cast<std::size_t>(box)] = GetParam().text;
        const WireFormResult form = ReadWireForm(input);
        ASSERT_FALSE(form.refusal) << box << ": " << form.refusal->message;
        const float stored = form.record.*kWireValueFields[static_cast<std::size_t>(box)];
        EXPECT_EQ(stored, GetParam().stored) << kWireValueCaptions[static_cast<std::size_t>(box)];
        EXPECT_EQ(std::signbit(stored), std::signbit(GetParam().stored))
            << kWireValueCaptions[static_cast<std::size_t>(box)];
    }
}

INSTANTIATE_TEST_SUITE_P(
    WireForm, WireFormValue,
    ::testing::Values(ValueCase{"12kg", 12.0f}, ValueCase{"1 234", 1234.0f}, ValueCase{"abc", 0.0f},
                      ValueCase{"", 0.0f}, ValueCase{"-15.5", -15.5f},
                      ValueCase{"0.60123", 0.60123f}, ValueCase{"1.5D2", 150.0f},
                      // Words for numbers that are none here.
                      ValueCase{"nan", 0.0f}, ValueCase{"NaN", 0.0f}, ValueCase{"inf", 0.0f},
                      ValueCase{"-inf", 0.0f},
                      // Too small for a float: zero, without a sign left over.
                      ValueCase{"1e-50", 0.0f}, ValueCase{"1E-400", 0.0f},
                      // The largest float itself still fits.
                      ValueCase{"340282346638528859811704183484516925440",
                                std::numeric_limits<float>::max()},
                      ValueCase{"-3.4028234e38", -std::numeric_limits<float>::max()}));

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
                                           TooLargeCase{kBoxMaxTension, "1 0 E 5 0 kg",
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
