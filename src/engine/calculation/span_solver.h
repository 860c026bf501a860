// For every span of the result table and one load condition: the wire's
// stress from the state equation, then sag, tension, K value and template.
#pragma once

#include <cstdint>

#include "engine/calculation/calculation_error.h"
#include "engine/calculation/calculation_state.h"

namespace orvalt {

// Fills block `conditionIndex` of every row of state.resultTable for the load
// factor q and the temperature t [degC] of that condition.
// Throws CalculationError naming the span and the condition on failure.
void FillSpanTable(CalculationState& state, float q, std::int16_t conditionIndex, std::int16_t t);

// Span of row i of the table: i * spanStep + spanStart, rounded to float.
float SpanOfRow(const CalculationState& state, std::int16_t i, const CalcPlace& place);

// One cell of the span table without its K value: the wire strung to its
// maximum working stress in the reference season that the critical span
// chooses for the span S, then taken to the load factor q and the
// temperature t [degC]. Writes block.span, then block.tension [kg], then
// block.sag [m], and returns the stress [kg/mm2] they come from; a failure
// leaves the fields before it written, and throws CalculationError naming
// `place` (its quantity is set step by step). FillSpanTable, the stringing
// chart and the tension section all compute their cells here.
float SolveSagAndTension(const CalculationState& state, float S, float q, std::int16_t t,
                         CalcPlace place, ConditionResult& block);

// A whole cell of the span table for the span S: SolveSagAndTension, then the
// K value of the stored sag and its template. Returns the stress [kg/mm2].
float SolveSpanCell(const CalculationState& state, float S, float q, std::int16_t t,
                    CalcPlace place, ConditionResult& block);

// K value of a sag [m] over a span S [m]: (sag * 1e5) / (S * 0.5)^2,
// truncated, plus 1, as a 16-bit integer.
std::int16_t KValueOfSag(float sag, float S, CalcPlace place);

// Newton's method on x^3 - K x^2 - M = 0, starting from sigma. Returns the
// stress [kg/mm2]. Throws CalculationError (without span context) on failure.
float SolveStateEquation(float q, double delta, float S, float E, float K, float sigma);

// Maps a K value to the sag template number through templateTable.
std::int16_t LookupTemplateNumber(std::int16_t k);

} // namespace orvalt
