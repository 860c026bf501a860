// The number patterns of the result table's columns, in one place: the
// report, the stringing chart's text, the CSV files and the windows' tables
// all write a span, a sag, a tension, a K value and a template number the
// same way.
#pragma once

#include <string_view>

namespace orvalt::table_pattern {

inline constexpr std::string_view kSpan = "####";       // 100
inline constexpr std::string_view kSag = "#0.000";      // 2.120, 0.853
inline constexpr std::string_view kTension = "####.00"; // 1129.79
inline constexpr std::string_view kWhole = "##";        // K value, template number; 0 is blank

} // namespace orvalt::table_pattern
