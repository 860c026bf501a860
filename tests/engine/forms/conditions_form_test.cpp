// The conditions window's OK without the window: what goes into the
// calculation state, what is refused with which message and box, and the
// main window's caption.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "engine/forms/conditions_form.h"
#include "support/wire_records.h"

namespace orvalt {
namespace {

using ::testing::HasSubstr;

// The boxes as the window opens with the worked example 1 and the start-up
// conditions (FormatPlainNumber puts a blank before values that are not
// negative).
ConditionsFormInput OpenedWindow() {
    ConditionsFormInput input;
    input.boxes[kBoxExpansionCoeff] = "18.00";
    input.boxes[kBoxElasticModulus] = "9000";
    input.boxes[kBoxUnitWeight] = "0.6000";
    input.boxes[kBoxArea] = "160.00";
    input.boxes[kBoxDiameterHigh] = "18.2";
    input.boxes[kBoxDiameterLow] = "18.2";
    input.boxes[kBoxMaxTension] = "1500";
    input.boxes[kBoxIceThickness] = " 9";
    input.boxes[kBoxIceSpecificGravity] = " 0.9";
    input.boxes[kBoxWindPressureHigh] = " 100";
    input.boxes[kBoxWindPressureLow] = " 50";
    input.boxes[kBoxWindPressureStudy] = " 0";
    input.boxes[kBoxTemperatureHigh] = " 15";
    input.boxes[kBoxTemperatureLow] = "-15";
    input.boxes[kBoxTemperatureStudy] = " 90";
    input.boxes[kBoxSpanStart] = " 100";
    input.boxes[kBoxSpanEnd] = " 400";
    input.boxes[kBoxSpanStep] = " 10";
    input.wireName = "計算例1";
    return input;
}

ConditionsValues Accepted(const ConditionsFormInput& input) {
    const ConditionsFormResult form = ReadConditionsForm(input);
    EXPECT_FALSE(form.refusal) << form.refusal->message;
    return form.values;
}

TEST(ConditionsForm, OpenedWindowGivesTheStartUpConditions) {
    const ConditionsValues values = Accepted(OpenedWindow());
    EXPECT_EQ(values.wire, test::WorkedExample1());
    EXPECT_EQ(values.windPressureHigh, 100.0f);
    EXPECT_EQ(values.windPressureLow, 50.0f);
    EXPECT_EQ(values.windPressureStudy, 0.0f);
    EXPECT_EQ(values.temperatureHigh, 15);
    EXPECT_EQ(values.temperatureLow, -15);
    EXPECT_EQ(values.temperatureStudy, 90);
    EXPECT_EQ(values.spanStart, 100.0f);
    EXPECT_EQ(values.spanEnd, 400.0f);
    EXPECT_EQ(values.spanStep, 10.0f);
}

// Both windows name a wire box alike, whichever form reads it.
TEST(ConditionsForm, WireBoxesAreRefusedAsInTheWireSettingsWindow) {
    for (int box = 0; box < kWireValueBoxCount; ++box) {
        for (const char* text : {"", "0", "1e39"}) {
            ConditionsFormInput conditions = OpenedWindow();
            conditions.boxes[static_cast<std::size_t>(box)] = text;
            WireFormInput wire;
            wire.values = {"18", "9000", ".6", "160", "18.2", "18.2", "1500"};
            wire.values[static_cast<std::size_t>(box)] = text;
            const std::optional<FormRefusal> refusal = ReadConditionsForm(conditions).refusal;
            ASSERT_TRUE(refusal) << box << " \"" << text << '"';
            EXPECT_EQ(refusal, ReadWireForm(wire).refusal);
            EXPECT_THAT(refusal->message,
                        HasSubstr(kConditionsBoxCaptions[static_cast<std::size_t>(box)]));
        }
    }
}

// Wire constants are read as the boxes show them, as a whole number each.
TEST(ConditionsForm, WireConstantsAsShownAndTheNameAsTyped) {
    ConditionsFormInput input = OpenedWindow();
    input.boxes[kBoxUnitWeight] = "0.6012";
    input.boxes[kBoxArea] = "\u3000１２．５ ";
    input.boxes[kBoxElasticModulus] = "8.3E3";
    input.wireName = "  計算例1 改 ";
    const ConditionsValues values = Accepted(input);
    EXPECT_EQ(values.wire.unitWeight, 0.6012f);
    EXPECT_EQ(values.wire.area, 12.5f);
    EXPECT_EQ(values.wire.elasticModulus, 8300.0f);
    EXPECT_EQ(values.wire.wireName, "  計算例1 改 ");
}

// The thickness is a whole number of mm, rounded down like a temperature;
// the specific gravity is kept as typed.
struct IceCase {
    const char* thickness;
    const char* gravity;
    std::int16_t storedThickness;
    float storedGravity;
};

void PrintTo(const IceCase& c, std::ostream* os) {
    *os << c.thickness << " / " << c.gravity;
}

class IceBoxes : public ::testing::TestWithParam<IceCase> {};

TEST_P(IceBoxes, StoreTheThicknessRoundedDownAndTheGravityAsTyped) {
    ConditionsFormInput input = OpenedWindow();
    input.boxes[kBoxIceThickness] = GetParam().thickness;
    input.boxes[kBoxIceSpecificGravity] = GetParam().gravity;
    const ConditionsFormResult form = ReadConditionsForm(input);
    ASSERT_FALSE(form.refusal) << form.refusal->message;
    EXPECT_EQ(form.ice, (IceValues{GetParam().storedThickness, GetParam().storedGravity}));
    // Nothing else moves.
    EXPECT_EQ(form.values, Accepted(OpenedWindow()));
}

INSTANTIATE_TEST_SUITE_P(ConditionsForm, IceBoxes,
                         ::testing::Values(IceCase{" 9", " 0.9", 9, 0.9f},
                                           IceCase{"6", "0.9", 6, 0.9f},
                                           IceCase{"0", "0.6", 0, 0.6f},
                                           IceCase{"6.9", "0.917", 6, 0.917f},
                                           IceCase{"５０．９", "１．０", 50, 1.0f},
                                           IceCase{"-0", "0.1", 0, 0.1f},
                                           IceCase{"1e1", "9E-1", 10, 0.9f}));

// ---------------------------------------------------------------------------
// Conditions: the number rounded down

struct FloorCase {
    int box;
    const char* text;
    double stored;
};

void PrintTo(const FloorCase& c, std::ostream* os) {
    *os << kConditionsBoxCaptions[static_cast<std::size_t>(c.box)] << " \"" << c.text << '"';
}

double StoredIn(const ConditionsValues& v, int box) {
    switch (box) {
        case kBoxWindPressureHigh: return v.windPressureHigh;
        case kBoxWindPressureLow: return v.windPressureLow;
        case kBoxWindPressureStudy: return v.windPressureStudy;
        case kBoxTemperatureHigh: return v.temperatureHigh;
        case kBoxTemperatureLow: return v.temperatureLow;
        case kBoxTemperatureStudy: return v.temperatureStudy;
        case kBoxSpanStart: return v.spanStart;
        case kBoxSpanEnd: return v.spanEnd;
        case kBoxSpanStep: return v.spanStep;
        default: ADD_FAILURE() << "not a condition box: " << box; return 0;
    }
}

class ConditionsFloor : public ::testing::TestWithParam<FloorCase> {};

TEST_P(ConditionsFloor, StoresTheNumberRoundedDown) {
    ConditionsFormInput input = OpenedWindow();
    input.boxes[static_cast<std::size_t>(GetParam().box)] = GetParam().text;
    const ConditionsValues values = Accepted(input);
    EXPECT_EQ(StoredIn(values, GetParam().box), GetParam().stored);
    // Only that box changed anything.
    for (int other :
         {kBoxWindPressureHigh, kBoxWindPressureLow, kBoxWindPressureStudy, kBoxTemperatureHigh,
          kBoxTemperatureLow, kBoxTemperatureStudy, kBoxSpanStart, kBoxSpanEnd, kBoxSpanStep}) {
        if (other != GetParam().box) {
            EXPECT_EQ(StoredIn(values, other), StoredIn(Accepted(OpenedWindow()), other))
                << kConditionsBoxCaptions[static_cast<std::size_t>(other)];
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ConditionsForm, ConditionsFloor,
                         ::testing::Values(FloorCase{kBoxWindPressureHigh, "100.9", 100},
                                           FloorCase{kBoxWindPressureLow, "１２０", 120},
                                           FloorCase{kBoxWindPressureStudy, "0.9", 0},
                                           FloorCase{kBoxTemperatureHigh, "15.7", 15},
                                           FloorCase{kBoxTemperatureLow, "-0.5", -1},
                                           FloorCase{kBoxTemperatureStudy, "－１５．５", -16},
                                           FloorCase{kBoxTemperatureStudy, "32767.9", 32767},
                                           FloorCase{kBoxTemperatureLow, "-273", -273},
                                           FloorCase{kBoxSpanStart, "5e1", 50},
                                           FloorCase{kBoxSpanEnd, "\t４００．５\u3000", 400},
                                           FloorCase{kBoxSpanStep, "1.9", 1}));

// ---------------------------------------------------------------------------
// Refusals

struct RefusalCase {
    const char* title;
    int box;
    const char* text;
    const char* message;
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.title; }

class ConditionsRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(ConditionsRefusal, NamesTheBoxAndItsLabel) {
    ConditionsFormInput input = OpenedWindow();
    input.boxes[static_cast<std::size_t>(GetParam().box)] = GetParam().text;
    const ConditionsFormResult form = ReadConditionsForm(input);
    ASSERT_TRUE(form.refusal);
    EXPECT_EQ(*form.refusal, (FormRefusal{GetParam().box, GetParam().message}));
}

#define NOT_A_NUMBER(caption) \
    "「" caption "」の値が数値として読めません。\r\n数値を入力してください。"
#define TOO_LARGE(caption) \
    "「" caption "」の値が大きすぎます。\r\n扱える範囲の数値を入力してください。"
#define TEMPERATURE(caption) "「" caption "」は -273 から 32767 までの温度を入力してください。"
#define NOT_POSITIVE(caption) "「" caption "」には 0 より大きい値を入力してください。"
#define NEGATIVE(caption) "「" caption "」には 0 以上の値を入力してください。"
#define ICE "「被　　氷」は 0 から 50 までの厚さ（mm）を入力してください。"
#define GRAVITY "「比重」は 0.1 から 1.0 までの値を入力してください。"
#define STEP_ZERO                                                                                                        \
    "「計算単位径間」は小数点以下を切り捨てた整数として使うため、0 になります。\r\n" \
    "1 以上の値（短い径間へ進めるときは -1 以下の値）を入力してください。"

INSTANTIATE_TEST_SUITE_P(
    ConditionsForm, ConditionsRefusal,
    ::testing::Values(
        RefusalCase{"EmptyExpansionCoeff", kBoxExpansionCoeff, "", NOT_A_NUMBER("線膨張係数")},
        RefusalCase{"UnitAfterModulus", kBoxElasticModulus, "8300kg", NOT_A_NUMBER("等価弾性係数")},
        RefusalCase{"BlankInsideWeight", kBoxUnitWeight, "0. 6", NOT_A_NUMBER("自重量")},
        RefusalCase{"ExponentWithD", kBoxArea, "1.6D2", NOT_A_NUMBER("断面積")},
        RefusalCase{"WordDiameter", kBoxDiameterHigh, "nan", NOT_A_NUMBER("高温季外径")},
        RefusalCase{"Infinity", kBoxDiameterLow, "inf", NOT_A_NUMBER("低温季外径")},
        RefusalCase{"TensionBeyondFloat", kBoxMaxTension, "1e39", TOO_LARGE("最大使用張力")},
        RefusalCase{"ZeroArea", kBoxArea, "０", NOT_POSITIVE("断面積")},
        RefusalCase{"NegativeDiameter", kBoxDiameterLow, "-18.2", NOT_POSITIVE("低温季外径")},
        RefusalCase{"WindHigh", kBoxWindPressureHigh, "1e39", TOO_LARGE("高温季風圧")},
        RefusalCase{"WindLow", kBoxWindPressureLow, "-1e39", TOO_LARGE("低温季風圧")},
        RefusalCase{"WindStudy", kBoxWindPressureStudy, "1E400", TOO_LARGE("検討時風圧")},
        RefusalCase{"WindWithComma", kBoxWindPressureHigh, "1,000", NOT_A_NUMBER("高温季風圧")},
        RefusalCase{"EmptyWind", kBoxWindPressureLow, "", NOT_A_NUMBER("低温季風圧")},
        RefusalCase{"WindBelowZero", kBoxWindPressureLow, "-0.5", NEGATIVE("低温季風圧")},
        RefusalCase{"TemperatureHigh", kBoxTemperatureHigh, "32768",
                    TEMPERATURE("高温季荷重条件温度")},
        RefusalCase{"TemperatureLow", kBoxTemperatureLow, "-273.5",
                    TEMPERATURE("低温季荷重条件温度")},
        RefusalCase{"TemperatureStudy", kBoxTemperatureStudy, "1E400", TEMPERATURE("検討温度")},
        RefusalCase{"TemperatureWord", kBoxTemperatureStudy, "abc", NOT_A_NUMBER("検討温度")},
        RefusalCase{"SpanStart", kBoxSpanStart, "3.5e38", TOO_LARGE("計算開始径間長")},
        RefusalCase{"SpanEnd", kBoxSpanEnd, "1e39m", NOT_A_NUMBER("計算終り径間長")},
        RefusalCase{"SpanStep", kBoxSpanStep, "-1E400", TOO_LARGE("計算単位径間")},
        RefusalCase{"StepBelowOne", kBoxSpanStep, "0.5", STEP_ZERO},
        RefusalCase{"IceWord", kBoxIceThickness, "1e99 どれでも", NOT_A_NUMBER("被　　氷")},
        RefusalCase{"IceEmpty", kBoxIceThickness, "", NOT_A_NUMBER("被　　氷")},
        RefusalCase{"IceBelowZero", kBoxIceThickness, "-0.5", ICE},
        RefusalCase{"IceAbove50", kBoxIceThickness, "51", ICE},
        RefusalCase{"IceHuge", kBoxIceThickness, "1E400", ICE},
        RefusalCase{"GravityEmpty", kBoxIceSpecificGravity, "", NOT_A_NUMBER("比重")},
        RefusalCase{"GravityWithUnit", kBoxIceSpecificGravity, "0.9g", NOT_A_NUMBER("比重")},
        RefusalCase{"GravityBelow", kBoxIceSpecificGravity, "0.09", GRAVITY},
        RefusalCase{"GravityAbove", kBoxIceSpecificGravity, "1.01", GRAVITY},
        RefusalCase{"GravityZero", kBoxIceSpecificGravity, "0", GRAVITY},
        RefusalCase{"GravityHuge", kBoxIceSpecificGravity, "1e39", GRAVITY},
        RefusalCase{"StepZero", kBoxSpanStep, "０", STEP_ZERO}),
    [](const auto& info) { return std::string(info.param.title); });

#undef NOT_A_NUMBER
#undef TOO_LARGE
#undef TEMPERATURE
#undef NOT_POSITIVE
#undef NEGATIVE
#undef STEP_ZERO
#undef ICE
#undef GRAVITY
#undef STEP_BACKWARDS

// The boxes are checked in the order OK stores them: wire constants 0 to 6,
// the ice 7 and its specific gravity 17, wind 9, 8, 16, temperatures 12, 11, 10, spans 15, 14, 13.
TEST(ConditionsForm, FirstBoxInStoringOrderIsNamed) {
    const auto firstRefused = [](std::initializer_list<int> badBoxes) {
        ConditionsFormInput input = OpenedWindow();
        for (const int box : badBoxes) {
            input.boxes[static_cast<std::size_t>(box)] = "1E400";
        }
        const ConditionsFormResult form = ReadConditionsForm(input);
        return form.refusal ? form.refusal->box : -100;
    };
    EXPECT_EQ(firstRefused({kBoxMaxTension, kBoxElasticModulus}), kBoxElasticModulus);
    EXPECT_EQ(firstRefused({kBoxIceThickness, kBoxMaxTension}), kBoxMaxTension);
    EXPECT_EQ(firstRefused({kBoxIceSpecificGravity, kBoxIceThickness}), kBoxIceThickness);
    EXPECT_EQ(firstRefused({kBoxWindPressureHigh, kBoxIceSpecificGravity}),
              kBoxIceSpecificGravity);
    EXPECT_EQ(firstRefused({kBoxWindPressureHigh, kBoxMaxTension}), kBoxMaxTension);
    EXPECT_EQ(firstRefused({kBoxWindPressureLow, kBoxWindPressureHigh}), kBoxWindPressureHigh);
    EXPECT_EQ(firstRefused({kBoxWindPressureStudy, kBoxWindPressureLow}), kBoxWindPressureLow);
    EXPECT_EQ(firstRefused({kBoxTemperatureHigh, kBoxWindPressureStudy}), kBoxWindPressureStudy);
    EXPECT_EQ(firstRefused({kBoxTemperatureLow, kBoxTemperatureHigh}), kBoxTemperatureHigh);
    EXPECT_EQ(firstRefused({kBoxTemperatureStudy, kBoxTemperatureLow}), kBoxTemperatureLow);
    EXPECT_EQ(firstRefused({kBoxSpanStart, kBoxTemperatureStudy}), kBoxTemperatureStudy);
    EXPECT_EQ(firstRefused({kBoxSpanEnd, kBoxSpanStart}), kBoxSpanStart);
    EXPECT_EQ(firstRefused({kBoxSpanStep, kBoxSpanEnd}), kBoxSpanEnd);
    EXPECT_EQ(firstRefused({kBoxSpanStep}), kBoxSpanStep);
}

// ---------------------------------------------------------------------------
// Into the calculation state, and the caption

TEST(ConditionsForm, ApplyStoresEverythingButTheStudyIce) {
    CalculationState state;
    state.iceThickness = 12;
    state.iceThicknessStudy = 3;
    state.loadFactorHigh = 2.5f;
    state.currentWire = {.wireName = "前の電線",
                         .diameterHigh = 1,
                         .diameterLow = 2,
                         .area = 3,
                         .unitWeight = 4,
                         .expansionCoeff = 5,
                         .elasticModulus = 6,
                         .maxTension = 7};
    ConditionsFormInput input = OpenedWindow();
    input.boxes[kBoxWindPressureHigh] = "80";
    input.boxes[kBoxWindPressureLow] = "40";
    input.boxes[kBoxWindPressureStudy] = "5";
    input.boxes[kBoxTemperatureHigh] = "20";
    input.boxes[kBoxTemperatureLow] = "-20";
    input.boxes[kBoxTemperatureStudy] = "75";
    input.boxes[kBoxSpanStart] = "400";
    input.boxes[kBoxSpanEnd] = "100";
    input.boxes[kBoxSpanStep] = "-25";
    input.boxes[kBoxIceThickness] = "30";
    input.boxes[kBoxIceSpecificGravity] = "0.6";
    const ConditionsFormResult form = ReadConditionsForm(input);
    ASSERT_FALSE(form.refusal);
    ApplyConditions(form.values, state);
    EXPECT_EQ(state.iceThickness, 12) << "the ice is ApplyIce's";
    ApplyIce(form.ice, state);

    EXPECT_EQ(state.currentWire, test::WorkedExample1());
    EXPECT_EQ(state.windPressureHigh, 80.0f);
    EXPECT_EQ(state.windPressureLow, 40.0f);
    EXPECT_EQ(state.windPressureStudy, 5.0f);
    EXPECT_EQ(state.temperatureHigh, 20);
    EXPECT_EQ(state.temperatureLow, -20);
    EXPECT_EQ(state.temperatureStudy, 75);
    EXPECT_EQ(state.spanStart, 400.0f);
    EXPECT_EQ(state.spanEnd, 100.0f);
    EXPECT_EQ(state.spanStep, -25.0f);
    EXPECT_EQ(state.iceThickness, 30);
    EXPECT_EQ(state.iceSpecificGravity, 0.6f);
    // Not the form's to change.
    EXPECT_EQ(state.iceThicknessStudy, 3);
    EXPECT_EQ(state.loadFactorHigh, 2.5f);
}

struct CaptionCase {
    const char* name;
    std::int16_t temperature;
    const char* caption;
};

void PrintTo(const CaptionCase& c, std::ostream* os) { *os << c.caption; }

class MainCaption : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(MainCaption, NamesTheWireAndTheStudyTemperature) {
    EXPECT_EQ(MainWindowCaption(GetParam().name, GetParam().temperature), GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(
    ConditionsForm, MainCaption,
    ::testing::Values(CaptionCase{"計算例1", 90, "最大使用張力計算  計算例1  90°"},
                      CaptionCase{"", -15, "最大使用張力計算    -15°"},
                      CaptionCase{" 名 前 ", 0, "最大使用張力計算   名 前   0°"},
                      CaptionCase{"ACSR", -32768, "最大使用張力計算  ACSR  -32768°"},
                      CaptionCase{"ACSR", 32767, "最大使用張力計算  ACSR  32767°"}));

} // namespace
} // namespace orvalt
