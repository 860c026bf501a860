// Speed of the engine on the largest table that can be filled: spans 1 m to
// 32,767 m by 1 m (32,767 rows, 98,301 solutions of the state equation), and
// the stringing chart of that table at 11 temperatures (360,437 solutions).
#include <benchmark/benchmark.h>

#include "engine/calculation/calculation.h"
#include "engine/output/chart_text.h"
#include "engine/output/csv_text.h"
#include "engine/calculation/stringing_chart.h"

namespace {

orvalt::CalculationState LargestTable() {
    orvalt::CalculationState state;
    state.currentWire = {"計算例2", 50.0f, 50.0f, 600.0f, 2.0f, 19.0f, 8000.0f, 6000.0f};
    state.spanStart = 1.0f;
    state.spanEnd = 32767.0f;
    state.spanStep = 1.0f;
    return state;
}

void BM_RunCalculationLargestTable(benchmark::State& bench) {
    orvalt::CalculationState state = LargestTable();
    for (auto _ : bench) {
        orvalt::RunCalculation(state);
        benchmark::DoNotOptimize(state.resultTable.data());
    }
    bench.SetItemsProcessed(bench.iterations() * 3 *
                            static_cast<int64_t>(state.resultTable.size()));
}
BENCHMARK(BM_RunCalculationLargestTable)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// -10 to 90 degC by 10: 11 columns, the study temperature among them.
void BM_StringingChartLargestTable(benchmark::State& bench) {
    orvalt::CalculationState state = LargestTable();
    orvalt::RunCalculation(state);
    std::size_t cells = 0;
    for (auto _ : bench) {
        const orvalt::StringingChart chart = orvalt::ComputeStringingChart(state, -10, 90, 10);
        cells = chart.rows.size() * chart.temperatures.size();
        benchmark::DoNotOptimize(chart.rows.data());
    }
    bench.SetItemsProcessed(bench.iterations() * static_cast<int64_t>(cells));
}
BENCHMARK(BM_StringingChartLargestTable)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// The same chart as text for printing and as CSV: 720,874 numbers each.
orvalt::StringingChart LargestChart(const orvalt::CalculationState& state) {
    return orvalt::ComputeStringingChart(state, -10, 90, 10);
}

void BM_ComposeLargestChartText(benchmark::State& bench) {
    orvalt::CalculationState state = LargestTable();
    orvalt::RunCalculation(state);
    const orvalt::StringingChart chart = LargestChart(state);
    std::size_t bytes = 0;
    for (auto _ : bench) {
        const std::string text = orvalt::ComposeStringingChartText(state, chart);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    bench.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ComposeLargestChartText)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

void BM_ComposeLargestChartCsv(benchmark::State& bench) {
    orvalt::CalculationState state = LargestTable();
    orvalt::RunCalculation(state);
    const orvalt::StringingChart chart = LargestChart(state);
    std::size_t bytes = 0;
    for (auto _ : bench) {
        const std::string csv = orvalt::ComposeStringingChartCsv(chart);
        bytes = csv.size();
        benchmark::DoNotOptimize(csv.data());
    }
    bench.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ComposeLargestChartCsv)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
