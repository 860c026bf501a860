// Composition of the largest report: 32,767 rows (spans 1 m to 32,767 m),
// about 2.9 MB and some 400,000 formatted numbers.

#include <benchmark/benchmark.h>

#include <cstdint>

#include "engine/calculation/calculation_state.h"
#include "engine/output/report_text.h"

namespace {

using orvalt::CalculationState;
using orvalt::ConditionResult;
using orvalt::SpanRow;

// Sag grows with the square of the span, as on a real wire; tensions and
// K values stay in their usual ranges. The values need not come from the
// calculation, only have the widths and digit counts of real ones.
CalculationState LargestReportState() {
    CalculationState state;
    state.currentWire.wireName = "ACSR 160mm2";
    state.currentWire.area = 160.0f;
    state.currentWire.diameterHigh = 18.2f;
    state.currentWire.diameterLow = 18.2f;
    state.currentWire.unitWeight = 0.6f;
    state.currentWire.expansionCoeff = 18.0f;
    state.currentWire.elasticModulus = 9000.0f;
    state.currentWire.maxTension = 1500.0f;
    state.loadFactorHigh = 3.193922f;
    state.loadFactorLow = 3.706512f;
    state.spanStart = 1.0f;
    state.spanEnd = 32767.0f;
    state.spanStep = 1.0f;
    const float sagPerSquare[3] = {2.12025e-4f, 1.85326e-4f, 2.70867e-4f};
    const float tensionBase[3] = {1129.79f, 1500.0f, 276.889f};
    state.resultTable.resize(32767);
    for (std::size_t i = 0; i < state.resultTable.size(); ++i) {
        const float span = static_cast<float>(i + 1);
        SpanRow& row = state.resultTable[i];
        for (int c = 0; c < 3; ++c) {
            ConditionResult& block = row.block[static_cast<std::size_t>(c)];
            block.span = span;
            block.sag = sagPerSquare[c] * span * span * (1.0f + 1e-6f * static_cast<float>(i % 97));
            block.tension = tensionBase[c] + 0.37f * static_cast<float>(i % 1000);
            block.kValue =
                static_cast<std::int16_t>(75 + (i + static_cast<std::size_t>(c) * 13) % 40);
            block.templateNumber = static_cast<std::int16_t>(77 + (i % 84));
        }
    }
    return state;
}

void BM_ComposeLargestReport(benchmark::State& bench) {
    const CalculationState state = LargestReportState();
    std::size_t bytes = 0;
    for (auto _ : bench) {
        const std::string report = orvalt::ComposeResultReport(state);
        bytes = report.size();
        benchmark::DoNotOptimize(report.data());
    }
    bench.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ComposeLargestReport)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace
