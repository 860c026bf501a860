#include "engine/output/balanced_section_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <utility>

#include "engine/number/number_text.h"
#include "engine/number/table_patterns.h"
#include "engine/output/long_span_check.h"
#include "engine/output/section_text.h"
#include "engine/output/text_lines.h"

namespace orvalt {
namespace {

constexpr std::string_view kSagPattern = table_pattern::kSag;

// The tension headings of a condition's cells carry the unit; the others
// are whole. In the order of the row.
struct Heading {
    std::string_view text;
    bool tension;
};
constexpr Heading kHeadings[] = {
    {" 水平張力", true},   {" 精算水平張力", true},   {" 張力差[%]", false},
    {" 斜弛度[m]", false}, {" 精算斜弛度[m]", false}, {" 弛度差[%]", false},
    {" 上側張力", true},   {" 精算上側張力", true},   {" 判定", false}};

// A stored tension [kg] as the tables write it in `units`.
std::string Tension(double kgValue, UnitSystem units) {
    return FormatTension(static_cast<float>(kgValue), units);
}
std::string Sag(double value) { return FormatWithPattern(static_cast<float>(value), kSagPattern); }

std::string Marks(const BalancedSpan& span, bool longSpan) {
    std::string marks;
    const auto add = [&marks](std::string_view mark) {
        if (!marks.empty()) marks += "・";
        marks += mark;
    };
    if (span.lowPointOutside) add(kOutsideMark);
    if (span.overMaxTension) add(kOverMaxTensionMark);
    if (longSpan) add(kLongSpanMark);
    return marks;
}

// A typed value (a string's length or weight, a temperature) as its shortest
// text: "0.5", "35", "-5".
std::string Number(double value) {
    char text[32];
    const std::to_chars_result end = std::to_chars(std::begin(text), std::end(text), value);
    return std::string(text, end.ptr);
}

std::string TemperatureText(double t) { return std::to_string(std::lround(t)) + "℃"; }

// The printed table of one condition: two heading lines, then per span its
// number, the ruling and exact tension with their difference, the same for
// the slant sag, the ruling and exact upper support tension, and the marks.
void AppendConditionTable(std::string& out, const CellTable& spanCells, std::size_t condition,
                          UnitSystem units) {
    static const std::vector<std::size_t> widths = {9, 9, 7, 8, 8, 7, 9, 9};
    std::string heading;
    AppendLeft(heading, "径間", 4);
    AppendRight(heading, TensionHeading("水平張力", units), 25);
    AppendRight(heading, "斜弛度[m]", 23);
    AppendRight(heading, TensionHeading("上側張力", units), 18);
    AppendLine(out, heading);
    CellTable rows{{"", "等価", "精算", "差[%]", "等価", "精算", "差[%]", "等価", "精算"}};
    std::vector<std::string> marks{"判定"};
    for (std::size_t r = 1; r < spanCells.size(); ++r) {
        const std::size_t first = 1 + 9 * condition;
        std::vector<std::string> row{spanCells[r][0]};
        for (std::size_t c = 0; c < 8; ++c) row.push_back(spanCells[r][first + c]);
        rows.push_back(std::move(row));
        marks.push_back(spanCells[r][first + 8]);
    }
    std::string block;
    AppendCellLines(block, rows, 4, widths);
    // Each line with its marks after two blanks.
    std::size_t start = 0;
    for (const std::string& mark : marks) {
        const std::size_t end = block.find(kLineEnd, start);
        std::string line = block.substr(start, end - start);
        if (!mark.empty()) {
            constexpr std::size_t kNumbersWidth = 4 + 9 + 9 + 7 + 8 + 8 + 7 + 9 + 9;
            AppendLeft(line, "", kNumbersWidth - std::min(kNumbersWidth, DisplayColumns(line)));
            line += "  " + mark;
        }
        AppendLine(out, line);
        start = end + kLineEnd.size();
    }
}

} // namespace

std::string_view SupportTypeText(SupportType type) {
    switch (type) {
        case SupportType::kDeadEnd: return "引留";
        case SupportType::kFixed: return "固定";
        case SupportType::kSuspension: return "懸垂";
    }
    return {};
}

std::string_view StringWeightHeading(UnitSystem units) {
    return units == UnitSystem::kSi ? "がいし連質量[kg]" : "がいし連重量[kg]";
}

CellTable SectionSupportCells(const std::vector<SectionSupport>& supports, UnitSystem units) {
    CellTable cells{{"支持点", "種別", "がいし連長[m]", std::string(StringWeightHeading(units))}};
    for (std::size_t j = 0; j < supports.size(); ++j) {
        const SectionSupport& s = supports[j];
        const bool hung = s.type == SupportType::kSuspension;
        cells.push_back({std::to_string(j + 1), std::string(SupportTypeText(s.type)),
                         hung ? Number(s.stringLength) : std::string(),
                         hung ? Number(s.stringWeight) : std::string()});
    }
    return cells;
}

CellTable BalancedChartCells(const BalancedSection& balanced, UnitSystem units) {
    std::vector<std::string> header{""};
    for (const BalancedState& state : balanced.chart)
        header.push_back(TemperatureText(state.temperature));
    CellTable cells{std::move(header)};
    const std::size_t spans = balanced.chart.empty() ? 0 : balanced.chart.front().spans.size();
    for (std::size_t i = 0; i < spans; ++i) {
        const std::string name = "径間 " + std::to_string(i + 1);
        std::vector<std::string> tension{TensionHeading(name + " 水平張力", units)};
        std::vector<std::string> sag{name + " 斜弛度[m]"};
        for (const BalancedState& state : balanced.chart) {
            tension.push_back(Tension(state.spans[i].horizontalTension, units));
            sag.push_back(Sag(state.spans[i].sag));
        }
        cells.push_back(std::move(tension));
        cells.push_back(std::move(sag));
    }
    return cells;
}

std::string ComposeSectionCsvWithExact(const CalculationState& state,
                                       const std::vector<SectionSpan>& spans,
                                       const TensionSection& ruling,
                                       const SectionStringingChart& chart,
                                       const std::vector<SectionSupport>& supports,
                                       const BalancedSection& balanced, UnitSystem units) {
    CellTable cells{
        {}, {"精算（径間ごとの張力）", "架線温度[℃]", Number(balanced.stringingTemperature)}};
    for (CellTable part : {SectionSupportCells(supports, units),
                           BalancedSpanCells(state, spans, ruling, balanced, units),
                           BalancedChartCells(balanced, units)}) {
        cells.emplace_back();
        std::move(part.begin(), part.end(), std::back_inserter(cells));
    }
    std::size_t width = 0;
    for (const auto& row : cells) width = std::max(width, row.size());
    for (auto& row : cells) row.resize(width);
    // The block continues the file: no byte-order mark of its own.
    const std::string block = ComposeCsv(cells);
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    const std::string_view rows = std::string_view(block).starts_with(kByteOrderMark)
                                      ? std::string_view(block).substr(kByteOrderMark.size())
                                      : std::string_view(block);
    return ComposeSectionCsv(spans, ruling, chart, units) + std::string(rows);
}

std::string ComposeSectionTextWithExact(const CalculationState& state,
                                        const std::vector<SectionSpan>& spans,
                                        const TensionSection& ruling,
                                        const SectionStringingChart& chart,
                                        const std::vector<SectionSupport>& supports,
                                        const BalancedSection& balanced, UnitSystem units) {
    std::string out = ComposeSectionText(state, spans, ruling, chart, units);
    AppendLine(out, "");
    AppendLine(out, "///// 精算（径間ごとの張力） /////");
    AppendLine(out, kRulingAssumptionNote);
    AppendLine(out, kExactNote);
    AppendLine(out, "架線温度  " + TemperatureText(balanced.stringingTemperature));
    AppendCellLines(out, SectionSupportCells(supports, units), 8, {6, 15, 18});
    const CellTable spanCells = BalancedSpanCells(state, spans, ruling, balanced, units);
    for (std::size_t c = 0; c < kConditionNames.size(); ++c) {
        AppendLine(out, "");
        AppendLine(out, "///// 精算 " + std::string(kConditionNames[c]) + " /////");
        AppendConditionTable(out, spanCells, c, units);
    }
    AppendLine(out, "");
    AppendLine(out, "///// 精算 架線弛度表 /////  無風・無氷（負荷係数 1）");
    AppendCellLines(out, BalancedChartCells(balanced, units), 20, {9});
    return out;
}

FieldSheet FieldSheetOfBalancedSection(const std::vector<SectionSpan>& spans,
                                       const BalancedSection& balanced, float equivalentSpan,
                                       int waves, std::optional<double> sight) {
    FieldSheet sheet;
    sheet.equivalentSpan = equivalentSpan;
    sheet.waves = waves;
    sheet.sight = sight;
    sheet.basis = "精算の弛度（径間ごとの張力、架線温度 " +
                  TemperatureText(balanced.stringingTemperature) + "）";
    for (const BalancedState& state : balanced.chart)
        sheet.temperatures.push_back(static_cast<std::int16_t>(std::lround(state.temperature)));
    for (std::size_t i = 0; i < spans.size(); ++i) {
        FieldSheet::Span span;
        span.name = std::to_string(i + 1);
        span.length = spans[i].length;
        span.heightDifference = spans[i].heightDifference;
        for (const BalancedState& state : balanced.chart) {
            if (i >= state.spans.size()) break;
            span.sag.push_back(static_cast<float>(state.spans[i].sag));
            span.outside.push_back(state.spans[i].lowPointOutside);
        }
        sheet.spans.push_back(std::move(span));
    }
    return sheet;
}

std::string DifferencePercent(double exact, double ruling) {
    const double percent = (exact - ruling) / ruling * 100.0;
    if (!std::isfinite(percent)) return {};
    const std::string text = FormatWithPattern(static_cast<float>(std::fabs(percent)), "##0.0");
    if (text == "0.0") return text;
    return (percent < 0.0 ? "-" : "+") + text;
}

CellTable BalancedSpanCells(const CalculationState& state, const std::vector<SectionSpan>& spans,
                            const TensionSection& ruling, const BalancedSection& balanced,
                            UnitSystem units) {
    std::vector<std::string> header{"径間"};
    for (const std::string_view condition : kConditionNames) {
        const std::string c(condition);
        for (const Heading& heading : kHeadings)
            header.push_back(c + (heading.tension ? TensionHeading(heading.text, units)
                                                  : std::string(heading.text)));
    }
    CellTable cells{header};
    const float factors[3] = {state.loadFactorHigh, state.loadFactorLow, state.loadFactorStudy};
    for (std::size_t i = 0; i < spans.size(); ++i) {
        std::vector<std::string> row{std::to_string(i + 1)};
        for (std::size_t c = 0; c < 3; ++c) {
            const SectionSpanResult& r = ruling.spans[i][c];
            const BalancedSpan& b = balanced.conditions[c].spans[i];
            const double H = ruling.atEquivalentSpan[c].tension;
            const double load = static_cast<double>(factors[c]) * state.currentWire.unitWeight;
            bool longSpan = false;
            try {
                longSpan = CheckLongSpan(spans[i].length, H, load).marked;
            } catch (const CalculationError&) {
                longSpan = false; // no check without a positive tension and load
            }
            row.push_back(Tension(H, units));
            row.push_back(Tension(b.horizontalTension, units));
            row.push_back(DifferencePercent(b.horizontalTension, H));
            row.push_back(Sag(r.slantSag));
            row.push_back(Sag(b.sag));
            row.push_back(DifferencePercent(b.sag, r.slantSag));
            row.push_back(Tension(r.upperSupportTension, units));
            row.push_back(Tension(b.upperSupportTension, units));
            row.push_back(Marks(b, longSpan));
        }
        cells.push_back(std::move(row));
    }
    return cells;
}

} // namespace orvalt
