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

// The first steps of RunCalculation, the same bit for bit: loadFactorHigh,
// Low, Study, weightPerArea, maxStress, hasCriticalSpan and criticalSpan,
// but not the span table, so the span range plays no part. What a tension
// section needs (ComputeSectionResults). Throws CalculationError as
// RunCalculation does for those steps.
void ComputeLoadsAndCriticalSpan(CalculationState& state);

} // namespace orvalt
