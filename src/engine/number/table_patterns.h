// The number patterns of the result table's columns, in one place: the
// report, the stringing chart's text, the CSV files and the windows' tables
// all write a span, a sag, a tension, a K value and a template number the
// same way.
#pragma once

#include <string_view>

#include "engine/number/result_columns.h"

namespace orvalt::table_pattern {

// In kg units; result_columns.h holds them with the SI ones.
inline constexpr std::string_view kSpan = ColumnInfo(ResultColumn::kSpan).kgPattern; // 100
inline constexpr std::string_view kSag = ColumnInfo(ResultColumn::kSag).kgPattern; // 2.120, 0.853
inline constexpr std::string_view kTension = ColumnInfo(ResultColumn::kTension).kgPattern; // 1129.79
inline constexpr std::string_view kWhole = ColumnInfo(ResultColumn::kKValue).kgPattern; // 0 is blank

} // namespace orvalt::table_pattern
