// Tables of a calculation as cells, for files and for the clipboard: CSV for
// spreadsheets, tab-separated text and an HTML table for pasting.
//
// The numbers are the report's own texts (FormatWithPattern with the report's
// patterns) without the blanks that align them in the report: a span "####",
// a sag "#0.000", a tension "####.00", a K value and a template number "##".
// So a cell is empty exactly where the report leaves a column blank (a K value
// or template number of 0), and a tension below 1 kg reads ".50" as there.
#pragma once

#include <string>
#include <vector>

#include "engine/calculation/calculation_state.h"
#include "engine/calculation/stringing_chart.h"
#include "engine/number/units.h"

namespace orvalt {

// Rows of cells, UTF-8; every row has the same number of cells.
using CellTable = std::vector<std::vector<std::string>>;

// The result table: a header row, then one row per row of resultTable.
// 13 columns: 径間[m], then for 高温季, 低温季 and 検討条件 in turn
// "<condition> 弛度[m]", "<condition> 張力[kg]", "<condition> K値",
// "<condition> 定規番号". In SI the tensions are in kN ("張力[kN]", "##0.000").
CellTable ResultTableCells(const CalculationState& state, UnitSystem units = UnitSystem::kKgf);

// The stringing chart: the sag table, one empty row, the tension table.
// Each table is a title row ("弛度 [m]" or "張力 [kg]" in the first cell), a
// header row (径間[m], then the temperatures as "-10℃", "15℃", ...) and one
// row per span. 1 + (number of temperatures) columns; rows that have fewer
// values (the titles, the empty row) are filled up with empty cells.
// In SI the tension table is "張力 [kN]" with tensions in kN.
CellTable StringingChartCells(const StringingChart& chart, UnitSystem units = UnitSystem::kKgf);

// CSV bytes: UTF-8 with a byte-order mark (EF BB BF, so that spreadsheets
// read it as UTF-8), cells separated by ",", every row ending in CR LF. A
// cell holding a comma, a double quote, CR or LF is enclosed in double
// quotes, its double quotes doubled (RFC 4180).
std::string ComposeCsv(const CellTable& cells);

std::string ComposeResultTableCsv(const CalculationState& state,
                                  UnitSystem units = UnitSystem::kKgf);
std::string ComposeStringingChartCsv(const StringingChart& chart,
                                     UnitSystem units = UnitSystem::kKgf);

enum class LineEnd { Lf, CrLf };

// Tab-separated text as spreadsheets put on and take from the clipboard:
// cells separated by a tab, every row (the last too) ending in `lineEnd`, no
// byte-order mark. A cell holding a tab, a double quote, CR or LF is enclosed
// in double quotes with its double quotes doubled.
std::string ComposeTabSeparatedText(const CellTable& cells, LineEnd lineEnd);

// "<table>", one "<tr><td>…</td>…</tr>" line per row, "</table>", lines
// ending in LF; &, <, > and " in a cell are written as &amp; &lt; &gt; &quot;.
std::string ComposeHtmlTable(const CellTable& cells);

} // namespace orvalt
