// The clearance table as cells, CSV and JSON: per span the least clearance
// over the ground, per crossing the clearance at its distance, each with
// the governing load condition, the required height, the margin and
// 可 / 不可. Lengths are written "###0.00" as the section's lengths are.
//
// The JSON is for scripts; its keys are fixed:
//   { "spans":     [ { "span": 1, "minimumClearance": 7.12, "distance": 63.5,
//                      "condition": "検討条件", "required": 5.0, "ok": true } ],
//     "crossings": [ { "distance": 210.0, "kind": "道路", "clearance": 8.31,
//                      "condition": "検討条件", "required": 6.0, "ok": true } ] }
// Metres rounded to the centimetre; "ok" is judged before rounding.
#pragma once

#include <string>
#include <string_view>

#include "engine/calculation/clearance.h"
#include "engine/output/csv_text.h"

namespace orvalt {

inline constexpr std::string_view kClearanceOk = "可";
inline constexpr std::string_view kClearanceFails = "不可";

// A header row, then one row per span: 径間, 最小離隔[m], 距離[m], 条件,
// 必要離隔[m], 余裕[m], 判定.
CellTable ClearanceSpanCells(const ClearanceTable& table);

// A header row, then one row per crossing: 横断物, 種類, 距離[m], 径間,
// 離隔[m], 条件, 必要離隔[m], 余裕[m], 判定.
CellTable ClearanceCrossingCells(const ClearanceTable& table);

// CSV (as ComposeCsv writes it): the span table, an empty row, the crossing
// table (when there are crossings), rows filled up to the widest.
std::string ComposeClearanceCsv(const ClearanceTable& table);

// The JSON above, two-space indent, LF line ends, a final newline.
std::string ComposeClearanceJson(const ClearanceTable& table);

} // namespace orvalt
