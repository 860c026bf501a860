// The crew's sheet (弛度観測表): for every span and stringing temperature the
// sag the wire should have, the time for N return waves (stopwatch method)
// and the sighting target b below the far support for a sight a metres below
// the near one (等長法 when no a is chosen: b = D). As cells for the windows,
// the clipboard and CSV, and as text in the report's fixed columns for
// printing on A4.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/calculation/calculation_state.h"
#include "engine/calculation/stringing_chart.h"
#include "engine/calculation/tension_section.h"
#include "engine/number/units.h"
#include "engine/output/csv_text.h"

namespace orvalt {

inline constexpr int kFewestWaves = 1;
inline constexpr int kMostWaves = 10;
inline constexpr int kDefaultWaves = 3;
// A cell with no sighting target (a > 4D).
inline constexpr std::string_view kNoTarget = "—";

struct FieldSheet {
    std::vector<std::int16_t> temperatures; // the columns [degC]
    struct Span {
        std::string name;    // "100" (a span of the chart) or "1" (of a section)
        float length = 0.0f; // [m]
        float heightDifference = 0.0f;
        std::vector<float> sag;    // [m], one per temperature (slant in a section)
        std::vector<bool> outside; // lowest point beyond the lower support; empty for a chart
    };
    std::vector<Span> spans;
    float equivalentSpan = 0.0f; // [m] of a section; 0 for the chart of a span range
    int waves = kDefaultWaves;
    std::optional<double> sight; // a [m]; empty: equal sighting
    // Printed under the spans: what the sags are when they are not the
    // ruling span's (the exact section's); empty otherwise.
    std::string basis;
};

FieldSheet FieldSheetOfChart(const StringingChart& chart, int waves, std::optional<double> sight);
// Marks a span's temperature where |h| > 4 D (the lowest point beyond the
// lower support: the wire pulls up on that support).
FieldSheet FieldSheetOfSection(const std::vector<SectionSpan>& spans,
                               const SectionStringingChart& chart, int waves,
                               std::optional<double> sight);

// A header row (径間[m] or 径間, 項目, the temperatures "-10℃", ...), then per
// span the rows 弛度[m] (the span's name in the first cell), "<N>波[s]" (to
// 0.01 s), b[m] (kNoTarget where a > 4D) and, in a section, 判定 (支持点外
// or empty). Sags and b as the report writes a sag ("#0.000").
CellTable FieldSheetCells(const FieldSheet& sheet);
// The same table a cell at a time, for a view that shows only the rows on
// screen of thousands of spans: the header row, the rows each span takes,
// and the cell at `row` (0 is the first span's sag row) and `column`.
std::vector<std::string> FieldSheetHeader(const FieldSheet& sheet);
std::size_t FieldSheetRowsPerSpan(const FieldSheet& sheet);
std::string FieldSheetCell(const FieldSheet& sheet, std::size_t row, std::size_t column);

// The cells above as CSV (ComposeCsv).
std::string ComposeFieldSheetCsv(const FieldSheet& sheet);

// UTF-8, lines ending in CR LF: the title "/* 弛度観測表 */", the report's
// head lines, the load note, the spans (the section's list and equivalent
// span, or the chart's span range), the two methods with the chosen N and
// a, then the table in blocks of at most kSheetColumnsPerBlock temperatures,
// no line wider than 81 display columns (A4 portrait). The head lines are in
// `units` (in SI the wire's tensions in kN, wind in Pa); the sheet's own
// cells are metres and seconds in either system.
inline constexpr std::size_t kSheetColumnsPerBlock = 7;
std::string ComposeFieldSheetText(const CalculationState& state, const FieldSheet& sheet,
                                  UnitSystem units = UnitSystem::kKgf);

} // namespace orvalt
