#include "engine/output/balanced_section_text.h"

#include <cmath>
#include <cstddef>

#include "engine/number/number_text.h"
#include "engine/number/table_patterns.h"
#include "engine/output/long_span_check.h"
#include "engine/output/section_text.h"

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

} // namespace

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
    const auto Tension = [units](double kgValue) {
        return FormatTension(static_cast<float>(kgValue), units);
    };
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
            row.push_back(Tension(H));
            row.push_back(Tension(b.horizontalTension));
            row.push_back(DifferencePercent(b.horizontalTension, H));
            row.push_back(Sag(r.slantSag));
            row.push_back(Sag(b.sag));
            row.push_back(DifferencePercent(b.sag, r.slantSag));
            row.push_back(Tension(r.upperSupportTension));
            row.push_back(Tension(b.upperSupportTension));
            row.push_back(Marks(b, longSpan));
        }
        cells.push_back(std::move(row));
    }
    return cells;
}

} // namespace orvalt
