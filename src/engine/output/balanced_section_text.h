// The exact section (精算) beside the ruling-span one, as the cells the
// section window shows and copies: per span and load condition the
// horizontal tension, the slant sag and the upper support tension of both,
// the difference of the exact from the ruling figure in %, and the marks.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/calculation/balanced_section.h"
#include "engine/calculation/calculation_state.h"
#include "engine/calculation/tension_section.h"
#include "engine/number/units.h"
#include "engine/output/csv_text.h"

namespace orvalt {

// The marks of a span, each its own word.
inline constexpr std::string_view kOverMaxTensionMark = "張力超過";
inline constexpr std::string_view kLongSpanMark = "長径間";

// One line per mark, for the legend under the table.
inline constexpr std::string_view kBalancedMarksLegend =
    "支持点外: 最低点が低い側の支持点の外にあり、電線が支持点を引き上げます\n"
    "張力超過: 支持点の張力が最大使用張力を超えます\n"
    "長径間: 懸垂線の弛度が放物線と 1 % を超えて違います（等価径間の張力で）";

// (exact - ruling) / ruling in %, one decimal, with its sign: "+12.3", "-4.0".
std::string DifferencePercent(double exact, double ruling);

// A header row, then one row per span: 径間 (its number), then for each
// condition "<condition> 水平張力[kg]", "… 精算水平張力[kg]", "… 張力差[%]",
// "… 斜弛度[m]", "… 精算斜弛度[m]", "… 弛度差[%]", "… 上側張力[kg]",
// "… 精算上側張力[kg]", "… 判定": the exact span's marks (支持点外, 張力超過)
// and 長径間 of the ruling tension, joined by "・". 1 + 9 * 3 columns. In SI
// the tensions in kN ("水平張力[kN]"), as the section's other tables.
CellTable BalancedSpanCells(const CalculationState& state, const std::vector<SectionSpan>& spans,
                            const TensionSection& ruling, const BalancedSection& balanced,
                            UnitSystem units = UnitSystem::kKgf);

} // namespace orvalt
