#include "engine/output/csv_text.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

#include "engine/number/number_text.h"
#include "engine/number/table_patterns.h"

namespace orvalt {
namespace {

// The report's patterns.
constexpr std::string_view kSpanPattern = table_pattern::kSpan;
constexpr std::string_view kSagPattern = table_pattern::kSag;
constexpr std::string_view kTensionPattern = table_pattern::kTension;
constexpr std::string_view kWholePattern = table_pattern::kWhole; // K value and template number

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kSpanHeading = "径間[m]";
constexpr std::string_view kSagTitle = "弛度 [m]";
constexpr std::string_view kTensionTitle = "張力 [kg]";

void AppendQuotedIfNeeded(std::string& out, const std::string& cell, std::string_view special) {
    if (cell.find_first_of(special) == std::string::npos) {
        out += cell;
        return;
    }
    out += '"';
    for (const char c : cell) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    out += '"';
}

void AppendRows(std::string& out, const CellTable& cells, char separator, std::string_view special,
                std::string_view lineEnd) {
    for (const std::vector<std::string>& row : cells) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c > 0) {
                out += separator;
            }
            AppendQuotedIfNeeded(out, row[c], special);
        }
        out += lineEnd;
    }
}

std::vector<std::string> TitleRow(std::string_view title, std::size_t width) {
    std::vector<std::string> row(width);
    row[0] = title;
    return row;
}

std::vector<std::string> TemperatureHeader(const std::vector<std::int16_t>& temperatures) {
    std::vector<std::string> row;
    row.reserve(temperatures.size() + 1);
    row.emplace_back(kSpanHeading);
    for (const std::int16_t t : temperatures) {
        row.push_back(std::to_string(t) + "℃");
    }
    return row;
}

void AppendChartTable(CellTable& cells, const StringingChart& chart, std::string_view title,
                      const std::vector<float> StringingChart::Row::*values,
                      std::string_view pattern) {
    const std::size_t width = chart.temperatures.size() + 1;
    cells.push_back(TitleRow(title, width));
    cells.push_back(TemperatureHeader(chart.temperatures));
    for (const StringingChart::Row& row : chart.rows) {
        std::vector<std::string> line;
        line.reserve(width);
        line.push_back(FormatWithPattern(row.span, kSpanPattern));
        for (const float value : row.*values) {
            line.push_back(FormatWithPattern(value, pattern));
        }
        cells.push_back(std::move(line));
    }
}

} // namespace

CellTable ResultTableCells(const CalculationState& state) {
    CellTable cells;
    cells.reserve(state.resultTable.size() + 1);

    std::vector<std::string> header;
    header.emplace_back(kSpanHeading);
    for (const std::string_view name : kConditionNames) {
        const std::string prefix = std::string(name) + " ";
        header.push_back(prefix + "弛度[m]");
        header.push_back(prefix + "張力[kg]");
        header.push_back(prefix + "K値");
        header.push_back(prefix + "定規番号");
    }
    cells.push_back(std::move(header));

    for (const SpanRow& row : state.resultTable) {
        std::vector<std::string> line;
        line.reserve(13);
        line.push_back(FormatWithPattern(row.block[kHighSeason].span, kSpanPattern));
        for (const ConditionResult& block : row.block) {
            line.push_back(FormatWithPattern(block.sag, kSagPattern));
            line.push_back(FormatWithPattern(block.tension, kTensionPattern));
            line.push_back(FormatWithPattern(block.kValue, kWholePattern));
            line.push_back(FormatWithPattern(block.templateNumber, kWholePattern));
        }
        cells.push_back(std::move(line));
    }
    return cells;
}

CellTable StringingChartCells(const StringingChart& chart) {
    CellTable cells;
    cells.reserve(2 * chart.rows.size() + 5);
    AppendChartTable(cells, chart, kSagTitle, &StringingChart::Row::sag, kSagPattern);
    cells.emplace_back(chart.temperatures.size() + 1); // the empty row between the tables
    AppendChartTable(cells, chart, kTensionTitle, &StringingChart::Row::tension, kTensionPattern);
    return cells;
}

std::string ComposeCsv(const CellTable& cells) {
    std::string out(kByteOrderMark);
    AppendRows(out, cells, ',', std::string_view(",\"\r\n", 4), "\r\n");
    return out;
}

std::string ComposeResultTableCsv(const CalculationState& state) {
    return ComposeCsv(ResultTableCells(state));
}

std::string ComposeStringingChartCsv(const StringingChart& chart) {
    return ComposeCsv(StringingChartCells(chart));
}

std::string ComposeTabSeparatedText(const CellTable& cells, LineEnd lineEnd) {
    std::string out;
    AppendRows(out, cells, '\t', std::string_view("\t\"\r\n", 4),
               lineEnd == LineEnd::CrLf ? "\r\n" : "\n");
    return out;
}

std::string ComposeHtmlTable(const CellTable& cells) {
    std::string out = "<table>\n";
    for (const std::vector<std::string>& row : cells) {
        out += "<tr>";
        for (const std::string& cell : row) {
            out += "<td>";
            for (const char c : cell) {
                switch (c) {
                    case '&': out += "&amp;"; break;
                    case '<': out += "&lt;"; break;
                    case '>': out += "&gt;"; break;
                    case '"': out += "&quot;"; break;
                    default: out += c; break;
                }
            }
            out += "</td>";
        }
        out += "</tr>\n";
    }
    out += "</table>\n";
    return out;
}

} // namespace orvalt
