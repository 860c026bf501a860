#include "engine/output/long_span_check.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "engine/calculation/field_check.h"
#include "engine/number/number_text.h"
#include "engine/number/result_columns.h"
#include "engine/number/table_patterns.h"

namespace orvalt {

LongSpanCheck CheckLongSpan(double span, double horizontalTension, double loadPerMetre) {
    LongSpanCheck check;
    check.catenarySag = CatenarySag(span, horizontalTension, loadPerMetre);
    check.parabolicSag = loadPerMetre * span * span / (8.0 * horizontalTension);
    check.supportTension = horizontalTension + loadPerMetre * check.catenarySag;
    check.marked =
        std::fabs(check.catenarySag - check.parabolicSag) > kLongSpanLimit * check.parabolicSag;
    return check;
}

std::string LongSpanText(const LongSpanCheck& check, UnitSystem units) {
    const double percent = 100.0 * (check.catenarySag / check.parabolicSag - 1.0);
    return "懸垂線弛度 " +
           FormatWithPattern(static_cast<float>(check.catenarySag), table_pattern::kSag) +
           " m（放物線 " +
           FormatWithPattern(static_cast<float>(check.parabolicSag), table_pattern::kSag) +
           " m より " + FormatWithPattern(static_cast<float>(percent), "#0.00") +
           " % 大）、支持点張力 " +
           FormatWithPattern(ColumnValue(ResultColumn::kTension,
                                         static_cast<float>(check.supportTension), units),
                             ColumnPattern(ResultColumn::kTension, units)) +
           " " + std::string(ColumnUnit(ResultColumn::kTension, units));
}

namespace {

constexpr std::string_view kNoteHead = "長径間（懸垂線の弛度が放物線と 1 % を超えて違う径間）: ";

// The shortest and longest marked span seen.
struct MarkedRange {
    std::optional<std::pair<float, float>> range;
    void add(float span) {
        range = range ? std::pair{std::min(range->first, span), std::max(range->second, span)}
                      : std::pair{span, span};
    }
    std::string text() const {
        const auto span = [](float s) { return FormatWithPattern(s, table_pattern::kSpan); };
        return range->first == range->second
                   ? span(range->first) + " m"
                   : span(range->first) + "～" + span(range->second) + " m";
    }
};

bool Marked(double span, double tension, double load) {
    return span > 0.0 && tension > 0.0 && load > 0.0 && CheckLongSpan(span, tension, load).marked;
}

} // namespace

std::string LongSpanNote(const StringingChart& chart, double loadPerMetre) {
    MarkedRange marked;
    for (const StringingChart::Row& row : chart.rows)
        for (const float tension : row.tension)
            if (Marked(row.span, tension, loadPerMetre)) marked.add(row.span);
    return marked.range ? std::string(kNoteHead) + marked.text() : std::string();
}

std::string LongSpanNote(const CalculationState& state) {
    const float factors[] = {state.loadFactorHigh, state.loadFactorLow, state.loadFactorStudy};
    std::string parts;
    for (std::size_t c = 0; c < kConditionNames.size(); ++c) {
        MarkedRange marked;
        const double load = static_cast<double>(state.currentWire.unitWeight) * factors[c];
        for (const SpanRow& row : state.resultTable)
            if (Marked(row.block[c].span, row.block[c].tension, load))
                marked.add(row.block[c].span);
        if (!marked.range) continue;
        if (!parts.empty()) parts += "、";
        parts += std::string(kConditionNames[c]) + " " + marked.text();
    }
    return parts.empty() ? parts : std::string(kNoteHead) + parts;
}

} // namespace orvalt
