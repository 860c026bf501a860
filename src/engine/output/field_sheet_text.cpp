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

std::vector<std::string> SagRow(const FieldSheet::Span& span) {
    std::vector<std::string> row{span.name, "弛度[m]"};
    for (const float sag : span.sag) row.push_back(FormatWithPattern(sag, kSagPattern));
    return row;
}

std::vector<std::string> WaveRow(const FieldSheet::Span& span, int waves) {
    std::vector<std::string> row{"", std::to_string(waves) + "波[s]"};
    for (const float sag : span.sag) {
        const double seconds = ReturnWaveSeconds(sag, waves);
        row.push_back(FormatWithPattern(static_cast<float>(seconds), kSecondsPattern));
    }
    return row;
}

std::vector<std::string> TargetRow(const FieldSheet::Span& span, std::optional<double> sight) {
    std::vector<std::string> row{"", "b[m]"};
    for (const float sag : span.sag) {
        const std::optional<double> b = SightingTarget(sag, sight.value_or(sag));
        row.push_back(b ? FormatWithPattern(static_cast<float>(*b), kSagPattern)
                        : std::string(kNoTarget));
    }
    return row;
}

std::vector<std::string> OutsideRow(const FieldSheet::Span& span) {
    std::vector<std::string> row{"", "判定"};
    for (const bool outside : span.outside) row.emplace_back(outside ? kOutsideMark : "");
    return row;
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

CellTable FieldSheetCells(const FieldSheet& sheet) {
    std::vector<std::string> header{sheet.equivalentSpan > 0.0f ? "径間" : "径間[m]", "項目"};
    for (const std::int16_t t : sheet.temperatures) header.push_back(std::to_string(t) + "℃");
    CellTable cells{std::move(header)};
    for (const FieldSheet::Span& span : sheet.spans) {
        cells.push_back(SagRow(span));
        cells.push_back(WaveRow(span, sheet.waves));
        cells.push_back(TargetRow(span, sheet.sight));
        if (sheet.equivalentSpan > 0.0f) cells.push_back(OutsideRow(span));
    }
    return cells;
}

std::string ComposeFieldSheetCsv(const FieldSheet& sheet) {
    return ComposeCsv(FieldSheetCells(sheet));
}

std::string ComposeFieldSheetText(const CalculationState& state, const FieldSheet& sheet) {
    std::string out;
    AppendLine(out, kTitle);
    AppendWireAndConditionLines(out, state);
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
