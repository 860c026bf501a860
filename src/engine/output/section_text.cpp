#include "engine/output/section_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <utility>

#include "engine/number/number_text.h"
#include "engine/number/result_columns.h"
#include "engine/number/table_patterns.h"
#include "engine/output/report_text.h"
#include "engine/output/text_lines.h"

namespace orvalt {
namespace {

constexpr std::string_view kLengthPattern = "###0.00"; // lengths, heights, offsets
constexpr std::string_view kEquivalentPattern = "###0.000";
constexpr std::string_view kSagPattern = table_pattern::kSag;
constexpr std::string_view kWholePattern = table_pattern::kWhole;

constexpr std::string_view kTitle = "                    /* 区間計算 */";
constexpr std::string_view kLoadNote = "無風・無氷（負荷係数 1）";

// Per span and condition: the headings of the six cells (the tensions' with
// their unit) and their widths in the printout.
constexpr std::string_view kSpanResultHeadings[] = {"水平弛度[m]", "斜弛度[m]", "最低点[m]",
                                                    "上側張力",    "下側張力",  "判定"};
constexpr bool kSpanResultIsTension[] = {false, false, false, true, true, false};
constexpr std::size_t kSpanResultWidths[] = {12, 11, 11, 13, 13, 10};

std::string SpanResultHeading(std::size_t cell, UnitSystem units) {
    return kSpanResultIsTension[cell] ? TensionHeading(kSpanResultHeadings[cell], units)
                                      : std::string(kSpanResultHeadings[cell]);
}

std::string SpanName(std::size_t index) { return "径間 " + std::to_string(index + 1); }

// The cells of one condition's table in the printout: a header, then per
// span its number and the six cells of that condition.
CellTable ConditionTable(const CellTable& spanCells, std::size_t condition, UnitSystem units) {
    CellTable table;
    for (std::size_t r = 0; r < spanCells.size(); ++r) {
        std::vector<std::string> row{r == 0 ? std::string("径間") : spanCells[r][0]};
        const std::size_t first = 3 + 6 * condition;
        for (std::size_t c = 0; c < 6; ++c) {
            row.push_back(r == 0 ? SpanResultHeading(c, units) : spanCells[r][first + c]);
        }
        table.push_back(std::move(row));
    }
    return table;
}

} // namespace

void AppendCellLines(std::string& out, const CellTable& cells, std::size_t firstWidth,
                     const std::vector<std::size_t>& widths) {
    for (const std::vector<std::string>& row : cells) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c == 0) {
                AppendLeft(line, row[c], firstWidth);
            } else {
                AppendRight(line, row[c], widths[std::min(c - 1, widths.size() - 1)]);
            }
        }
        while (!line.empty() && line.back() == ' ') {
            line.pop_back();
        }
        AppendLine(out, line);
    }
}

std::string FormatTension(float kgValue, UnitSystem units) {
    return FormatWithPattern(ColumnValue(ResultColumn::kTension, kgValue, units),
                             ColumnPattern(ResultColumn::kTension, units));
}

std::string TensionHeading(std::string_view heading, UnitSystem units) {
    return std::string(heading) + BracketedUnit(ResultColumn::kTension, units);
}

CellTable SectionConditionCells(const TensionSection& section, UnitSystem units) {
    CellTable cells{{"条件", "弛度[m]", TensionHeading("張力", units), "K値", "定規番号"}};
    for (std::size_t c = 0; c < kConditionNames.size(); ++c) {
        const ConditionResult& block = section.atEquivalentSpan[c];
        cells.push_back({std::string(kConditionNames[c]), FormatWithPattern(block.sag, kSagPattern),
                         FormatTension(block.tension, units),
                         FormatWithPattern(block.kValue, kWholePattern),
                         FormatWithPattern(block.templateNumber, kWholePattern)});
    }
    return cells;
}

CellTable SectionSpanCells(const std::vector<SectionSpan>& spans, const TensionSection& section,
                           UnitSystem units) {
    std::vector<std::string> header{"径間", "径間長[m]", "高低差[m]"};
    for (const std::string_view name : kConditionNames) {
        for (std::size_t cell = 0; cell < std::size(kSpanResultHeadings); ++cell) {
            header.push_back(std::string(name) + " " + SpanResultHeading(cell, units));
        }
    }
    CellTable cells{std::move(header)};
    for (std::size_t i = 0; i < spans.size() && i < section.spans.size(); ++i) {
        std::vector<std::string> row{std::to_string(i + 1),
                                     FormatWithPattern(spans[i].length, kLengthPattern),
                                     FormatWithPattern(spans[i].heightDifference, kLengthPattern)};
        for (const SectionSpanResult& r : section.spans[i]) {
            row.push_back(FormatWithPattern(r.levelSag, kSagPattern));
            row.push_back(FormatWithPattern(r.slantSag, kSagPattern));
            row.push_back(FormatWithPattern(r.lowPointOffset, kLengthPattern));
            row.push_back(FormatTension(r.upperSupportTension, units));
            row.push_back(FormatTension(r.lowerSupportTension, units));
            row.emplace_back(r.lowPointOutside ? kOutsideMark : std::string_view());
        }
        cells.push_back(std::move(row));
    }
    return cells;
}

CellTable SectionChartCells(const SectionStringingChart& chart, UnitSystem units) {
    std::vector<std::string> header{""};
    for (const std::int16_t t : chart.temperatures) {
        header.push_back(std::to_string(t) + "℃");
    }
    std::vector<std::string> tension{TensionHeading("張力", units)};
    for (const float value : chart.tension) {
        tension.push_back(FormatTension(value, units));
    }
    CellTable cells{std::move(header), std::move(tension)};
    for (std::size_t i = 0; i < chart.slantSag.size(); ++i) {
        std::vector<std::string> row{SpanName(i) + " 斜弛度[m]"};
        for (const float value : chart.slantSag[i]) {
            row.push_back(FormatWithPattern(value, kSagPattern));
        }
        cells.push_back(std::move(row));
    }
    return cells;
}

std::string ComposeSectionCsv(const std::vector<SectionSpan>& spans, const TensionSection& section,
                              const SectionStringingChart& chart, UnitSystem units) {
    CellTable cells{{"等価径間[m]", FormatWithPattern(section.equivalentSpan, kEquivalentPattern)}};
    for (CellTable part :
         {SectionConditionCells(section, units), SectionSpanCells(spans, section, units),
          SectionChartCells(chart, units)}) {
        cells.emplace_back();
        std::move(part.begin(), part.end(), std::back_inserter(cells));
    }
    std::size_t width = 0;
    for (const auto& row : cells) width = std::max(width, row.size());
    for (auto& row : cells) row.resize(width);
    return ComposeCsv(cells);
}

std::string ComposeSectionText(const CalculationState& state, const std::vector<SectionSpan>& spans,
                               const TensionSection& section, const SectionStringingChart& chart,
                               UnitSystem units) {
    const CellTable spanCells = SectionSpanCells(spans, section, units);
    std::string out;
    AppendLine(out, kTitle);
    AppendWireAndConditionLines(out, state, units);
    AppendLine(out, "");
    AppendLine(out, "///// 径間一覧 /////");
    CellTable list;
    for (const auto& row : spanCells) list.push_back({row[0], row[1], row[2]});
    AppendCellLines(out, list, 4, {11, 11});
    AppendLine(out, "");
    AppendLine(out,
               "等価径間  " + FormatWithPattern(section.equivalentSpan, kEquivalentPattern) + " m");
    AppendCellLines(out, SectionConditionCells(section, units), 8, {9, 10, 5, 9});
    for (std::size_t c = 0; c < kConditionNames.size(); ++c) {
        AppendLine(out, "");
        AppendLine(out, "///// " + std::string(kConditionNames[c]) + " /////");
        AppendCellLines(
            out, ConditionTable(spanCells, c, units), 4,
            std::vector<std::size_t>(std::begin(kSpanResultWidths), std::end(kSpanResultWidths)));
    }
    AppendLine(out, "");
    AppendLine(out, "///// 架線弛度表 /////  " + std::string(kLoadNote));
    AppendCellLines(out, SectionChartCells(chart, units), 18, {9});
    return out;
}

} // namespace orvalt
