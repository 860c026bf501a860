// The calculate command without its report: load factors, critical span, the
// size of the result table and the three passes of the span table solver.
#pragma once

#include "engine/calculation/calculation_error.h"
#include "engine/calculation/calculation_state.h"

namespace orvalt {

// Writes loadFactorHigh/Low/Study, weightPerArea, maxStress, hasCriticalSpan,
// criticalSpan and resultTable. On failure throws CalculationError; the
// fields written before the failing step keep their new values.
void RunCalculation(CalculationState& state);

// The weight of the ice on a metre of wire in the low-temperature season
// [kg/m], as the low season's load factor takes it.
float IceWeightPerMetre(const CalculationState& state);
// The first steps of RunCalculation, the same bit for bit: loadFactorHigh,
// Low, Study, weightPerArea, maxStress, hasCriticalSpan and criticalSpan,
// but not the span table, so the span range plays no part. What a tension
// section needs (ComputeSectionResults). Throws CalculationError as
// RunCalculation does for those steps.
void ComputeLoadsAndCriticalSpan(CalculationState& state);

} // namespace orvalt
