// Speed of the engine on the largest table that can be filled: spans 1 m to
// 32,767 m by 1 m (32,767 rows, 98,301 solutions of the state equation), and
// the stringing chart of that table at 11 temperatures (360,437 solutions);
// and on the largest tension section, 200 spans with its 41-column chart,
// by the ruling span and exactly (every span balanced on suspension strings).
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "engine/calculation/balanced_section.h"
#include "engine/calculation/calculation.h"
#include "engine/calculation/stringing_chart.h"
#include "engine/calculation/tension_section.h"
#include "engine/output/chart_text.h"
#include "engine/output/csv_text.h"

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

// 200 spans of 150 m to 449 m on rolling ground (heights -60 m to 60 m), the
// three conditions solved on S_e and the chart at -50 to 150 degC by 5.
std::vector<orvalt::SectionSpan> LargestSection() {
    std::vector<orvalt::SectionSpan> spans;
    for (int i = 0; i < static_cast<int>(orvalt::kMaxSectionSpans); ++i) {
        spans.push_back(
            {static_cast<float>(150 + (i * 37) % 300), static_cast<float>((i * 53) % 121 - 60)});
    }
    return spans;
}

void BM_TensionSectionWithChartLargestSection(benchmark::State& bench) {
    orvalt::CalculationState state = LargestTable();
    state.spanEnd = 1.0f; // one row: the section reads the load factors only
    orvalt::RunCalculation(state);
    const std::vector<orvalt::SectionSpan> spans = LargestSection();
    for (auto _ : bench) {
        const orvalt::TensionSection section = orvalt::ComputeTensionSection(state, spans);
        const orvalt::SectionStringingChart chart =
            orvalt::ComputeSectionStringingChart(state, spans, -50, 150, 5);
        benchmark::DoNotOptimize(section.spans.data());
        benchmark::DoNotOptimize(chart.slantSag.data());
    }
}
BENCHMARK(BM_TensionSectionWithChartLargestSection)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// 200 spans of the same lengths on hills (supports 60 m sin(j / 4) high):
// suspension strings hang from every inner support, and in the rolling ground
// above some would be lifted. The section by the ruling span and exactly
// with 199 strings of 1.5 m and 60 kg: the three conditions and the 41 chart
// temperatures, each balanced span by span. Target: under 20 ms.
std::vector<orvalt::SectionSpan> LargestSuspensionSection() {
    std::vector<orvalt::SectionSpan> spans = LargestSection();
    for (std::size_t i = 0; i < spans.size(); ++i) {
        spans[i].heightDifference =
            static_cast<float>(60.0 * (std::sin(0.25 * (i + 1.0)) - std::sin(0.25 * i)));
    }
    return spans;
}

void BM_RulingSectionWithChartSuspensionSection(benchmark::State& bench) {
    orvalt::CalculationState state = LargestTable();
    state.spanEnd = 1.0f;
    orvalt::RunCalculation(state);
    const std::vector<orvalt::SectionSpan> spans = LargestSuspensionSection();
    for (auto _ : bench) {
        const orvalt::TensionSection section = orvalt::ComputeTensionSection(state, spans);
        const orvalt::SectionStringingChart chart =
            orvalt::ComputeSectionStringingChart(state, spans, -50, 150, 5);
        benchmark::DoNotOptimize(section.spans.data());
        benchmark::DoNotOptimize(chart.slantSag.data());
    }
}
BENCHMARK(BM_RulingSectionWithChartSuspensionSection)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

void BM_BalancedSectionWithChartSuspensionSection(benchmark::State& bench) {
    orvalt::CalculationState state = LargestTable();
    state.spanEnd = 1.0f;
    orvalt::RunCalculation(state);
    const std::vector<orvalt::SectionSpan> spans = LargestSuspensionSection();
    std::vector<orvalt::SectionSupport> supports = orvalt::DefaultSectionSupports(spans.size());
    for (std::size_t j = 1; j < spans.size(); ++j) {
        supports[j] = {orvalt::SupportType::kSuspension, 1.5, 60.0};
    }
    for (auto _ : bench) {
        const orvalt::BalancedSection section =
            orvalt::ComputeBalancedSection(state, spans, supports, 15, -50, 150, 5);
        benchmark::DoNotOptimize(section.chart.data());
    }
}
BENCHMARK(BM_BalancedSectionWithChartSuspensionSection)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
