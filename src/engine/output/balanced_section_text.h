// The exact section (精算) beside the ruling-span one, as the cells the
// section window shows and copies: per span and load condition the
// horizontal tension, the slant sag and the upper support tension of both,
// the difference of the exact from the ruling figure in %, and the marks;
// the exact stringing chart (every span's own tension and sag at each
// temperature); and the section's CSV and printout with the exact block
// after the ruling-span one, which stays byte for byte what it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/calculation/balanced_section.h"
#include "engine/calculation/calculation_state.h"
#include "engine/calculation/tension_section.h"
#include "engine/number/units.h"
#include "engine/output/csv_text.h"
#include "engine/output/field_sheet_text.h"

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

// What the ruling figures assume and what the exact ones are, for the window,
// the printout and the crew's sheet.
// Two lines, each within a printed page's width.
inline constexpr std::string_view kRulingAssumptionNote =
    "等価径間の値は区間の全径間の水平張力が等しいとしたものです。";
inline constexpr std::string_view kExactNote =
    "精算は架線温度で全径間を等価径間の張力に張り、径間ごとに釣り合わせた値です。";

// 引留, 固定, 懸垂.
std::string_view SupportTypeText(SupportType type);

// The heading of a suspension string's weight, typed in kg whatever the
// units: がいし連重量[kg] (kg units, where a weight is in kg), がいし連質量[kg]
// in SI (where kg is the string's mass; its weight is mass x g in the
// balance).
std::string_view StringWeightHeading(UnitSystem units);

// A header row (支持点, 種別, がいし連長[m], StringWeightHeading), then one
// row per support: its number, its type and, for a suspension string, its
// length and weight.
CellTable SectionSupportCells(const std::vector<SectionSupport>& supports,
                              UnitSystem units = UnitSystem::kKgf);

// The exact stringing chart (bare wire, still air): a header row (空白, then
// the temperatures "-10℃", ...), then per span the rows
// "径間 n 水平張力[kg]" and "径間 n 斜弛度[m]" (in SI "水平張力[kN]", as the
// tensions of every table here).
CellTable BalancedChartCells(const BalancedSection& balanced, UnitSystem units = UnitSystem::kKgf);

// The section window's CSV: ComposeSectionCsv's bytes as they are, then the
// exact block as rows of their own (no second byte-order mark), every row of
// the block as wide as its widest: an empty row, "精算（径間ごとの張力）"
// with 架線温度[℃], an empty row, the supports, an empty row, the exact
// table beside the ruling one (BalancedSpanCells), an empty row and the
// exact stringing chart. `balanced` holds the chart's temperatures. In SI
// every tension of both parts in kN; the strings' weights stay kg as typed.
std::string ComposeSectionCsvWithExact(const CalculationState& state,
                                       const std::vector<SectionSpan>& spans,
                                       const TensionSection& ruling,
                                       const SectionStringingChart& chart,
                                       const std::vector<SectionSupport>& supports,
                                       const BalancedSection& balanced,
                                       UnitSystem units = UnitSystem::kKgf);

// The section's printout: ComposeSectionText's text as it is, then the exact
// block: its title, the note of what the ruling figures assume, 架線温度 and
// the supports, per load condition the spans' ruling and exact horizontal
// tension, slant sag and upper support tension with the differences in %
// and the marks, and the exact stringing chart. In SI as the CSV.
std::string ComposeSectionTextWithExact(const CalculationState& state,
                                        const std::vector<SectionSpan>& spans,
                                        const TensionSection& ruling,
                                        const SectionStringingChart& chart,
                                        const std::vector<SectionSupport>& supports,
                                        const BalancedSection& balanced,
                                        UnitSystem units = UnitSystem::kKgf);

// The crew's sheet of the exact section: each span's own slant sag at each
// temperature of balanced.chart, marked where its lowest point lies beyond
// the lower support, with the note of what the sags are.
FieldSheet FieldSheetOfBalancedSection(const std::vector<SectionSpan>& spans,
                                       const BalancedSection& balanced, float equivalentSpan,
                                       int waves, std::optional<double> sight);

} // namespace orvalt
