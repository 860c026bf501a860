// The wire settings window's save, without the window: from the texts of its
// boxes to the wire record to store, or the reason it cannot be stored and
// the box to put the focus in. The window reads its boxes into a
// WireFormInput, calls ReadWireForm, and either shows the refusal or stores
// the record and writes the catalogue (catalogue/catalogue_file.h).
//
// Each value box must hold one number as a whole (ReadBoxNumber: full-width
// digits are read, "12kg", "1,000", "abc" and an empty box are not), within
// the float range and above 0; otherwise the save is refused, naming the box.
//
// Messages are Japanese, UTF-8, with lines joined by CR LF like every message
// of the engine; a Qt window shows them through EngineMessage.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "engine/calculation/calculation_state.h"

namespace orvalt {

// The value boxes Text1(0) .. Text1(6) of both wire windows, in box order
// (the catalogue file's line order, not WireRecord's field order).
enum WireValueBox : int {
    kBoxExpansionCoeff = 0, // 線膨張係数
    kBoxElasticModulus = 1, // 等価弾性係数
    kBoxUnitWeight = 2,     // 自重量
    kBoxArea = 3,           // 断面積
    kBoxDiameterHigh = 4,   // 高温季外径
    kBoxDiameterLow = 5,    // 低温季外径
    kBoxMaxTension = 6,     // 最大使用張力
};
inline constexpr int kWireValueBoxCount = 7;

// The combo box cmbWireName, where a refusal names the box to focus.
inline constexpr int kBoxWireName = -1;

// The captions of the value boxes' labels Label1(0) .. Label1(6); messages
// name a box by them.
inline constexpr std::array<std::string_view, kWireValueBoxCount> kWireValueCaptions = {
    "線膨張係数", "等価弾性係数", "自重量", "断面積", "高温季外径", "低温季外径", "最大使用張力"};

// The field of WireRecord that value box i shows and stores.
inline constexpr std::array<float WireRecord::*, kWireValueBoxCount> kWireValueFields = {
    &WireRecord::expansionCoeff, &WireRecord::elasticModulus, &WireRecord::unitWeight,
    &WireRecord::area,           &WireRecord::diameterHigh,   &WireRecord::diameterLow,
    &WireRecord::maxTension};

// Why a form's texts cannot be stored, and where the engineer should look.
struct FormRefusal {
    int box = 0;         // Text1(box), or kBoxWireName for the combo box
    std::string message; // for an exclamation message box

    friend bool operator==(const FormRefusal&, const FormRefusal&) = default;
};

struct WireFormInput {
    std::string name;                                   // cmbWireName's text as typed
    std::array<std::string, kWireValueBoxCount> values; // Text1(0) .. Text1(6)
    bool adding = false; // saving the "新規" entry (currentIndex > lastIndex)
};

struct WireFormResult {
    // Set when nothing may be stored; `record` is then meaningless.
    std::optional<FormRefusal> refusal;
    // Otherwise the record for the slot being saved.
    WireRecord record;
};

// Reads value box `box` (WireValueBox) into its field of `record`, or says
// why it cannot, naming the box; the other fields are left as they were.
// The checks, in this order:
//  1. One number as a whole (ReadBoxNumber), else
//     "「等価弾性係数」の値が数値として読めません。" and "数値を入力してください。"
//  2. Within the float range, else "「等価弾性係数」の値が大きすぎます。" and
//     "扱える範囲の数値を入力してください。"
//  3. Above 0 once rounded to float (no wire constant means anything at 0 or
//     below), else "「最大使用張力」には 0 より大きい値を入力してください。"
// The value is rounded straight from its decimal text to float.
// Both wire windows and the conditions window read their wire boxes so.
std::optional<FormRefusal> ReadWireValue(int box, std::string_view text, WireRecord& record);

// The checks, in this order, the first that fails giving the refusal:
//  1. When adding, a name that is exactly "新規" or empty, untrimmed:
//     "電線種類を入力してください" (combo box). A name of blanks passes here.
//  2. The name with blanks (U+0020) removed at both ends and the JIS
//     look-alikes replaced (ReplaceJisLookAlikes) must pass CheckWireName;
//     otherwise its reason (combo box).
//  3. Each value box, Text1(0) first, as ReadWireValue reads it: readable,
//     within the float range, above 0 (that box).
// Nothing is stored on a refusal. Otherwise the record holds the trimmed,
// replaced name and each box's value rounded to float.
WireFormResult ReadWireForm(const WireFormInput& input);

} // namespace orvalt
