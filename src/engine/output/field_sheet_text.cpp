#include "engine/output/field_sheet_text.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <utility>

#include "engine/calculation/field_check.h"
#include "engine/number/number_text.h"
#include "engine/number/table_patterns.h"
#include "engine/output/report_text.h"
#include "engine/output/section_text.h"
#include "engine/output/text_lines.h"

namespace orvalt {
namespace {

constexpr std::string_view kSagPattern = table_pattern::kSag;
constexpr std::string_view kSecondsPattern = "#0.00";
constexpr std::string_view kLengthPattern = "###0.00";
constexpr std::string_view kTitle = "                    /* 弛度観測表 */";
constexpr std::string_view kLoadNote = "無風・無氷（負荷係数 1）";

// The printed columns: the span's name, the item, each temperature.
constexpr std::size_t kNameWidth = 7;
constexpr std::size_t kItemWidth = 9;
constexpr std::size_t kValueWidth = 9;

// A span's value row `item` (0 sag, 1 seconds, 2 target, 3 outside) at
// temperature column t.
std::string SpanValue(const FieldSheet& sheet, const FieldSheet::Span& span, std::size_t item,
                      std::size_t t) {
    const float sag = span.sag[t];
    switch (item) {
        case 0: return FormatWithPattern(sag, kSagPattern);
        case 1:
            return FormatWithPattern(static_cast<float>(ReturnWaveSeconds(sag, sheet.waves)),
                                     kSecondsPattern);
        case 2: {
            const std::optional<double> b = SightingTarget(sag, sheet.sight.value_or(sag));
            return b ? FormatWithPattern(static_cast<float>(*b), kSagPattern)
                     : std::string(kNoTarget);
        }
        default: return t < span.outside.size() && span.outside[t] ? std::string(kOutsideMark) : "";
    }
}

std::string ItemName(const FieldSheet& sheet, std::size_t item) {
    switch (item) {
        case 0: return "弛度[m]";
        case 1: return std::to_string(sheet.waves) + "波[s]";
        case 2: return "b[m]";
        default: return "判定";
    }
}

std::string SightText(std::optional<double> sight) {
    if (!sight) return "視準法    等長法（a = b = D）";
    return "視準法    異長法  a = " + FormatWithPattern(static_cast<float>(*sight), kSagPattern) +
           " m、b = (2√D − √a)²（a > 4D の欄は " + std::string(kNoTarget) + "）";
}

void AppendSpans(std::string& out, const FieldSheet& sheet) {
    if (sheet.equivalentSpan <= 0.0f) {
        if (!sheet.spans.empty())
            AppendLine(out, "径間  " + sheet.spans.front().name + " m ～ " +
                                sheet.spans.back().name + " m（" +
                                std::to_string(sheet.spans.size()) + " 径間）");
        return;
    }
    AppendLine(out, "///// 径間一覧 /////");
    AppendLine(out, "径間    径間長[m]  高低差[m]");
    for (const FieldSheet::Span& span : sheet.spans) {
        std::string line;
        AppendLeft(line, span.name, 4);
        AppendRight(line, FormatWithPattern(span.length, kLengthPattern), 11);
        AppendRight(line, FormatWithPattern(span.heightDifference, kLengthPattern), 11);
        AppendLine(out, line);
    }
    AppendLine(out, "等価径間  " + FormatWithPattern(sheet.equivalentSpan, "###0.000") + " m");
    if (!sheet.basis.empty()) AppendLine(out, sheet.basis);
}

// The table's lines for the temperature columns [first, last).
void AppendBlock(std::string& out, const CellTable& cells, std::size_t first, std::size_t last) {
    for (const std::vector<std::string>& row : cells) {
        std::string line;
        AppendRight(line, row[0], kNameWidth);
        line += "  ";
        AppendLeft(line, row[1], kItemWidth);
        for (std::size_t c = first; c < last && c + 2 < row.size(); ++c)
            AppendRight(line, row[c + 2], kValueWidth);
        while (!line.empty() && line.back() == ' ') line.pop_back();
        AppendLine(out, line);
    }
}

} // namespace

FieldSheet FieldSheetOfChart(const StringingChart& chart, int waves, std::optional<double> sight) {
    FieldSheet sheet;
    sheet.temperatures = chart.temperatures;
    sheet.waves = waves;
    sheet.sight = sight;
    for (const StringingChart::Row& row : chart.rows) {
        FieldSheet::Span& span = sheet.spans.emplace_back();
        span.name = FormatWithPattern(row.span, table_pattern::kSpan);
        span.length = row.span;
        span.sag = row.sag;
    }
    return sheet;
}

FieldSheet FieldSheetOfSection(const std::vector<SectionSpan>& spans,
                               const SectionStringingChart& chart, int waves,
                               std::optional<double> sight) {
    FieldSheet sheet;
    sheet.temperatures = chart.temperatures;
    sheet.equivalentSpan = chart.equivalentSpan;
    sheet.waves = waves;
    sheet.sight = sight;
    for (std::size_t i = 0; i < spans.size() && i < chart.slantSag.size(); ++i) {
        FieldSheet::Span span;
        span.name = std::to_string(i + 1);
        span.length = spans[i].length;
        span.heightDifference = spans[i].heightDifference;
        span.sag = chart.slantSag[i];
        for (const float sag : span.sag)
            span.outside.push_back(std::fabs(span.heightDifference) > 4.0 * sag);
        sheet.spans.push_back(std::move(span));
    }
    return sheet;
}

std::vector<std::string> FieldSheetHeader(const FieldSheet& sheet) {
    std::vector<std::string> header{sheet.equivalentSpan > 0.0f ? "径間" : "径間[m]", "項目"};
    for (const std::int16_t t : sheet.temperatures) header.push_back(std::to_string(t) + "℃");
    return header;
}

std::size_t FieldSheetRowsPerSpan(const FieldSheet& sheet) {
    return sheet.equivalentSpan > 0.0f ? 4 : 3;
}

std::string FieldSheetCell(const FieldSheet& sheet, std::size_t row, std::size_t column) {
    const std::size_t perSpan = FieldSheetRowsPerSpan(sheet);
    const FieldSheet::Span& span = sheet.spans[row / perSpan];
    const std::size_t item = row % perSpan;
    if (column == 0) return item == 0 ? span.name : std::string();
    if (column == 1) return ItemName(sheet, item);
    return SpanValue(sheet, span, item, column - 2);
}

CellTable FieldSheetCells(const FieldSheet& sheet) {
    CellTable cells{FieldSheetHeader(sheet)};
    const std::size_t columns = cells[0].size();
    const std::size_t rows = sheet.spans.size() * FieldSheetRowsPerSpan(sheet);
    for (std::size_t r = 0; r < rows; ++r) {
        std::vector<std::string>& line = cells.emplace_back();
        for (std::size_t c = 0; c < columns; ++c) line.push_back(FieldSheetCell(sheet, r, c));
    }
    return cells;
}

std::string ComposeFieldSheetCsv(const FieldSheet& sheet) {
    return ComposeCsv(FieldSheetCells(sheet));
}

std::string ComposeFieldSheetText(const CalculationState& state, const FieldSheet& sheet,
                                  UnitSystem units) {
    std::string out;
    AppendLine(out, kTitle);
    AppendWireAndConditionLines(out, state, units);
    AppendLine(out, "");
    AppendLine(out, kLoadNote);
    AppendSpans(out, sheet);
    AppendLine(out, "");
    AppendLine(out, "返り波法  t = N√(32D/g)、g = 9.80665 m/s²、N = " +
                        std::to_string(sheet.waves) + " 波");
    AppendLine(out, SightText(sheet.sight));
    const CellTable cells = FieldSheetCells(sheet);
    const std::size_t columns = sheet.temperatures.size();
    for (std::size_t first = 0; first < columns; first += kSheetColumnsPerBlock) {
        AppendLine(out, "");
        AppendBlock(out, cells, first, std::min(columns, first + kSheetColumnsPerBlock));
    }
    return out;
}

} // namespace orvalt
