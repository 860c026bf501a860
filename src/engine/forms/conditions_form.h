// The conditions window's OK, without the window: from the texts of its
// seventeen boxes and its combo box to the wire and the conditions that go
// into the calculation state, or the reason they cannot and the box to put
// the focus in. The ice box Text1(7) and the specific gravity box beside it
// are read too: the thickness as a whole number like a temperature, the
// specific gravity as typed. The window reads its boxes into a ConditionsFormInput, calls
// ReadConditionsForm, and either shows the refusal (on the box's tab) or
// calls ApplyConditions, enables 計算 and sets MainWindowCaption.
//
// Messages are Japanese, UTF-8, with lines joined by CR LF like every message
// of the engine; a Qt window shows them through EngineMessage.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/calculation/calculation_state.h"
#include "engine/forms/wire_form.h"

namespace orvalt {

// The boxes Text1(0) .. Text1(17) of the conditions window. Boxes 0 to 6 are
// the wire value boxes (WireValueBox: kBoxExpansionCoeff ... kBoxMaxTension).
enum ConditionsBox : int {
    kBoxIceThickness = 7,       // 被　　氷 [mm], low-temperature season
    kBoxWindPressureLow = 8,    // 低温季風圧
    kBoxWindPressureHigh = 9,   // 高温季風圧
    kBoxTemperatureStudy = 10,  // 検討温度
    kBoxTemperatureLow = 11,    // 低温季荷重条件温度
    kBoxTemperatureHigh = 12,   // 高温季荷重条件温度
    kBoxSpanStep = 13,          // 計算単位径間
    kBoxSpanEnd = 14,           // 計算終り径間長
    kBoxSpanStart = 15,         // 計算開始径間長
    kBoxWindPressureStudy = 16, // 検討時風圧, read-only
    kBoxIceSpecificGravity = 17, // 比重 of the ice, beside 被　　氷
};
inline constexpr int kConditionsBoxCount = 18;

// What the ice boxes accept: a thickness of whole millimetres and a specific
// gravity from that of wet snow to that of water.
inline constexpr int kIceThicknessMax = 50;     // [mm]
inline constexpr double kIceGravityMin = 0.1;
inline constexpr double kIceGravityMax = 1.0;

// The lowest temperature a box takes [degC]: absolute zero in whole degrees.
inline constexpr int kLowestTemperature = -273;
// The highest: what a 16-bit temperature holds.
inline constexpr int kHighestTemperature = 32767;

// The captions of the labels of the boxes, one per box; messages name a box
// by them. The wire boxes carry the wire settings window's captions.
inline constexpr std::array<std::string_view, kConditionsBoxCount> kConditionsBoxCaptions = [] {
    std::array<std::string_view, kConditionsBoxCount> captions{};
    for (std::size_t box = 0; box < kWireValueCaptions.size(); ++box) {
        captions[box] = kWireValueCaptions[box];
    }
    captions[kBoxIceThickness] = "被　　氷";
    captions[kBoxWindPressureLow] = "低温季風圧";
    captions[kBoxWindPressureHigh] = "高温季風圧";
    captions[kBoxTemperatureStudy] = "検討温度";
    captions[kBoxTemperatureLow] = "低温季荷重条件温度";
    captions[kBoxTemperatureHigh] = "高温季荷重条件温度";
    captions[kBoxSpanStep] = "計算単位径間";
    captions[kBoxSpanEnd] = "計算終り径間長";
    captions[kBoxSpanStart] = "計算開始径間長";
    captions[kBoxWindPressureStudy] = "検討時風圧";
    captions[kBoxIceSpecificGravity] = "比重";
    return captions;
}();

struct ConditionsFormInput {
    std::array<std::string, kConditionsBoxCount> boxes; // Text1(0) .. Text1(17)
    std::string wireName;                               // cmbWireName's text as typed
    // The load classes chosen beside the wind boxes and the 多導体 mark,
    // handed on as they are.
    LoadClass loadClassHigh = LoadClass::kCustom;
    LoadClass loadClassLow = LoadClass::kCustom;
    bool bundle = false;
};

// What OK stores. Conditions are whole numbers: the number of their box
// rounded towards minus infinity (15.7 -> 15, -0.5 -> -1).
struct ConditionsValues {
    WireRecord wire;                   // constants of Text1(0..6) (ReadWireValue); name untrimmed
    float windPressureHigh = 0.0f;     // Text1(9)
    float windPressureLow = 0.0f;      // Text1(8)
    float windPressureStudy = 0.0f;    // Text1(16)
    std::int16_t temperatureHigh = 0;  // Text1(12)
    std::int16_t temperatureLow = 0;   // Text1(11)
    std::int16_t temperatureStudy = 0; // Text1(10)
    float spanStart = 0.0f;            // Text1(15)
    float spanEnd = 0.0f;              // Text1(14)
    float spanStep = 0.0f;             // Text1(13)
    LoadClass loadClassHigh = LoadClass::kCustom;
    LoadClass loadClassLow = LoadClass::kCustom;
    bool bundle = false;

    friend bool operator==(const ConditionsValues&, const ConditionsValues&) = default;
};

// The ice of the low-temperature season; the defaults are the state's.
struct IceValues {
    std::int16_t thickness = 9;   // Text1(7) [mm], rounded down like a temperature
    float specificGravity = 0.9f; // Text1(17), the float nearest to the number typed

    friend bool operator==(const IceValues&, const IceValues&) = default;
};

struct ConditionsFormResult {
    // Set when nothing may be stored; `values` and `ice` are then meaningless.
    std::optional<FormRefusal> refusal;
    ConditionsValues values;
    IceValues ice;
};

// Every box OK reads must hold one number as a whole (ReadBoxNumber: full-
// width digits are read; empty, "1,000" or "abc" are not):
// "「高温季風圧」の値が数値として読めません。" and "数値を入力してください。"
// The checks, box by box in this order, the first that fails giving the
// refusal (its box is the one named), nothing stored then:
//  1. Text1(0) .. Text1(6) as ReadWireValue reads them: readable, within the
//     float range, above 0 ("「断面積」には 0 より大きい値を入力してください。").
//  1a. The ice: Text1(7) readable and within 0 .. 50 once rounded down
//     ("「被　　氷」は 0 から 50 までの厚さ（mm）を入力してください。"), then
//     Text1(17) readable and within 0.1 .. 1.0 as typed
//     ("「比重」は 0.1 から 1.0 までの値を入力してください。").
//  2. The wind pressures Text1(9), (8), (16): readable, within the float
//     range once rounded down ("「高温季風圧」の値が大きすぎます。" and
//     "扱える範囲の数値を入力してください。"), not below 0
//     ("「高温季風圧」には 0 以上の値を入力してください。").
//  3. The temperatures Text1(12), (11), (10): readable, within -273 .. 32767
//     once rounded down:
//     "「高温季荷重条件温度」は -273 から 32767 までの温度を入力してください。"
//  4. The spans Text1(15), (14), (13): readable, within the float range as
//     in 2. The step, used as a whole number, must not round down to 0; each
//     refusal says why.
// The step's direction is not checked here: a step leading away from the end
// span (400 to 390 by 10) passes, and the span table's calculation refuses it
// (RunCalculation), while a tension section, which needs no span table,
// still computes (ComputeSectionResults).
ConditionsFormResult ReadConditionsForm(const ConditionsFormInput& input);

// Stores accepted values: currentWire (all eight fields), the three wind
// pressures, the three temperatures, the three spans, the load classes and
// the 多導体 mark. The ice and everything else stay as they were.
void ApplyConditions(const ConditionsValues& values, CalculationState& state);

// Stores the ice: iceThickness and iceSpecificGravity (not iceThicknessStudy).
void ApplyIce(const IceValues& ice, CalculationState& state);

// The main window's caption after OK: "最大使用張力計算", two blanks, the wire
// name as it is, two blanks, the study temperature as a whole number ("-" for
// negative ones) and "°": "最大使用張力計算  計算例1  90°".
std::string MainWindowCaption(std::string_view wireName, std::int16_t temperatureStudy);

} // namespace orvalt
