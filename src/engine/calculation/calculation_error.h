// The one error type of the calculation, and the checked arithmetic that
// raises it. what() is the whole message for the engineer, in Japanese
// (UTF-8): a headline, then one line saying what failed and where.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace orvalt {

class CalculationError : public std::runtime_error {
public:
    explicit CalculationError(const std::string& message) : std::runtime_error(message) {}
};

// Where a step runs, for the message. Cheap to build in the solver's loops:
// the text is only made when something fails.
struct CalcPlace {
    const char* quantity;         // what is being computed, e.g. "弛度"
    bool inTable = false;         // true inside the span table
    float span = 0.0f;            // [m], when inTable
    int condition = 0;            // load condition index, when inTable
    bool inChart = false;         // true inside the stringing chart: span and temperature
    std::int16_t temperature = 0; // [degC], when inChart (span as above)
};

// "計算できませんでした。\n" followed by `detail` placed at `place`.
// In the span table the place reads "径間 100 m の高温季で、", in the stringing
// chart "架線弛度表の径間 100 m・温度 40℃で、".
[[noreturn]] void FailCalculation(const CalcPlace& place, const std::string& detail);

// Checked steps: each throws CalculationError naming `place` when the result
// would be undefined or out of range for its storage type.
double CheckedDivide(double numerator, double denominator, const CalcPlace& place);
double CheckedSqrt(double value, const CalcPlace& place);
float ToSingle(double value, const CalcPlace& place);       // beyond the float range
std::int16_t ToInt16(double value, const CalcPlace& place); // outside -32768..32767
std::int16_t Subtract16(std::int16_t a, std::int16_t b, const CalcPlace& place);
std::int16_t Multiply16(std::int16_t a, std::int16_t b, const CalcPlace& place);

// Name of a load condition in the report's terms: 高温季, 低温季, 検討条件.
std::string_view ConditionName(int conditionIndex);

} // namespace orvalt
