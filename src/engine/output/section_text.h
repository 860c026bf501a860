// A tension section (区間計算) as text and as cells: the printout in the
// report's fixed columns, the tables the section window shows, and its CSV.
//
// The numbers are written as the report writes its columns: a sag "#0.000",
// a tension "####.00", a K value and a template number "##"; a length, a
// height difference and a low point offset "###0.00", the equivalent span
// "###0.000". A span whose lowest point lies beyond its lower support is
// marked kOutsideMark.
//
// Every function takes the unit system the tensions are written in: in kg
// units ("張力[kg]", "####.00") the bytes the section has always had, in SI
// the tensions in kN as the result table writes them ("張力[kN]", "##0.000")
// and the printout's head lines in SI. Lengths and sags stay metres.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/calculation/calculation_state.h"
#include "engine/calculation/tension_section.h"
#include "engine/number/units.h"
#include "engine/output/csv_text.h"

namespace orvalt {

inline constexpr std::string_view kOutsideMark = "支持点外";

// A stored tension [kg] as the result table writes it in `units`: "1129.79"
// in kg, "11.080" in kN.
std::string FormatTension(float kgValue, UnitSystem units);
// A heading with the tension's unit: TensionHeading("上側張力", kSi) is
// "上側張力[kN]".
std::string TensionHeading(std::string_view heading, UnitSystem units);

// One printed line per row of `cells`: the first cell left-aligned in
// `firstWidth` display columns, the others right-aligned in `widths` (the
// last width for every cell past them), trailing blanks dropped.
void AppendCellLines(std::string& out, const CellTable& cells, std::size_t firstWidth,
                     const std::vector<std::size_t>& widths);

// The three load conditions at the equivalent span: a header row, then one
// row per condition: 条件, 弛度[m], 張力[kg], K値, 定規番号.
CellTable SectionConditionCells(const TensionSection& section, UnitSystem units = UnitSystem::kKgf);

// A header row, then one row per span: 径間 (its number), 径間長[m],
// 高低差[m], then for each condition "<condition> 水平弛度[m]", "… 斜弛度[m]",
// "… 最低点[m]", "… 上側張力[kg]", "… 下側張力[kg]", "… 判定" (kOutsideMark or
// empty). 3 + 6 * 3 columns.
CellTable SectionSpanCells(const std::vector<SectionSpan>& spans, const TensionSection& section,
                           UnitSystem units = UnitSystem::kKgf);

// The section's stringing chart: a header row (空白, then the temperatures
// "-10℃", ...), a row "張力[kg]" and one row "径間 n 斜弛度[m]" per span.
CellTable SectionChartCells(const SectionStringingChart& chart,
                            UnitSystem units = UnitSystem::kKgf);

// CSV (as ComposeCsv writes it) of the equivalent span, the three tables
// above one after the other with an empty row between them, every row
// filled up with empty cells to the widest.
std::string ComposeSectionCsv(const std::vector<SectionSpan>& spans, const TensionSection& section,
                              const SectionStringingChart& chart,
                              UnitSystem units = UnitSystem::kKgf);

// The printout, UTF-8, every line ending in CR LF: the title
// "/* 区間計算 */", the report's head lines (AppendWireAndConditionLines), the
// span list, the equivalent span and the three conditions on it, one table
// per condition with the spans' results, and the stringing chart.
std::string ComposeSectionText(const CalculationState& state, const std::vector<SectionSpan>& spans,
                               const TensionSection& section, const SectionStringingChart& chart,
                               UnitSystem units = UnitSystem::kKgf);

} // namespace orvalt
