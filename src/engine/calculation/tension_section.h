// A tension section (等価径間): a run of spans of different lengths, level or
// inclined, between two dead-end supports, strung in pulleys at one
// horizontal tension and then clamped. The section behaves as one span of the
// equivalent length S_e = sqrt(sum S^3 / sum S), so each load condition is
// solved once, on S_e, exactly as a cell of the span table; every span then
// takes its sag from that one stress.
//
// Height differences do not enter S_e. In an inclined span the sag grows by
// the slope (the load per horizontal metre does), the lowest point moves
// toward the lower support, and may lie beyond it: the wire then pulls up on
// the lower support.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/calculation/calculation_error.h"
#include "engine/calculation/calculation_state.h"

namespace orvalt {

// At most this many spans in one section.
inline constexpr std::size_t kMaxSectionSpans = 200;

// One span of a section, also as a case file holds it.
struct SectionSpan {
    float length = 0.0f;           // [m], horizontal
    float heightDifference = 0.0f; // [m], far support minus near support

    friend bool operator==(const SectionSpan&, const SectionSpan&) = default;
};

// One span under one load condition.
struct SectionSpanResult {
    float levelSag = 0.0f; // [m], the sag of a level span of this length
    float slantSag = 0.0f; // [m], vertical, from the chord to the wire at midspan
    std::int16_t kValue = 0;
    std::int16_t templateNumber = 0;
    float lowPointOffset = 0.0f;      // [m], from midspan toward the lower support
    bool lowPointOutside = false;     // the lowest point lies beyond the lower support
    float upperSupportTension = 0.0f; // [kg]
    float lowerSupportTension = 0.0f; // [kg]
    bool overMaxTension = false; // the upper support tension passes the wire's 最大使用張力
};

struct TensionSection {
    float equivalentSpan = 0.0f;                         // [m]
    std::array<ConditionResult, 3> atEquivalentSpan{};   // high, low, study
    std::vector<std::array<SectionSpanResult, 3>> spans; // in the order given
};

// Reads a state whose load factors, weightPerArea, maxStress and critical
// span are set (RunCalculation sets them); not the span range, not
// resultTable. atEquivalentSpan[c] is the block the span table would hold
// for a row of span S_e, bit for bit. Throws CalculationError with a message
// for the user: for no span, more than kMaxSectionSpans spans, a length that
// is not a positive finite number or a height difference that is not finite
// (naming the span by its number, 径間 1, 2, ...), and when a step fails
// (naming the equivalent span or the span, and the condition).
TensionSection ComputeTensionSection(const CalculationState& state,
                                     const std::vector<SectionSpan>& spans);

// The section's stringing chart (架線弛度表): for each temperature, one cell
// of the stringing chart on S_e (load factor 1: bare wire, still air), giving
// the section's tension, and from its stress the slant sag of every span.
struct SectionStringingChart {
    float equivalentSpan = 0.0f;              // [m]
    std::vector<std::int16_t> temperatures;   // the columns [degC], ascending
    std::vector<float> tension;               // [kg] at S_e, one per temperature
    std::vector<std::vector<float>> slantSag; // [m], one row per span, one per temperature
};

// The temperatures as ChartTemperatures gives them (with its refusals); the
// spans refused as ComputeTensionSection refuses them; a failing step names
// the equivalent span or the span, and the temperature.
SectionStringingChart ComputeSectionStringingChart(const CalculationState& state,
                                                   const std::vector<SectionSpan>& spans,
                                                   std::int16_t fromTemperature,
                                                   std::int16_t toTemperature, std::int16_t step);

// A section as the section window's 計算 and orvalt99-cli's section command
// compute it: the section and its stringing chart.
struct SectionResults {
    TensionSection section;
    SectionStringingChart chart;
};

// The one entry point for a section. Takes the wire and the conditions of
// `state` (its calculated fields are not read): the load factors and the
// critical span are computed on a copy (ComputeLoadsAndCriticalSpan, never
// the span table, so any span range will do), then ComputeTensionSection and
// ComputeSectionStringingChart with the chart's temperatures. Throws
// CalculationError with the message of the step that failed.
SectionResults ComputeSectionResults(const CalculationState& state,
                                     const std::vector<SectionSpan>& spans,
                                     std::int16_t fromTemperature, std::int16_t toTemperature,
                                     std::int16_t step);

} // namespace orvalt
