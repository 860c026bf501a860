// The stringing chart (架線弛度表): sag and tension of the bare wire in still
// air (load factor 1) for every span of the last calculation and a row of
// temperatures, for stringing the wire on a day of known temperature.
//
// Each cell is one cell of the span table (SolveSagAndTension) with q = 1:
// the same span, the same reference season chosen by the critical span and
// the same roundings. So when the study condition has no wind (Qs is exactly
// 1), the column at the study temperature is the study block of the result
// table, digit for digit.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/calculation/calculation_error.h"
#include "engine/calculation/calculation_state.h"

namespace orvalt {

// At most this many temperature columns: enough for -50 to 150 by 5.
inline constexpr int kMaxChartTemperatures = 41;

struct StringingChart {
    std::vector<std::int16_t> temperatures; // the columns [degC], ascending
    struct Row {
        float span;                 // [m]
        std::vector<float> sag;     // [m], one per temperature
        std::vector<float> tension; // [kg], one per temperature
    };
    std::vector<Row> rows; // one per row of resultTable, in its order
};

// The temperatures fromTemperature, fromTemperature + step, ... up to the last
// one not above toTemperature. Throws CalculationError with a message for the
// user when step is 0 or less, toTemperature is below fromTemperature, or the
// range gives more than kMaxChartTemperatures columns.
std::vector<std::int16_t> ChartTemperatures(std::int16_t fromTemperature,
                                            std::int16_t toTemperature, std::int16_t step);

// Reads a state on which RunCalculation has succeeded: the load factors,
// weightPerArea, maxStress, the critical span, the span range and the number
// of rows of resultTable (not its values). Throws CalculationError for the
// refusals of ChartTemperatures, and, naming the span and the temperature,
// when a cell fails (a temperature difference beyond 16 bits, an iteration
// that does not settle).
StringingChart ComputeStringingChart(const CalculationState& state, std::int16_t fromTemperature,
                                     std::int16_t toTemperature, std::int16_t step);

} // namespace orvalt
