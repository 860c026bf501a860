// The result report: 22 lines of wire constants, conditions and load factors,
// then one fixed-column line per span. It is laid out for a fixed-pitch font
// in which a full-width character takes two half-width cells; the labels below
// are written for that, the numbers are aligned by counting characters.
//
// The largest table has 32,767 rows (some 400,000 numbers, about 2.9 MB), so
// every number is appended straight into one reserved string: no temporary
// string per number.

#include "engine/output/report_text.h"

#include <cstddef>
#include <limits>
#include <string_view>

#include "engine/number/number_text.h"
#include "engine/number/result_columns.h"
#include "engine/number/units.h"
#include "engine/output/text_lines.h"

namespace orvalt {
namespace {

// Patterns of the report's numbers.
constexpr NumberPattern kAreaPattern{"###0.00"};
constexpr NumberPattern kDiameterPattern{"##0.00"};
constexpr NumberPattern kUnitWeightPattern{"#0.00000"};
constexpr NumberPattern kModulusPattern{"####0.0"};
constexpr NumberPattern kExpansionPattern{"##0.00"};
constexpr NumberPattern kConditionPattern{"##0.0"}; // wind pressures and temperatures
constexpr NumberPattern kIcePattern{"#0.00"};
constexpr NumberPattern kGravityPattern{"0.##0"};
constexpr NumberPattern kLoadFactorPattern{"##.#####0"};
constexpr NumberPattern kCriticalSpanPattern{"####0.00"};

// The table's columns, by unit system (result_columns.h).
struct TablePatterns {
    NumberPattern span, sag, tension, whole; // whole: K value and template number
};
constexpr TablePatterns PatternsIn(UnitSystem units) {
    return {NumberPattern{ColumnPattern(ResultColumn::kSpan, units)},
            NumberPattern{ColumnPattern(ResultColumn::kSag, units)},
            NumberPattern{ColumnPattern(ResultColumn::kTension, units)},
            NumberPattern{ColumnPattern(ResultColumn::kKValue, units)}};
}
constexpr TablePatterns kKgPatterns = PatternsIn(UnitSystem::kKgf);
constexpr TablePatterns kSiPatterns = PatternsIn(UnitSystem::kSi);

// Column widths: a number is right-aligned in its width and written whole
// when it is longer. Each condition block of a table line is 9 + 9 + 4 + 4 = 26.
constexpr std::size_t kConditionWidth = 14;
constexpr std::size_t kIceWidth = 16;
constexpr std::size_t kGravityWidth = 18;
constexpr std::size_t kLoadFactorHighWidth = 15;
constexpr std::size_t kLoadFactorLowWidth = 23;
constexpr std::size_t kLoadFactorStudyWidth = 21;
// Ends the value three columns before the end of the heading 臨界径間[m],
// as the load factors end three columns before theirs.
constexpr std::size_t kCriticalSpanWidth = 13;
constexpr std::size_t kSagWidth = ColumnInfo(ResultColumn::kSag).width;
constexpr std::size_t kTensionWidth = ColumnInfo(ResultColumn::kTension).width;
constexpr std::size_t kWholeWidth = ColumnInfo(ResultColumn::kKValue).width;

// Lines 1 to 12 and 17, 18, 21, 22 are fixed text. The full-width spaces
// (U+3000) inside 線　　　種 are part of the label.
constexpr std::string_view kTitle = "                    /* 最大使用張力計算表 */";
constexpr std::string_view kConstantsHeading = "///// 架渉線定数 /////";
constexpr std::string_view kNameLabel = "線\u3000\u3000\u3000種          :  ";
constexpr std::string_view kAreaLabel = "計算断面積  [mm2]   :  ";
constexpr std::string_view kDiameterHighLabel = "外径(高温季)[mm]    :  ";
constexpr std::string_view kDiameterLowLabel = "外径(低温季)[mm]    :  ";
// The labels with a unit are the name, the unit in brackets padded to its
// width, and ":  " (UnitLabelled).
constexpr std::string_view kUnitWeightName = "単位長重量  ";
constexpr std::string_view kModulusName = "弾性係数    ";
constexpr std::size_t kLabelUnitWidth = 8;
constexpr std::string_view kExpansionLabel = "線膨張係数  [/℃]   :  ";
constexpr std::string_view kExpansionUnit = "*10^-6";
constexpr std::string_view kConditionsHeading = "///// 基本条件 /////";
constexpr std::string_view kConditionsWindName = "        架渉線風圧";
constexpr std::size_t kConditionsWindUnitWidth = 13;
constexpr std::string_view kConditionsOtherColumns = "温度[℃]       被氷[mm2]          比重";
constexpr std::string_view kHighLabel = "高温季  ";
constexpr std::string_view kLowLabel = "低温季  ";
constexpr std::string_view kStudyLabel = "検討条件";
constexpr std::string_view kResultsHeading = "計算結果";
constexpr std::string_view kLoadFactorColumns =
    "高温季負荷係数[QH]     低温季負荷係数[QL]   検討時負荷係数[Qs]  臨界径間[m]";
constexpr std::string_view kTableHeading =
    "径間[m]    ***本線高温季***          ***本線低温季***          ***本線検討条件***";
constexpr std::string_view kTableColumns =
    "        弛 度   張 力   K値 定規  弛 度   張 力   K値 定規  弛 度   張 力   K値 定規";

constexpr std::string_view kRowIndent = "  ";

// Bytes per table line: "  " + span + 3 x 26 + CR LF, with room for wider
// values; only a reservation, never a limit.
constexpr std::size_t kRowBytesEstimate = 96;
constexpr std::size_t kHeaderBytesEstimate = 2048;

// Double to float without undefined behaviour for values beyond the float
// range (the calculation never stores such a critical span, but the state is
// plain data).
float RoundToFloat(double value) {
    constexpr double kLargest = std::numeric_limits<float>::max();
    if (value > kLargest) {
        return std::numeric_limits<float>::infinity();
    }
    if (value < -kLargest) {
        return -std::numeric_limits<float>::infinity();
    }
    return static_cast<float>(value);
}

// "[unit]" followed by blanks up to `width` characters (ASCII units).
std::string PaddedUnit(UnitQuantity quantity, UnitSystem units, std::size_t width) {
    std::string unit = "[" + std::string(UnitLabel(quantity, units)) + "]";
    if (unit.size() < width) {
        unit.append(width - unit.size(), ' ');
    }
    return unit;
}

std::string UnitLabelled(std::string_view name, UnitQuantity quantity, UnitSystem units) {
    return std::string(name) + PaddedUnit(quantity, units, kLabelUnitWidth) + ":  ";
}

void AppendLabelledValue(std::string& out, std::string_view label, float value,
                         const NumberPattern& pattern) {
    out += label;
    AppendWithPattern(out, value, pattern);
    out += kLineEnd;
}

void AppendConditionBlock(std::string& out, const ConditionResult& block,
                          const TablePatterns& patterns, UnitSystem units) {
    AppendWithPattern(out, block.sag, patterns.sag, kSagWidth);
    AppendWithPattern(out, ColumnValue(ResultColumn::kTension, block.tension, units),
                      patterns.tension, kTensionWidth);
    AppendWithPattern(out, block.kValue, patterns.whole, kWholeWidth);
    AppendWithPattern(out, block.templateNumber, patterns.whole, kWholeWidth);
}

void AppendTableLine(std::string& out, const SpanRow& row, UnitSystem units) {
    const TablePatterns& patterns = units == UnitSystem::kSi ? kSiPatterns : kKgPatterns;
    out += kRowIndent;
    // The span is not aligned: a two-digit span shifts its line one column
    // to the left, a four-digit one to the right.
    AppendWithPattern(out, row.block[kHighSeason].span, patterns.span);
    AppendConditionBlock(out, row.block[kHighSeason], patterns, units);
    AppendConditionBlock(out, row.block[kLowSeason], patterns, units);
    AppendConditionBlock(out, row.block[kStudyCondition], patterns, units);
    out += kLineEnd;
}

} // namespace

void AppendWireAndConditionLines(std::string& out, const CalculationState& state,
                                 UnitSystem units) {
    const WireRecord& wire = state.currentWire;
    AppendLine(out, kConstantsHeading);
    out += kNameLabel;
    out += wire.wireName;
    out += kLineEnd;
    AppendLabelledValue(out, kAreaLabel, wire.area, kAreaPattern);
    AppendLabelledValue(out, kDiameterHighLabel, wire.diameterHigh, kDiameterPattern);
    AppendLabelledValue(out, kDiameterLowLabel, wire.diameterLow, kDiameterPattern);
    AppendLabelledValue(out, UnitLabelled(kUnitWeightName, UnitQuantity::kUnitWeight, units),
                        ShownValue(wire.unitWeight, UnitQuantity::kUnitWeight, units),
                        kUnitWeightPattern);
    AppendLabelledValue(out, UnitLabelled(kModulusName, UnitQuantity::kStress, units),
                        ShownValue(wire.elasticModulus, UnitQuantity::kStress, units),
                        kModulusPattern);
    out += kExpansionLabel;
    AppendWithPattern(out, wire.expansionCoeff, kExpansionPattern);
    out += kExpansionUnit;
    out += kLineEnd;
    AppendLine(out, "");

    AppendLine(out, kConditionsHeading);
    out += kConditionsWindName;
    out += PaddedUnit(UnitQuantity::kWindPressure, units, kConditionsWindUnitWidth);
    out += kConditionsOtherColumns;
    out += kLineEnd;
    const auto wind = [units](float stored) {
        return ShownValue(stored, UnitQuantity::kWindPressure, units);
    };
    // The high season has no ice and the study condition no specific
    // gravity: those lines end earlier.
    out += kHighLabel;
    AppendWithPattern(out, wind(state.windPressureHigh), kConditionPattern, kConditionWidth);
    AppendWithPattern(out, state.temperatureHigh, kConditionPattern, kConditionWidth);
    out += kLineEnd;
    out += kLowLabel;
    AppendWithPattern(out, wind(state.windPressureLow), kConditionPattern, kConditionWidth);
    AppendWithPattern(out, state.temperatureLow, kConditionPattern, kConditionWidth);
    AppendWithPattern(out, state.iceThickness, kIcePattern, kIceWidth);
    AppendWithPattern(out, state.iceSpecificGravity, kGravityPattern, kGravityWidth);
    out += kLineEnd;
    out += kStudyLabel;
    AppendWithPattern(out, wind(state.windPressureStudy), kConditionPattern, kConditionWidth);
    AppendWithPattern(out, state.temperatureStudy, kConditionPattern, kConditionWidth);
    AppendWithPattern(out, state.iceThicknessStudy, kIcePattern, kIceWidth);
    out += kLineEnd;
}

std::string ComposeResultReport(const CalculationState& state, UnitSystem units) {
    const WireRecord& wire = state.currentWire;
    std::string out;
    out.reserve(kHeaderBytesEstimate + wire.wireName.size() +
                state.resultTable.size() * kRowBytesEstimate);

    AppendLine(out, kTitle);
    AppendWireAndConditionLines(out, state, units);
    AppendLine(out, "");

    out += kResultsHeading;
    if (units == UnitSystem::kSi) {
        // The table's headings carry no units; in SI they are named here.
        out += "（弛度" + BracketedUnit(ResultColumn::kSag, units) + "、張力" +
               BracketedUnit(ResultColumn::kTension, units) + "）";
    }
    out += kLineEnd;
    AppendLine(out, kLoadFactorColumns);
    AppendWithPattern(out, state.loadFactorHigh, kLoadFactorPattern, kLoadFactorHighWidth);
    AppendWithPattern(out, state.loadFactorLow, kLoadFactorPattern, kLoadFactorLowWidth);
    AppendWithPattern(out, state.loadFactorStudy, kLoadFactorPattern, kLoadFactorStudyWidth);
    if (state.hasCriticalSpan) {
        // The calculation compares spans with the critical span rounded to
        // float; the report shows that same value.
        AppendWithPattern(out, RoundToFloat(state.criticalSpan), kCriticalSpanPattern,
                          kCriticalSpanWidth);
    }
    out += kLineEnd;
    AppendLine(out, "");

    AppendLine(out, kTableHeading);
    AppendLine(out, kTableColumns);
    for (const SpanRow& row : state.resultTable) {
        AppendTableLine(out, row, units);
    }
    return out;
}

} // namespace orvalt
