#include "engine/calculation/stringing_chart.h"

#include <cstddef>
#include <string>

#include "engine/calculation/span_solver.h"

namespace orvalt {
namespace {

constexpr float kBareWireInStillAir = 1.0f; // load factor: own weight only

[[noreturn]] void Refuse(const std::string& detail) {
    throw CalculationError("架線弛度表を作れませんでした。\n" + detail);
}

std::string Degrees(int temperature) { return std::to_string(temperature) + "℃"; }

} // namespace

std::vector<std::int16_t> ChartTemperatures(std::int16_t fromTemperature,
                                            std::int16_t toTemperature, std::int16_t step) {
    if (step <= 0) {
        Refuse("温度の刻みは 1℃ 以上にしてください。");
    }
    if (toTemperature < fromTemperature) {
        Refuse("終了温度（" + Degrees(toTemperature) + "）が開始温度（" + Degrees(fromTemperature) +
               "）より低くなっています。");
    }
    // In int: near 32767 the next temperature would not fit in 16 bits.
    const int count = (int{toTemperature} - int{fromTemperature}) / int{step} + 1;
    if (count > kMaxChartTemperatures) {
        Refuse("温度の列が " + std::to_string(count) + " 列になります。" +
               std::to_string(kMaxChartTemperatures) +
               " 列以下になるよう、温度の範囲を狭めるか刻みを大きくしてください。");
    }
    std::vector<std::int16_t> temperatures;
    temperatures.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        temperatures.push_back(static_cast<std::int16_t>(int{fromTemperature} + k * int{step}));
    }
    return temperatures;
}

StringingChart ComputeStringingChart(const CalculationState& state, std::int16_t fromTemperature,
                                     std::int16_t toTemperature, std::int16_t step) {
    StringingChart chart;
    chart.temperatures = ChartTemperatures(fromTemperature, toTemperature, step);
    const std::size_t columns = chart.temperatures.size();

    const std::size_t rowCount = state.resultTable.size();
    chart.rows.resize(rowCount);
    for (std::size_t row = 0; row < rowCount; ++row) {
        // The table's own row counter is 16-bit; a filled table never passes it.
        const std::int16_t i = ToInt16(static_cast<double>(row), {"径間の行番号"});
        CalcPlace place{"径間"};
        const float S = SpanOfRow(state, i, place);
        place.span = S;
        place.inChart = true;

        StringingChart::Row& out = chart.rows[row];
        out.span = S;
        out.sag.resize(columns);
        out.tension.resize(columns);
        for (std::size_t c = 0; c < columns; ++c) {
            place.temperature = chart.temperatures[c];
            ConditionResult cell;
            SolveSagAndTension(state, S, kBareWireInStillAir, chart.temperatures[c], place, cell);
            out.sag[c] = cell.sag;
            out.tension[c] = cell.tension;
        }
    }
    return chart;
}

} // namespace orvalt
