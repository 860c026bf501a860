#include "engine/output/chart_text.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/number/number_text.h"
#include "engine/number/result_columns.h"
#include "engine/number/table_patterns.h"
#include "engine/output/report_text.h"
#include "engine/output/text_lines.h"

namespace orvalt {
namespace {

// The report's pattern for spans; sags and tensions as the result columns.
constexpr NumberPattern kSpanPattern{table_pattern::kSpan};

constexpr std::size_t kSpanWidth = 7;   // as wide as the heading 径間[m]
constexpr std::size_t kColumnWidth = 9; // as the report's sag and tension columns

constexpr std::string_view kTitle = "                    /* 架線弛度表 */";
constexpr std::string_view kLoadNote = "無風・無氷（負荷係数 1）";
constexpr std::string_view kSagTitle = "弛度 [m]";
constexpr std::string_view kTensionTitle = "張力 "; // and the unit in brackets
constexpr std::string_view kSpanHeading = "径間[m]"; // 7 display columns
constexpr std::string_view kDegrees = "℃";           // full-width: two display columns
constexpr std::size_t kDegreesColumns = 2;

void AppendHeader(std::string& out, const std::vector<std::int16_t>& temperatures) {
    out += kSpanHeading;
    for (const std::int16_t t : temperatures) {
        const std::string digits = std::to_string(t);
        const std::size_t columns = digits.size() + kDegreesColumns;
        if (columns < kColumnWidth) {
            out.append(kColumnWidth - columns, ' ');
        }
        out += digits;
        out += kDegrees;
    }
    out += kLineEnd;
}

// One table: its title, the header and one line per span; `values` picks the
// sag or the tension of a row.
// `column` names the values' unit and pattern in `units`.
void AppendTable(std::string& out, const StringingChart& chart, std::string_view title,
                 const std::vector<float> StringingChart::Row::*values, ResultColumn column,
                 UnitSystem units) {
    const NumberPattern pattern{ColumnPattern(column, units)};
    AppendLine(out, title);
    AppendHeader(out, chart.temperatures);
    for (const StringingChart::Row& row : chart.rows) {
        AppendWithPattern(out, row.span, kSpanPattern, kSpanWidth);
        for (const float value : row.*values) {
            AppendWithPattern(out, ColumnValue(column, value, units), pattern, kColumnWidth);
        }
        out += kLineEnd;
    }
}

} // namespace

std::string ComposeStringingChartText(const CalculationState& state, const StringingChart& chart,
                                      UnitSystem units) {
    std::string out;
    const std::size_t lineBytes = kSpanWidth + chart.temperatures.size() * (kColumnWidth + 2) + 2;
    out.reserve(2048 + state.currentWire.wireName.size() + 2 * (chart.rows.size() + 2) * lineBytes);

    AppendLine(out, kTitle);
    AppendWireAndConditionLines(out, state, units);
    AppendLine(out, "");
    AppendLine(out, kLoadNote);
    AppendLine(out, "");
    AppendTable(out, chart, kSagTitle, &StringingChart::Row::sag, ResultColumn::kSag, units);
    AppendLine(out, "");
    AppendTable(out, chart, std::string(kTensionTitle) + BracketedUnit(ResultColumn::kTension, units),
                &StringingChart::Row::tension, ResultColumn::kTension, units);
    return out;
}

} // namespace orvalt
