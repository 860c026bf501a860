// Speed of the engine on the largest table that can be filled: spans 1 m to
// 32,767 m by 1 m (32,767 rows, 98,301 solutions of the state equation).
#include <benchmark/benchmark.h>

#include "core/calculation.h"

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
    bench.SetItemsProcessed(bench.iterations() * 3 * static_cast<int64_t>(state.resultTable.size()));
}
BENCHMARK(BM_RunCalculationLargestTable)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
