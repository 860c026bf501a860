#include "engine/output/csv_text.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

#include "engine/number/number_text.h"
#include "engine/number/result_columns.h"

namespace orvalt {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A column's heading with its unit: "径間[m]", "張力[kg]", "K値".
std::string Heading(ResultColumn column, UnitSystem units) {
    return std::string(ColumnInfo(column).heading) + BracketedUnit(column, units);
}

// A chart table's title: "弛度 [m]", "張力 [kg]".
std::string ChartTitle(ResultColumn column, UnitSystem units) {
    return std::string(ColumnInfo(column).heading) + " " + BracketedUnit(column, units);
}

std::string Cell(ResultColumn column, float stored, UnitSystem units) {
    return FormatWithPattern(ColumnValue(column, stored, units), ColumnPattern(column, units));
}

std::string Cell(ResultColumn column, std::int16_t value, UnitSystem units) {
    return FormatWithPattern(value, ColumnPattern(column, units));
}

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

std::vector<std::string> TemperatureHeader(const std::vector<std::int16_t>& temperatures,
                                           UnitSystem units) {
    std::vector<std::string> row;
    row.reserve(temperatures.size() + 1);
    row.push_back(Heading(ResultColumn::kSpan, units));
    for (const std::int16_t t : temperatures) {
        row.push_back(std::to_string(t) + "℃");
    }
    return row;
}

void AppendChartTable(CellTable& cells, const StringingChart& chart, ResultColumn column,
                      const std::vector<float> StringingChart::Row::*values, UnitSystem units) {
    const std::size_t width = chart.temperatures.size() + 1;
    cells.push_back(TitleRow(ChartTitle(column, units), width));
    cells.push_back(TemperatureHeader(chart.temperatures, units));
    for (const StringingChart::Row& row : chart.rows) {
        std::vector<std::string> line;
        line.reserve(width);
        line.push_back(Cell(ResultColumn::kSpan, row.span, units));
        for (const float value : row.*values) {
            line.push_back(Cell(column, value, units));
        }
        cells.push_back(std::move(line));
    }
}

} // namespace

CellTable ResultTableCells(const CalculationState& state, UnitSystem units) {
    CellTable cells;
    cells.reserve(state.resultTable.size() + 1);

    std::vector<std::string> header;
    header.push_back(Heading(ResultColumn::kSpan, units));
    for (const std::string_view name : kConditionNames) {
        const std::string prefix = std::string(name) + " ";
        for (const ResultColumn column : {ResultColumn::kSag, ResultColumn::kTension,
                                          ResultColumn::kKValue, ResultColumn::kTemplate}) {
            header.push_back(prefix + Heading(column, units));
        }
    }
    cells.push_back(std::move(header));

    for (const SpanRow& row : state.resultTable) {
        std::vector<std::string> line;
        line.reserve(13);
        line.push_back(Cell(ResultColumn::kSpan, row.block[kHighSeason].span, units));
        for (const ConditionResult& block : row.block) {
            line.push_back(Cell(ResultColumn::kSag, block.sag, units));
            line.push_back(Cell(ResultColumn::kTension, block.tension, units));
            line.push_back(Cell(ResultColumn::kKValue, block.kValue, units));
            line.push_back(Cell(ResultColumn::kTemplate, block.templateNumber, units));
        }
        cells.push_back(std::move(line));
    }
    return cells;
}

CellTable StringingChartCells(const StringingChart& chart, UnitSystem units) {
    CellTable cells;
    cells.reserve(2 * chart.rows.size() + 5);
    AppendChartTable(cells, chart, ResultColumn::kSag, &StringingChart::Row::sag, units);
    cells.emplace_back(chart.temperatures.size() + 1); // the empty row between the tables
    AppendChartTable(cells, chart, ResultColumn::kTension, &StringingChart::Row::tension, units);
    return cells;
}

std::string ComposeCsv(const CellTable& cells) {
    std::string out(kByteOrderMark);
    AppendRows(out, cells, ',', std::string_view(",\"\r\n", 4), "\r\n");
    return out;
}

std::string ComposeResultTableCsv(const CalculationState& state, UnitSystem units) {
    return ComposeCsv(ResultTableCells(state, units));
}

std::string ComposeStringingChartCsv(const StringingChart& chart, UnitSystem units) {
    return ComposeCsv(StringingChartCells(chart, units));
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
